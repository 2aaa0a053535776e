// The GIMP palette reader on arbitrary bytes. Besides the sanitizers' checks: a refused text has a
// reason and leaves the list alone; every palette read is written and read back unchanged, and
// written again byte for byte the same.
#include "swatches/files/GimpPaletteFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const ColorList untouched{QStringLiteral("untouched"), {}};
    ColorList list = untouched;
    QString reason;
    if (!parseGimpPalette(bytes, list, reason)) {
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
    const QByteArray text = gimpPaletteText(list);
    ColorList again;
    if (!parseGimpPalette(text, again, reason) || again != list) {
        std::abort();
    }
    if (gimpPaletteText(again) != text) {
        std::abort();
    }
    return 0;
}
