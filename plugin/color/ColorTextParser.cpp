#include "color/ColorTextParser.h"

#include "color/CssColorSpaces.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
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

// Which CSS function a text calls.
enum class Function
{
    Rgb,
    Hsl,
    Hwb,
    Lab,
    Lch,
    Oklab,
    Oklch,
    Color
};

bool functionOf(std::string_view name, Function& function)
{
    static const std::pair<std::string_view, Function> functions[] = {
        {"rgb", Function::Rgb},    {"rgba", Function::Rgb},    {"hsl", Function::Hsl},
        {"hsla", Function::Hsl},   {"hwb", Function::Hwb},     {"lab", Function::Lab},
        {"lch", Function::Lch},    {"oklab", Function::Oklab}, {"oklch", Function::Oklch},
        {"color", Function::Color}};
    for (const auto& [known, which] : functions) {
        if (name == known) {
            function = which;
            return true;
        }
    }
    return false;
}

// The value at which a function's hue stands, or -1.
int hueIndexOf(Function function)
{
    switch (function) {
    case Function::Hsl:
    case Function::Hwb:
        return 0;
    case Function::Lch:
    case Function::Oklch:
        return 2;
    default:
        return -1;
    }
}

// Beyond this any channel of any space is far outside every gamut; bounding the values keeps the
// floating-point conversions finite however long the exponent.
Decimal bounded(const Decimal& d)
{
    return clamped(d, decimal(-1, -9), decimal(1, -9));
}

double toDouble(const Decimal& d)
{
    if (isZero(d))
        return 0.0;
    const std::string text = (d.negative ? "-" : "") + d.digits + "e" + std::to_string(-d.scale);
    return std::strtod(text.c_str(), nullptr);
}

// A hue in degrees, [0, 360), from a number and its unit (none, "deg", "grad", "rad", "turn").
// Degrees, grads and turns are exact; radians go through a double.
Decimal hueDegrees(const Decimal& number, std::string_view unit)
{
    if (unit == "grad")
        return wrappedHue(multiply(number, decimal(9, 1)));
    if (unit == "turn")
        return wrappedHue(multiply(number, decimal(360)));
    if (unit == "rad") {
        constexpr double degreesPerRadian = 180 / 3.14159265358979323846;
        const double degrees = std::fmod(toDouble(bounded(number)) * degreesPerRadian, 360.0);
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", degrees);
        Decimal exact;
        std::string_view none;
        if (!readQuantity(text, exact, none))
            return Decimal{};
        return wrappedHue(exact);
    }
    return wrappedHue(number);
}

// round(255 × w / (w + b)), halves up, for 0 <= w and w + b >= 1: the largest k on 0..255 with
// (2k - 1) × (w + b) <= 510 × w, found exactly.
int grayOf(const Decimal& whiteness, const Decimal& sum)
{
    const Decimal target = multiply(whiteness, decimal(510));
    int low = 0;
    int high = 255;
    while (low < high) {
        const int k = (low + high + 1) / 2;
        if (compare(multiply(decimal(2 * k - 1), sum), target) <= 0)
            low = k;
        else
            high = k - 1;
    }
    return low;
}

// For 30 × max(-1, min(k - 3, 9 - k, 1)) of CSS's hsl-to-rgb, channel `i` (red, green, blue) of a
// hue in [0, 360).
Decimal hueRamp(const Decimal& hue, int i)
{
    const int offsets[3] = {0, 240, 120}; // 30 × n for red (n = 0), green (8) and blue (4)
    Decimal k30 = add(hue, decimal(offsets[i]));
    if (compare(k30, decimal(360)) >= 0)
        k30 = subtract(k30, decimal(360));
    const Decimal rising = subtract(k30, decimal(90));
    const Decimal falling = subtract(decimal(270), k30);
    return clamped(compare(rising, falling) <= 0 ? rising : falling, decimal(-30), decimal(30));
}

// A color from gamma-encoded sRGB in doubles. A color outside sRGB is clipped channel by channel
// after the conversion and before the rounding to 8 bits; it counts as clipped when a channel's
// nearest 8-bit value lies outside 0..255, so that the last bits of floating-point noise around
// white and black do not.
Result fromSrgb(const CssColorSpaces::Triple& srgb, int alpha)
{
    int rgba[4] = {0, 0, 0, alpha};
    bool clipped = false;
    for (std::size_t i = 0; i < 3; ++i) {
        double channel = srgb[i];
        if (std::isnan(channel)) {
            channel = 0.0;
            clipped = true;
        }
        clipped = clipped || channel * 255 < -0.5 || channel * 255 >= 255.5;
        rgba[i] = CssColorSpaces::byteFromUnit(channel);
    }
    Result result = accepted(rgba);
    result.clipped = clipped;
    return result;
}

// A channel on 0..255 as rgb() and the host's script forms give it: clamped, halves up; clipped
// when its nearest integer lies outside 0..255.
int channel255(const Decimal& value, bool& clipped)
{
    clipped =
        clipped || compare(value, decimal(-5, 1)) < 0 || compare(value, decimal(2555, 1)) >= 0;
    return roundHalfUp(clamped(value, decimal(0), decimal(255)));
}

Result readFunction(std::string_view text)
{
    const std::size_t open = text.find('(');
    const std::string_view name = text.substr(0, open);
    Function function = Function::Rgb;
    if (!functionOf(name, function)) {
        if (name.empty() || name.size() > 16 ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            return refused(QStringLiteral("not a color"));
        return refused(QStringLiteral("%1() is not one of rgb(), hsl(), hwb(), lab(), lch(), "
                                      "oklab(), oklch() and color()")
                           .arg(QLatin1String(name.data(), static_cast<int>(name.size()))));
    }
    const QString functionName =
        QString::fromLatin1(name.data(), static_cast<int>(name.size())) + QStringLiteral("()");
    if (text.back() != ')')
        return refused(QStringLiteral("%1 is missing its closing parenthesis").arg(functionName));
    std::string_view inner = text.substr(open + 1, text.size() - open - 2);
    if (inner.find_first_of("()") != std::string_view::npos)
        return refused(QStringLiteral("parentheses inside %1").arg(functionName));

    // color() names its space first: "color(display-p3 1 0 0)".
    std::string_view space;
    if (function == Function::Color) {
        inner = trimmed(inner);
        const std::size_t end = std::min(inner.find_first_of(" \t\n\r\f\v"), inner.size());
        space = inner.substr(0, end);
        inner = inner.substr(end);
        if (space != "srgb" && space != "srgb-linear" && space != "display-p3" &&
            space != "rec2020") {
            if (space.empty() || space.size() > 16)
                return refused(QStringLiteral("color() names no color space"));
            return refused(QStringLiteral("color space %1 is not one of srgb, srgb-linear, "
                                          "display-p3 and rec2020")
                               .arg(QLatin1String(space.data(), static_cast<int>(space.size()))));
        }
    }

    std::vector<std::string_view> values;
    if (inner.find(',') != std::string_view::npos) {
        if (inner.find('/') != std::string_view::npos)
            return refused(QStringLiteral("%1 mixes commas with /").arg(functionName));
        values = splitAt(inner, ',');
    } else {
        const std::vector<std::string_view> parts = splitAt(inner, '/');
        if (parts.size() > 2)
            return refused(QStringLiteral("%1 has more than one /").arg(functionName));
        values = splitAtSpaces(parts[0]);
        if (parts.size() == 2) {
            if (values.size() != 3)
                return refused(QStringLiteral("%1 takes 3 values before /").arg(functionName));
            const std::vector<std::string_view> alpha = splitAtSpaces(parts[1]);
            if (alpha.size() != 1)
                return refused(QStringLiteral("%1 takes one alpha after /").arg(functionName));
            values.push_back(alpha[0]);
        }
    }
    if (values.size() != 3 && values.size() != 4)
        return refused(QStringLiteral("%1 takes 3 or 4 values").arg(functionName));

    // "none", CSS's missing component, counts as zero, as CSS converts it.
    const int hueIndex = hueIndexOf(function);
    Decimal numbers[4];
    std::string_view units[4];
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == "none")
            continue;
        if (!readQuantity(values[i], numbers[i], units[i]))
            return refused(valueReason("value %1 is not a number", i));
        const bool plain = units[i].empty() || units[i] == "%";
        const bool angle =
            units[i] == "deg" || units[i] == "grad" || units[i] == "rad" || units[i] == "turn";
        if (!plain && !(angle && static_cast<int>(i) == hueIndex))
            return refused(valueReason("value %1 has a unit that does not fit", i));
        if (static_cast<int>(i) == hueIndex && units[i] == "%")
            return refused(QStringLiteral("a hue is no percentage"));
    }

    int rgba[4] = {0, 0, 0, 255};
    if (values.size() == 4) {
        const Decimal alpha = units[3] == "%" ? shifted(numbers[3], 2) : numbers[3];
        rgba[3] = eightBits(alpha);
    }
    // A value as a number, a percentage standing for `hundred` at 100%.
    const auto valueOf = [&](std::size_t i, const Decimal& hundred) {
        return units[i] == "%" ? multiply(shifted(numbers[i], 2), hundred) : numbers[i];
    };
    const auto doubleOf = [&](std::size_t i, const Decimal& hundred) {
        return toDouble(bounded(valueOf(i, hundred)));
    };

    switch (function) {
    case Function::Rgb: {
        // Numbers are on 0..255; percentages of 255.
        bool clipped = false;
        for (std::size_t i = 0; i < 3; ++i)
            rgba[i] = channel255(valueOf(i, decimal(255)), clipped);
        Result result = accepted(rgba);
        result.clipped = clipped;
        return result;
    }
    case Function::Hsl: {
        const Decimal hue = hueDegrees(numbers[0], units[0]);
        // Saturation and lightness: percentages, and plain numbers count as percentages.
        const Decimal saturation = clamped(shifted(numbers[1], 2), decimal(0), decimal(1));
        const Decimal lightness = clamped(shifted(numbers[2], 2), decimal(0), decimal(1));
        // CSS's hsl-to-rgb, f(n) = l - a × max(-1, min(k - 3, 9 - k, 1)) with
        // k = (n + h / 30) mod 12 and a = s × min(l, 1 - l), written with m = 30 × max(...) so
        // that every term is a finite decimal: 255 × f(n) = 255 × l - 8.5 × a × m.
        const Decimal a = multiply(saturation, compare(lightness, decimal(5, 1)) <= 0
                                                   ? lightness
                                                   : subtract(decimal(1), lightness));
        const Decimal lightness255 = multiply(lightness, decimal(255));
        const Decimal aTimes8p5 = multiply(a, decimal(85, 1));
        for (int i = 0; i < 3; ++i) {
            const Decimal channel = subtract(lightness255, multiply(aTimes8p5, hueRamp(hue, i)));
            rgba[i] = roundHalfUp(clamped(channel, decimal(0), decimal(255)));
        }
        return accepted(rgba);
    }
    case Function::Hwb: {
        const Decimal hue = hueDegrees(numbers[0], units[0]);
        const Decimal whiteness = clamped(shifted(numbers[1], 2), decimal(0), decimal(1));
        const Decimal blackness = clamped(shifted(numbers[2], 2), decimal(0), decimal(1));
        const Decimal sum = add(whiteness, blackness);
        if (compare(sum, decimal(1)) >= 0) {
            // Whiteness and blackness of 100% or more together: the gray w / (w + b).
            rgba[0] = rgba[1] = rgba[2] = grayOf(whiteness, sum);
            return accepted(rgba);
        }
        // CSS's hwb-to-rgb: the pure hue (hsl at 100% and 50%, 255 × f(n) = 127.5 - 4.25 × m)
        // scaled by 1 - w - b, plus w; again exact.
        const Decimal scale = subtract(decimal(1), sum);
        const Decimal white255 = multiply(whiteness, decimal(255));
        for (int i = 0; i < 3; ++i) {
            const Decimal pure =
                subtract(decimal(1275, 1), multiply(decimal(425, 2), hueRamp(hue, i)));
            const Decimal channel = add(multiply(pure, scale), white255);
            rgba[i] = roundHalfUp(clamped(channel, decimal(0), decimal(255)));
        }
        return accepted(rgba);
    }
    case Function::Lab:
    case Function::Lch: {
        // Lightness 0..100 (100% is 100); a and b 100% is 125, chroma 100% is 150.
        const bool polar = function == Function::Lch;
        CssColorSpaces::Triple lab{std::clamp(doubleOf(0, decimal(100)), 0.0, 100.0),
                                   doubleOf(1, decimal(polar ? 150 : 125)),
                                   polar ? toDouble(hueDegrees(numbers[2], units[2]))
                                         : doubleOf(2, decimal(125))};
        if (polar) {
            lab[1] = std::max(lab[1], 0.0);
            lab = CssColorSpaces::rectangularFromPolar(lab);
        }
        return fromSrgb(CssColorSpaces::srgbFromLab(lab), rgba[3]);
    }
    case Function::Oklab:
    case Function::Oklch: {
        // Lightness 0..1 (100% is 1); a, b and chroma 100% is 0.4.
        const bool polar = function == Function::Oklch;
        CssColorSpaces::Triple oklab{
            std::clamp(doubleOf(0, decimal(1)), 0.0, 1.0), doubleOf(1, decimal(4, 1)),
            polar ? toDouble(hueDegrees(numbers[2], units[2])) : doubleOf(2, decimal(4, 1))};
        if (polar) {
            oklab[1] = std::max(oklab[1], 0.0);
            oklab = CssColorSpaces::rectangularFromPolar(oklab);
        }
        return fromSrgb(CssColorSpaces::srgbFromOklab(oklab), rgba[3]);
    }
    case Function::Color: {
        // Each channel on 0..1, 100% is 1, and out of range allowed: clipped only at the end.
        const CssColorSpaces::Triple channels{doubleOf(0, decimal(1)), doubleOf(1, decimal(1)),
                                              doubleOf(2, decimal(1))};
        if (space == "srgb")
            return fromSrgb(channels, rgba[3]);
        if (space == "srgb-linear")
            return fromSrgb(CssColorSpaces::srgbFromLinearSrgb(channels), rgba[3]);
        if (space == "display-p3")
            return fromSrgb(CssColorSpaces::srgbFromDisplayP3(channels), rgba[3]);
        return fromSrgb(CssColorSpaces::srgbFromRec2020(channels), rgba[3]);
    }
    }
    return refused(QStringLiteral("not a color"));
}

// The host's script color, "color r g b" or "color r g b a" (the word already taken off): numbers
// on 0..255, the alpha too; clamped, as for rgb().
Result readScriptColor(std::string_view values)
{
    const std::vector<std::string_view> parts = splitAtSpaces(values);
    if (parts.size() != 3 && parts.size() != 4)
        return refused(QStringLiteral("a script color takes 3 or 4 numbers"));
    int rgba[4] = {0, 0, 0, 255};
    bool clipped = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        Decimal number;
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

// The host's point "[r, g, b]", each a number on 0..255, clamped as for rgb().
Result readPoint(std::string_view inner)
{
    const std::vector<std::string_view> parts = splitAt(inner, ',');
    if (parts.size() != 3)
        return refused(QStringLiteral("a point takes 3 numbers"));
    int rgba[4] = {0, 0, 0, 255};
    bool clipped = false;
    for (std::size_t i = 0; i < 3; ++i) {
        Decimal number;
        std::string_view unit;
        if (!readQuantity(parts[i], number, unit) || !unit.empty())
            return refused(valueReason("value %1 is not a number", i));
        rgba[i] = channel255(number, clipped);
    }
    Result result = accepted(rgba);
    result.clipped = clipped;
    return result;
}

// "color" followed by a blank: the script's color constructor.
bool isScriptColor(std::string_view s)
{
    return s.size() > 5 && s.substr(0, 5) == "color" && isSpace(s[5]);
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
    if (isScriptColor(s))
        return readScriptColor(s.substr(5));
    if (s.front() == '[') {
        if (s.back() != ']')
            return refused(QStringLiteral("a point is missing its closing bracket"));
        return readPoint(s.substr(1, s.size() - 2));
    }
    if (s.front() == '(') {
        // The script's "(color r g b)", or a list in parentheses as Python writes a tuple.
        if (s.back() != ')')
            return refused(QStringLiteral("missing closing parenthesis"));
        const std::string_view inner = trimmed(s.substr(1, s.size() - 2));
        if (inner.find_first_of("()") != std::string_view::npos)
            return refused(QStringLiteral("parentheses inside parentheses"));
        if (isScriptColor(inner))
            return readScriptColor(inner.substr(5));
        return readList(inner);
    }
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
