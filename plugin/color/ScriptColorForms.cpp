#include "color/ScriptColorForms.h"

#include "color/ColorTextReading.h"
#include "color/ColorTextTokens.h"

#include <vector>

namespace ColorTextReading {

bool isScriptColor(std::string_view text)
{
    return text.size() > 5 && text.substr(0, 5) == "color" && isSpace(text[5]);
}

Result readScriptColor(std::string_view text)
{
    const std::vector<std::string_view> parts = splitAtSpaces(text.substr(5));
    if (parts.size() != 3 && parts.size() != 4)
        return refused(QStringLiteral("a script color takes 3 or 4 numbers"));
    int rgba[4] = {0, 0, 0, 255};
    bool clipped = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        ExactDecimal number;
        std::string_view unit;
        if (!readQuantity(parts[i], number, unit) || !unit.empty())
            return refused(valueReason("value %1 is not a number", i));
        bool alphaClipped = false;
        rgba[i] = channel255(number, i < 3 ? clipped : alphaClipped);
    }
    Result result = accepted(rgba);
    result.clipped = clipped;
    return result;
}

Result readPoint(std::string_view text)
{
    if (text.back() != ']')
        return refused(QStringLiteral("a point is missing its closing bracket"));
    const std::vector<std::string_view> parts = splitAt(text.substr(1, text.size() - 2), ',');
    if (parts.size() != 3)
        return refused(QStringLiteral("a point takes 3 numbers"));
    int rgba[4] = {0, 0, 0, 255};
    bool clipped = false;
    for (std::size_t i = 0; i < 3; ++i) {
        ExactDecimal number;
        std::string_view unit;
        if (!readQuantity(parts[i], number, unit) || !unit.empty())
            return refused(valueReason("value %1 is not a number", i));
        rgba[i] = channel255(number, clipped);
    }
    Result result = accepted(rgba);
    result.clipped = clipped;
    return result;
}

} // namespace ColorTextReading
