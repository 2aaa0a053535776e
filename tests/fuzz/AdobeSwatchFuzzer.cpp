// The swatch exchange reader on arbitrary bytes. Besides the sanitizers' checks: a refused file
// has a one-line reason and leaves the lists alone; every file read is written and read back
// unchanged, and written again byte for byte the same.
#include "swatches/files/AdobeSwatchFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QVector<ColorList> untouched{{QStringLiteral("untouched"), {}}};
    QVector<ColorList> lists = untouched;
    QString reason;
    if (!parseAdobeSwatchExchange(bytes, lists, reason)) {
        if (reason.isEmpty() || reason.contains(QLatin1Char('\n')) || lists != untouched) {
            std::abort();
        }
        return 0;
    }
    for (const ColorList& list : lists) {
        for (const ColorList::Swatch& swatch : list.swatches) {
            if (!swatch.color.isValid() || swatch.color.alpha() != 255) {
                std::abort();
            }
        }
    }
    const QByteArray written = adobeSwatchExchangeData(lists);
    QVector<ColorList> again;
    if (!parseAdobeSwatchExchange(written, again, reason) || again != lists) {
        std::abort();
    }
    if (adobeSwatchExchangeData(again) != written) {
        std::abort();
    }
    return 0;
}
