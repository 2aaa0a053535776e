// The color-list reader on arbitrary bytes. Besides the sanitizers' checks: a refused text has a
// reason; every list read is written and read back unchanged, and written again byte for byte
// the same, so nothing a file holds changes by a save.
#include "swatches/files/ColorListFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QVector<ColorList> lists;
    QString reason;
    if (!parseColorListFile(bytes, lists, reason)) {
        if (reason.isEmpty() || reason.contains(QLatin1Char('\n')) || !lists.isEmpty()) {
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
    const QByteArray text = colorListFileText(lists);
    QVector<ColorList> again;
    if (!parseColorListFile(text, again, reason) || again != lists) {
        std::abort();
    }
    if (colorListFileText(again) != text) {
        std::abort();
    }
    return 0;
}
