#include "color/ColorTextParser.h"

#include "color/ColorTextReading.h"
#include "color/ColorTextTokens.h"
#include "color/CssColorFunctions.h"
#include "color/ScriptColorForms.h"

#include <QStringList>

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

using namespace ColorTextReading;

namespace {

Result readHex(std::string_view hex)
{
    const std::size_t length = hex.size();
    if ((length != 3 && length != 4 && length != 6 && length != 8) ||
        !std::all_of(hex.begin(), hex.end(), isHexDigit))
        return refused(QStringLiteral("a hex color has 3, 4, 6 or 8 hex digits"));
    int rgba[4] = {0, 0, 0, 255};
    const bool shortForm = length <= 4;
    const std::size_t channels = shortForm ? length : length / 2;
    for (std::size_t i = 0; i < channels; ++i) {
        rgba[i] = shortForm ? hexValue(hex[i]) * 17
                            : hexValue(hex[2 * i]) * 16 + hexValue(hex[2 * i + 1]);
    }
    return accepted(rgba);
}

Result readList(std::string_view text)
{
    const std::vector<std::string_view> values = splitAt(text, ',');
    if (values.size() != 3 && values.size() != 4)
        return refused(QStringLiteral("a list of values has 3 or 4 of them"));
    // Any decimal point or exponent makes the whole list unit floats.
    const bool unitFloats = std::any_of(values.begin(), values.end(), [](std::string_view value) {
        return value.find_first_of(".e") != std::string_view::npos;
    });
    int rgba[4] = {0, 0, 0, 255};
    for (std::size_t i = 0; i < values.size(); ++i) {
        ExactDecimal number;
        std::string_view unit;
        if (!readQuantity(values[i], number, unit) || !unit.empty())
            return refused(valueReason("value %1 is not a number", i));
        if (unitFloats) {
            if (number < 0 || number > 1)
                return refused(valueReason("value %1 is outside 0..1", i));
            rgba[i] = eightBits(number);
        } else {
            if (number < 0 || number > 255)
                return refused(valueReason("value %1 is outside 0..255", i));
            rgba[i] = number.roundedHalfUp();
        }
    }
    return accepted(rgba);
}

// The CSS names by lower-case name. Qt's list is the SVG one; CSS has one name more.
const std::unordered_map<std::string, QRgb>& namedColors()
{
    static const std::unordered_map<std::string, QRgb> names = [] {
        std::unordered_map<std::string, QRgb> table;
        for (const QString& name : QColor::colorNames())
            table[name.toLower().toStdString()] = QColor(name).rgba();
        table["rebeccapurple"] = qRgb(0x66, 0x33, 0x99);
        table["transparent"] = qRgba(0, 0, 0, 0);
        return table;
    }();
    return names;
}

} // namespace

ColorTextParser::Result ColorTextParser::parse(const QString& text)
{
    const QString stripped = text.trimmed();
    if (stripped.isEmpty())
        return refused(QStringLiteral("no text"));
    if (stripped.size() > MaxLength)
        return refused(QStringLiteral("longer than %1 characters").arg(MaxLength));
    std::string lower;
    lower.reserve(static_cast<std::size_t>(stripped.size()));
    for (const QChar c : stripped) {
        const ushort u = c.unicode();
        if (u > 0x7e || (u < 0x20 && !isSpace(static_cast<char>(u))))
            return refused(QStringLiteral("characters other than plain ASCII text"));
        lower += static_cast<char>(u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u);
    }
    const std::string_view s(lower);
    if (s.front() == '#')
        return readHex(s.substr(1));
    if (isScriptColor(s))
        return readScriptColor(s);
    if (s.front() == '[')
        return readPoint(s);
    if (s.front() == '(') {
        // The script's "(color r g b)", or a list in parentheses as Python writes a tuple.
        if (s.back() != ')')
            return refused(QStringLiteral("missing closing parenthesis"));
        const std::string_view inner = trimmed(s.substr(1, s.size() - 2));
        if (inner.find_first_of("()") != std::string_view::npos)
            return refused(QStringLiteral("parentheses inside parentheses"));
        if (isScriptColor(inner))
            return readScriptColor(inner);
        return readList(inner);
    }
    if (s.find('(') != std::string_view::npos)
        return readCssFunction(s);
    if (s.find(',') != std::string_view::npos)
        return readList(s);
    if ((s.size() == 3 || s.size() == 4 || s.size() == 6 || s.size() == 8) &&
        std::all_of(s.begin(), s.end(), isHexDigit))
        return readHex(s);
    const auto& names = namedColors();
    const auto named = names.find(lower);
    if (named != names.end()) {
        const QRgb rgba = named->second;
        const int channels[4] = {qRed(rgba), qGreen(rgba), qBlue(rgba), qAlpha(rgba)};
        return accepted(channels);
    }
    return refused(QStringLiteral("neither a hex color, a CSS color nor a list of values"));
}

QString ColorTextParser::format(const QColor& color)
{
    const QColor rgb = color.toRgb();
    QString text = QStringLiteral("#%1%2%3")
                       .arg(rgb.red(), 2, 16, QLatin1Char('0'))
                       .arg(rgb.green(), 2, 16, QLatin1Char('0'))
                       .arg(rgb.blue(), 2, 16, QLatin1Char('0'));
    if (rgb.alpha() < 255)
        text += QStringLiteral("%1").arg(rgb.alpha(), 2, 16, QLatin1Char('0'));
    return text.toUpper();
}
