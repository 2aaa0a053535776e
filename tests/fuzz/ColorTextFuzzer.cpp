// The pasted-color reader on arbitrary bytes, as UTF-8 text. Besides the sanitizers' checks: a
// refused text has a one-line reason; an accepted one gives a valid color that the copied text
// forms read back as the same color; letter case and surrounding blanks change nothing.
#include "color/ColorCopyTexts.h"
#include "color/ColorTextParser.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool sameAnswer(const ColorTextParser::Result& a, const ColorTextParser::Result& b)
{
    return a.ok == b.ok && (!a.ok || a.color == b.color);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const ColorTextParser::Result result = ColorTextParser::parse(text);
    if (!result.ok) {
        if (result.reason.isEmpty() || result.reason.contains(QLatin1Char('\n')))
            std::abort();
    } else {
        if (!result.color.isValid() || !result.reason.isEmpty())
            std::abort();
        const ColorTextParser::Result again =
            ColorTextParser::parse(ColorTextParser::format(result.color));
        if (!again.ok || again.color != result.color)
            std::abort();
        // Bare linear floats read as encoded ones, by design; every other form reads back.
        for (const ColorCopyTexts::Form form : ColorCopyTexts::forms()) {
            if (form == ColorCopyTexts::Form::LinearFloats ||
                form == ColorCopyTexts::Form::LinearGamma22)
                continue;
            const ColorTextParser::Result copied =
                ColorTextParser::parse(ColorCopyTexts::text(form, result.color));
            if (!copied.ok || copied.color != result.color)
                std::abort();
        }
    }
    // Upper case for ASCII letters only: other letters may change length or become ASCII.
    QString upper = text;
    for (QChar& c : upper) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    if (!sameAnswer(ColorTextParser::parse(upper), result))
        std::abort();
    if (!sameAnswer(ColorTextParser::parse(QLatin1Char(' ') + text + QLatin1Char('\n')), result))
        std::abort();
    return 0;
}
