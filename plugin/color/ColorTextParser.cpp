#include "color/ColorTextParser.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using Result = ColorTextParser::Result;

// An exact decimal: digits × 10^-scale. The digits carry no leading or trailing zeros (zero is the
// empty string and never negative), so "1e-999" stays one digit long. Reading the values exactly
// is what makes the rounding to 8 bits exact: 0.3 × 255 is 76.5, which no binary float holds.
struct Decimal
{
    std::string digits;
    int scale = 0;
    bool negative = false;
};

Decimal normalized(Decimal d)
{
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos)
        return Decimal{};
    d.digits.erase(0, first);
    const auto last = d.digits.find_last_not_of('0');
    d.scale -= static_cast<int>(d.digits.size() - 1 - last);
    d.digits.erase(last + 1);
    return d;
}

Decimal decimal(int value, int scale = 0)
{
    return normalized({std::to_string(std::abs(value)), scale, value < 0});
}

bool isZero(const Decimal& d)
{
    return d.digits.empty();
}

// The power of ten of the leading digit.
int leadingPower(const Decimal& d)
{
    return static_cast<int>(d.digits.size()) - 1 - d.scale;
}

int compareMagnitudes(const Decimal& a, const Decimal& b)
{
    if (isZero(a) || isZero(b))
        return isZero(b) ? (isZero(a) ? 0 : 1) : -1;
    if (leadingPower(a) != leadingPower(b))
        return leadingPower(a) < leadingPower(b) ? -1 : 1;
    // Same leading power: the digits line up, and without trailing zeros a prefix is smaller.
    const int order = a.digits.compare(b.digits);
    return (order > 0) - (order < 0);
}

int compare(const Decimal& a, const Decimal& b)
{
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    const int order = compareMagnitudes(a, b);
    return a.negative ? -order : order;
}

// The digits of |d| written at `scale` (not below d.scale), as an integer; none for zero.
std::string digitsAt(const Decimal& d, int scale)
{
    if (isZero(d))
        return std::string();
    return d.digits + std::string(static_cast<std::size_t>(scale - d.scale), '0');
}

Decimal addMagnitudes(const Decimal& a, const Decimal& b)
{
    const int scale = std::max(a.scale, b.scale);
    std::string x = digitsAt(a, scale);
    std::string y = digitsAt(b, scale);
    if (x.size() < y.size())
        std::swap(x, y);
    y.insert(0, x.size() - y.size(), '0');
    int carry = 0;
    for (std::size_t i = x.size(); i-- > 0;) {
        const int sum = (x[i] - '0') + (y[i] - '0') + carry;
        x[i] = static_cast<char>('0' + sum % 10);
        carry = sum / 10;
    }
    if (carry)
        x.insert(x.begin(), '1');
    return normalized({x, scale, false});
}

// |a| - |b|, for |a| >= |b|.
Decimal subtractMagnitudes(const Decimal& a, const Decimal& b)
{
    const int scale = std::max(a.scale, b.scale);
    std::string x = digitsAt(a, scale);
    std::string y = digitsAt(b, scale);
    y.insert(0, x.size() - y.size(), '0');
    int borrow = 0;
    for (std::size_t i = x.size(); i-- > 0;) {
        int difference = (x[i] - '0') - (y[i] - '0') - borrow;
        borrow = difference < 0 ? 1 : 0;
        x[i] = static_cast<char>('0' + difference + 10 * borrow);
    }
    return normalized({x, scale, false});
}

Decimal negated(Decimal d)
{
    d.negative = !isZero(d) && !d.negative;
    return d;
}

Decimal add(const Decimal& a, const Decimal& b)
{
    if (isZero(a) || isZero(b))
        return isZero(a) ? b : a;
    if (a.negative == b.negative) {
        Decimal sum = addMagnitudes(a, b);
        sum.negative = a.negative && !isZero(sum);
        return sum;
    }
    const int order = compareMagnitudes(a, b);
    if (order == 0)
        return Decimal{};
    Decimal difference = order > 0 ? subtractMagnitudes(a, b) : subtractMagnitudes(b, a);
    difference.negative = order > 0 ? a.negative : b.negative;
    return difference;
}

Decimal subtract(const Decimal& a, const Decimal& b)
{
    return add(a, negated(b));
}

// Four decimal digits a limb, the least significant limb first.
std::vector<std::uint64_t> limbsOf(const std::string& digits)
{
    static constexpr std::uint64_t powers[4] = {1, 10, 100, 1000};
    std::vector<std::uint64_t> limbs((digits.size() + 3) / 4, 0);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t place = digits.size() - 1 - i;
        limbs[place / 4] += static_cast<std::uint64_t>(digits[i] - '0') * powers[place % 4];
    }
    return limbs;
}

Decimal multiply(const Decimal& a, const Decimal& b)
{
    if (isZero(a) || isZero(b))
        return Decimal{};
    const std::vector<std::uint64_t> x = limbsOf(a.digits);
    const std::vector<std::uint64_t> y = limbsOf(b.digits);
    // Column sums of products below 10^8 stay far below 2^64 for any number of limbs here.
    std::vector<std::uint64_t> columns(x.size() + y.size(), 0);
    for (std::size_t i = 0; i < x.size(); ++i) {
        for (std::size_t j = 0; j < y.size(); ++j)
            columns[i + j] += x[i] * y[j];
    }
    std::string digits;
    digits.reserve(4 * columns.size());
    std::uint64_t carry = 0;
    for (std::uint64_t& column : columns) {
        column += carry;
        carry = column / 10000;
        column %= 10000;
    }
    for (std::size_t i = columns.size(); i-- > 0;) {
        const std::uint64_t limb = columns[i];
        for (std::uint64_t power = 1000; power > 0; power /= 10)
            digits += static_cast<char>('0' + limb / power % 10);
    }
    return normalized({digits, a.scale + b.scale, a.negative != b.negative});
}

// d / 10^places.
Decimal shifted(Decimal d, int places)
{
    if (!isZero(d))
        d.scale += places;
    return d;
}

const Decimal& clamped(const Decimal& d, const Decimal& low, const Decimal& high)
{
    return compare(d, low) < 0 ? low : compare(d, high) > 0 ? high : d;
}

// The nearest integer, halves rounded up, for 0 <= d <= 255: the integer digits, plus one when the
// first digit after the point is 5 or more.
int roundHalfUp(const Decimal& d)
{
    const int count = static_cast<int>(d.digits.size());
    int whole = 0;
    for (int j = 0; j < count && count - 1 - j - d.scale >= 0; ++j)
        whole = whole * 10 + (d.digits[static_cast<std::size_t>(j)] - '0');
    for (int power = d.scale; power < 0; ++power)
        whole *= 10;
    const int tenths = count - d.scale; // index of the digit worth 10^-1
    const bool up =
        tenths >= 0 && tenths < count && d.digits[static_cast<std::size_t>(tenths)] >= '5';
    return whole + (up ? 1 : 0);
}

// d mod m for a non-negative decimal integer written as digits.
int digitsModulo(std::string_view digits, int m)
{
    int rest = 0;
    for (const char c : digits)
        rest = (rest * 10 + (c - '0')) % m;
    return rest;
}

// The hue brought into [0, 360), exactly.
Decimal wrappedHue(const Decimal& hue)
{
    if (isZero(hue))
        return hue;
    Decimal wrapped;
    if (hue.scale <= 0) {
        int power = 1;
        for (int i = hue.scale; i < 0; ++i)
            power = power * 10 % 360;
        wrapped = decimal(digitsModulo(hue.digits, 360) * power % 360);
    } else {
        // digits = whole × 10^scale + fraction, and (whole × 10^scale) mod (360 × 10^scale) is
        // (whole mod 360) × 10^scale.
        const std::size_t count = hue.digits.size();
        const std::size_t scale = static_cast<std::size_t>(hue.scale);
        const std::size_t split = count > scale ? count - scale : 0;
        const std::string fraction =
            std::string(scale - (count - split), '0') + hue.digits.substr(split);
        wrapped = normalized(
            {std::to_string(digitsModulo(std::string_view(hue.digits).substr(0, split), 360)) +
                 fraction,
             hue.scale, false});
    }
    return hue.negative && !isZero(wrapped) ? subtract(decimal(360), wrapped) : wrapped;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f');
}

int hexValue(char c)
{
    return isDigit(c) ? c - '0' : c - 'a' + 10;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> splitAt(std::string_view s, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = s.find(separator, start);
        parts.push_back(trimmed(s.substr(start, end - start)));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::vector<std::string_view> splitAtSpaces(std::string_view s)
{
    std::vector<std::string_view> parts;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isSpace(s[i]))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && !isSpace(s[i]))
            ++i;
        if (i > start)
            parts.push_back(s.substr(start, i - start));
    }
    return parts;
}

// A CSS number, optionally followed by a unit ("%", "deg", ...): [+-] digits [. digits]
// [e [+-] digits], or a fraction alone (".5"). False when `token` does not start with one.
bool readQuantity(std::string_view token, Decimal& value, std::string_view& unit)
{
    std::size_t i = 0;
    const bool negative = i < token.size() && token[i] == '-';
    if (i < token.size() && (token[i] == '-' || token[i] == '+'))
        ++i;
    std::string digits;
    while (i < token.size() && isDigit(token[i]))
        digits += token[i++];
    int scale = 0;
    if (i + 1 < token.size() && token[i] == '.' && isDigit(token[i + 1])) {
        for (++i; i < token.size() && isDigit(token[i]); ++i, ++scale)
            digits += token[i];
    }
    if (digits.empty())
        return false;
    // An exponent only where digits follow the e, as CSS reads "1e3" but "1em" as 1 with a unit.
    std::size_t e = i;
    if (e < token.size() && token[e] == 'e') {
        ++e;
        const bool negativeExponent = e < token.size() && token[e] == '-';
        if (e < token.size() && (token[e] == '-' || token[e] == '+'))
            ++e;
        if (e < token.size() && isDigit(token[e])) {
            int exponent = 0;
            int length = 0;
            for (; e < token.size() && isDigit(token[e]); ++e) {
                exponent = exponent * 10 + (token[e] - '0');
                if (exponent != 0 && ++length > 3)
                    return false;
            }
            scale += negativeExponent ? exponent : -exponent;
            i = e;
        }
    }
    unit = token.substr(i);
    // A unit is a word or "%"; anything else ("1.", "2x3") is no number.
    if (unit != "%" &&
        !std::all_of(unit.begin(), unit.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        return false;
    value = normalized({digits, scale, negative});
    return true;
}

Result refused(const QString& reason)
{
    Result result;
    result.reason = reason;
    return result;
}

Result accepted(const int (&rgba)[4])
{
    Result result;
    result.ok = true;
    result.color = QColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    return result;
}

QString valueReason(const char* format, std::size_t index)
{
    return QString::fromLatin1(format).arg(index + 1);
}

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

// A channel (0..1 as a Decimal) in 8 bits.
int eightBits(const Decimal& unit)
{
    return roundHalfUp(multiply(clamped(unit, decimal(0), decimal(1)), decimal(255)));
}

Result readFunction(std::string_view text)
{
    const std::size_t open = text.find('(');
    const std::string_view name = text.substr(0, open);
    const bool rgb = name == "rgb" || name == "rgba";
    if (!rgb && name != "hsl" && name != "hsla") {
        if (name.empty() || name.size() > 16 ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            return refused(QStringLiteral("not a color"));
        return refused(QStringLiteral("%1() is not one of rgb(), rgba(), hsl() and hsla()")
                           .arg(QLatin1String(name.data(), static_cast<int>(name.size()))));
    }
    const QString function =
        QString::fromLatin1(name.data(), static_cast<int>(name.size())) + QStringLiteral("()");
    if (text.back() != ')')
        return refused(QStringLiteral("%1 is missing its closing parenthesis").arg(function));
    const std::string_view inner = text.substr(open + 1, text.size() - open - 2);
    if (inner.find_first_of("()") != std::string_view::npos)
        return refused(QStringLiteral("parentheses inside %1").arg(function));

    std::vector<std::string_view> values;
    if (inner.find(',') != std::string_view::npos) {
        if (inner.find('/') != std::string_view::npos)
            return refused(QStringLiteral("%1 mixes commas with /").arg(function));
        values = splitAt(inner, ',');
    } else {
        const std::vector<std::string_view> parts = splitAt(inner, '/');
        if (parts.size() > 2)
            return refused(QStringLiteral("%1 has more than one /").arg(function));
        values = splitAtSpaces(parts[0]);
        if (parts.size() == 2) {
            if (values.size() != 3)
                return refused(QStringLiteral("%1 takes 3 values before /").arg(function));
            const std::vector<std::string_view> alpha = splitAtSpaces(parts[1]);
            if (alpha.size() != 1)
                return refused(QStringLiteral("%1 takes one alpha after /").arg(function));
            values.push_back(alpha[0]);
        }
    }
    if (values.size() != 3 && values.size() != 4)
        return refused(QStringLiteral("%1 takes 3 or 4 values").arg(function));

    Decimal numbers[4];
    std::string_view units[4];
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!readQuantity(values[i], numbers[i], units[i]))
            return refused(valueReason("value %1 is not a number", i));
        const bool plain = units[i].empty() || units[i] == "%";
        const bool angle = units[i] == "deg" || units[i] == "grad" || units[i] == "turn";
        if (!plain && !(angle && !rgb && i == 0)) {
            if (!rgb && i == 0 && units[i] == "rad")
                return refused(QStringLiteral("hues in rad are not taken; use deg or turn"));
            return refused(valueReason("value %1 has a unit that does not fit", i));
        }
    }

    int rgba[4] = {0, 0, 0, 255};
    if (values.size() == 4) {
        const Decimal alpha = units[3] == "%" ? shifted(numbers[3], 2) : numbers[3];
        rgba[3] = eightBits(alpha);
    }
    if (rgb) {
        // Numbers are on 0..255; percentages of 255.
        for (int i = 0; i < 3; ++i) {
            const Decimal channel =
                units[i] == "%" ? multiply(shifted(numbers[i], 2), decimal(255)) : numbers[i];
            rgba[i] = roundHalfUp(clamped(channel, decimal(0), decimal(255)));
        }
        return accepted(rgba);
    }

    if (units[0] == "%")
        return refused(QStringLiteral("a hue is no percentage"));
    Decimal hue = numbers[0];
    if (units[0] == "grad")
        hue = multiply(hue, decimal(9, 1));
    else if (units[0] == "turn")
        hue = multiply(hue, decimal(360));
    hue = wrappedHue(hue);
    const Decimal saturation = clamped(shifted(numbers[1], 2), decimal(0), decimal(1));
    const Decimal lightness = clamped(shifted(numbers[2], 2), decimal(0), decimal(1));
    // CSS's hsl-to-rgb, f(n) = l - a × max(-1, min(k - 3, 9 - k, 1)) with k = (n + h / 30) mod 12
    // and a = s × min(l, 1 - l), written with m = 30 × max(...) so that every term is a finite
    // decimal: 255 × f(n) = 255 × l - 8.5 × a × m.
    const Decimal a = multiply(saturation, compare(lightness, decimal(5, 1)) <= 0
                                               ? lightness
                                               : subtract(decimal(1), lightness));
    const Decimal lightness255 = multiply(lightness, decimal(255));
    const Decimal aTimes8p5 = multiply(a, decimal(85, 1));
    const int offsets[3] = {0, 240, 120}; // 30 × n for red (n = 0), green (8) and blue (4)
    for (int i = 0; i < 3; ++i) {
        Decimal k30 = add(hue, decimal(offsets[i]));
        if (compare(k30, decimal(360)) >= 0)
            k30 = subtract(k30, decimal(360));
        const Decimal rising = subtract(k30, decimal(90));
        const Decimal falling = subtract(decimal(270), k30);
        const Decimal m =
            clamped(compare(rising, falling) <= 0 ? rising : falling, decimal(-30), decimal(30));
        const Decimal channel = subtract(lightness255, multiply(aTimes8p5, m));
        rgba[i] = roundHalfUp(clamped(channel, decimal(0), decimal(255)));
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
        Decimal number;
        std::string_view unit;
        if (!readQuantity(values[i], number, unit) || !unit.empty())
            return refused(valueReason("value %1 is not a number", i));
        if (unitFloats) {
            if (compare(number, decimal(0)) < 0 || compare(number, decimal(1)) > 0)
                return refused(valueReason("value %1 is outside 0..1", i));
            rgba[i] = eightBits(number);
        } else {
            if (compare(number, decimal(0)) < 0 || compare(number, decimal(255)) > 0)
                return refused(valueReason("value %1 is outside 0..255", i));
            rgba[i] = roundHalfUp(number);
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
    if (s.find('(') != std::string_view::npos)
        return readFunction(s);
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
