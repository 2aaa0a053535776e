// The Photoshop swatch reader on arbitrary bytes. Besides the sanitizers' checks: a refused file
// has a one-line reason and leaves the list alone; every swatch read is opaque, and the list
// survives the trip through a swatch exchange file, names included.
#include "swatches/files/AdobeSwatchFile.h"
#include "swatches/files/PhotoshopSwatchFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const ColorList untouched{QStringLiteral("untouched"), {}};
    ColorList list = untouched;
    QString reason;
    if (!parsePhotoshopSwatches(bytes, list, reason)) {
        if (reason.isEmpty() || reason.contains(QLatin1Char('\n')) || list != untouched) {
            std::abort();
        }
        return 0;
    }
    for (const ColorList::Swatch& swatch : list.swatches) {
        if (!swatch.color.isValid() || swatch.color.alpha() != 255) {
            std::abort();
        }
    }
    QVector<ColorList> again;
    if (!parseAdobeSwatchExchange(adobeSwatchExchangeData({list}), again, reason) ||
        again != QVector<ColorList>{list}) {
        std::abort();
    }
    return 0;
}
