#include "color/CssColorFunctions.h"

#include "color/ColorTextReading.h"
#include "color/ColorTextTokens.h"
#include "color/CssColorSpaces.h"
#include "color/HslMath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ColorTextReading {

namespace {

// Beyond this any channel of any space is far outside every gamut; bounding the values keeps the
// floating-point conversions finite however long the exponent.
double boundedDouble(const ExactDecimal& d)
{
    return d.clamped(ExactDecimal(-1, -9), ExactDecimal(1, -9)).toDouble();
}

// A function's values, read: each a number and its unit ("none" reads as zero, as CSS converts
// it), the alpha already in 8 bits, and color()'s space.
struct Arguments
{
    ExactDecimal numbers[4];
    std::string_view units[4];
    int alpha = 255;
    std::string_view space;

    // Value `i` as a number, a percentage standing for `hundred` at 100%.
    ExactDecimal value(std::size_t i, const ExactDecimal& hundred) const
    {
        return units[i] == "%" ? numbers[i].shifted(2) * hundred : numbers[i];
    }
    double doubleValue(std::size_t i, const ExactDecimal& hundred) const
    {
        return boundedDouble(value(i, hundred));
    }
    // Value `i` on 0..1 from a percentage, plain numbers counting as percentages.
    ExactDecimal fraction(std::size_t i) const { return numbers[i].shifted(2).clamped(0, 1); }
    ExactDecimal hue(std::size_t i) const;
};

// A hue in degrees, [0, 360), from a number and its unit (none, "deg", "grad", "rad", "turn").
// Degrees, grads and turns are exact; radians go through a double.
ExactDecimal Arguments::hue(std::size_t i) const
{
    const std::string_view unit = units[i];
    if (unit == "grad")
        return (numbers[i] * ExactDecimal(9, 1)).wrapped(360);
    if (unit == "turn")
        return (numbers[i] * 360).wrapped(360);
    if (unit == "rad") {
        constexpr double degreesPerRadian = 180 / 3.14159265358979323846;
        const double degrees = std::fmod(boundedDouble(numbers[i]) * degreesPerRadian, 360.0);
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", degrees);
        ExactDecimal exact;
        std::string_view none;
        if (!readQuantity(text, exact, none))
            return ExactDecimal();
        return exact.wrapped(360);
    }
    return numbers[i].wrapped(360);
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

Result fromRgb(const std::array<int, 3>& rgb, int alpha)
{
    const int rgba[4] = {rgb[0], rgb[1], rgb[2], alpha};
    return accepted(rgba);
}

// Numbers are on 0..255; percentages of 255.
Result readRgb(const Arguments& args)
{
    int rgba[4] = {0, 0, 0, args.alpha};
    bool clipped = false;
    for (std::size_t i = 0; i < 3; ++i)
        rgba[i] = channel255(args.value(i, 255), clipped);
    Result result = accepted(rgba);
    result.clipped = clipped;
    return result;
}

Result readHsl(const Arguments& args)
{
    return fromRgb(rgbFromHsl(args.hue(0), args.fraction(1), args.fraction(2)), args.alpha);
}

Result readHwb(const Arguments& args)
{
    return fromRgb(rgbFromHwb(args.hue(0), args.fraction(1), args.fraction(2)), args.alpha);
}

// Lightness 0..100 (100% is 100); a and b 100% is 125, chroma 100% is 150.
Result fromLab(const Arguments& args, bool polar)
{
    CssColorSpaces::Triple lab{std::clamp(args.doubleValue(0, 100), 0.0, 100.0),
                               args.doubleValue(1, polar ? 150 : 125),
                               polar ? args.hue(2).toDouble() : args.doubleValue(2, 125)};
    if (polar) {
        lab[1] = std::max(lab[1], 0.0);
        lab = CssColorSpaces::rectangularFromPolar(lab);
    }
    return fromSrgb(CssColorSpaces::srgbFromLab(lab), args.alpha);
}

// Lightness 0..1 (100% is 1); a, b and chroma 100% is 0.4.
Result fromOklab(const Arguments& args, bool polar)
{
    const ExactDecimal hundred(4, 1);
    CssColorSpaces::Triple oklab{std::clamp(args.doubleValue(0, 1), 0.0, 1.0),
                                 args.doubleValue(1, hundred),
                                 polar ? args.hue(2).toDouble() : args.doubleValue(2, hundred)};
    if (polar) {
        oklab[1] = std::max(oklab[1], 0.0);
        oklab = CssColorSpaces::rectangularFromPolar(oklab);
    }
    return fromSrgb(CssColorSpaces::srgbFromOklab(oklab), args.alpha);
}

Result readLab(const Arguments& args)
{
    return fromLab(args, false);
}

Result readLch(const Arguments& args)
{
    return fromLab(args, true);
}

Result readOklab(const Arguments& args)
{
    return fromOklab(args, false);
}

Result readOklch(const Arguments& args)
{
    return fromOklab(args, true);
}

// Each channel on 0..1, 100% is 1, and out of range allowed: clipped only at the end.
Result readColor(const Arguments& args)
{
    const CssColorSpaces::Triple channels{args.doubleValue(0, 1), args.doubleValue(1, 1),
                                          args.doubleValue(2, 1)};
    if (args.space == "srgb")
        return fromSrgb(channels, args.alpha);
    if (args.space == "srgb-linear")
        return fromSrgb(CssColorSpaces::srgbFromLinearSrgb(channels), args.alpha);
    if (args.space == "display-p3")
        return fromSrgb(CssColorSpaces::srgbFromDisplayP3(channels), args.alpha);
    return fromSrgb(CssColorSpaces::srgbFromRec2020(channels), args.alpha);
}

struct CssFunction
{
    std::string_view name;
    Result (*read)(const Arguments& args);
    // The value at which the hue stands, or -1.
    int hueIndex = -1;
    // color() names its space before its values: "color(display-p3 1 0 0)".
    bool namesSpace = false;
};

const CssFunction kFunctions[] = {
    {"rgb", readRgb},        {"rgba", readRgb},
    {"hsl", readHsl, 0},     {"hsla", readHsl, 0},
    {"hwb", readHwb, 0},     {"lab", readLab},
    {"lch", readLch, 2},     {"oklab", readOklab},
    {"oklch", readOklch, 2}, {"color", readColor, -1, true},
};

const CssFunction* functionNamed(std::string_view name)
{
    for (const CssFunction& function : kFunctions) {
        if (function.name == name)
            return &function;
    }
    return nullptr;
}

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

// The values between the parentheses: separated by commas, or by blanks with an optional
// "/ alpha". False with `reason` set when they are neither.
bool splitValues(std::string_view inner, const QString& functionName,
                 std::vector<std::string_view>& values, QString& reason)
{
    if (inner.find(',') != std::string_view::npos) {
        if (inner.find('/') != std::string_view::npos) {
            reason = QStringLiteral("%1 mixes commas with /").arg(functionName);
            return false;
        }
        values = splitAt(inner, ',');
    } else {
        const std::vector<std::string_view> parts = splitAt(inner, '/');
        if (parts.size() > 2) {
            reason = QStringLiteral("%1 has more than one /").arg(functionName);
            return false;
        }
        values = splitAtSpaces(parts[0]);
        if (parts.size() == 2) {
            if (values.size() != 3) {
                reason = QStringLiteral("%1 takes 3 values before /").arg(functionName);
                return false;
            }
            const std::vector<std::string_view> alpha = splitAtSpaces(parts[1]);
            if (alpha.size() != 1) {
                reason = QStringLiteral("%1 takes one alpha after /").arg(functionName);
                return false;
            }
            values.push_back(alpha[0]);
        }
    }
    if (values.size() != 3 && values.size() != 4) {
        reason = QStringLiteral("%1 takes 3 or 4 values").arg(functionName);
        return false;
    }
    return true;
}

} // namespace

Result readCssFunction(std::string_view text)
{
    const std::size_t open = text.find('(');
    const std::string_view name = text.substr(0, open);
    const CssFunction* function = functionNamed(name);
    if (!function) {
        if (name.empty() || name.size() > 16 ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            return refused(QStringLiteral("not a color"));
        return refused(QStringLiteral("%1() is not one of rgb(), hsl(), hwb(), lab(), lch(), "
                                      "oklab(), oklch() and color()")
                           .arg(latin1(name)));
    }
    const QString functionName = latin1(name) + QStringLiteral("()");
    if (text.back() != ')')
        return refused(QStringLiteral("%1 is missing its closing parenthesis").arg(functionName));
    std::string_view inner = text.substr(open + 1, text.size() - open - 2);
    if (inner.find_first_of("()") != std::string_view::npos)
        return refused(QStringLiteral("parentheses inside %1").arg(functionName));

    Arguments args;
    if (function->namesSpace) {
        inner = trimmed(inner);
        const std::size_t end = std::min(inner.find_first_of(" \t\n\r\f\v"), inner.size());
        args.space = inner.substr(0, end);
        inner = inner.substr(end);
        if (args.space != "srgb" && args.space != "srgb-linear" && args.space != "display-p3" &&
            args.space != "rec2020") {
            if (args.space.empty() || args.space.size() > 16)
                return refused(QStringLiteral("color() names no color space"));
            return refused(QStringLiteral("color space %1 is not one of srgb, srgb-linear, "
                                          "display-p3 and rec2020")
                               .arg(latin1(args.space)));
        }
    }

    std::vector<std::string_view> values;
    QString reason;
    if (!splitValues(inner, functionName, values, reason))
        return refused(reason);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == "none")
            continue;
        if (!readQuantity(values[i], args.numbers[i], args.units[i]))
            return refused(valueReason("value %1 is not a number", i));
        const std::string_view unit = args.units[i];
        const bool plain = unit.empty() || unit == "%";
        const bool angle = unit == "deg" || unit == "grad" || unit == "rad" || unit == "turn";
        const bool isHue = static_cast<int>(i) == function->hueIndex;
        if (!plain && !(angle && isHue))
            return refused(valueReason("value %1 has a unit that does not fit", i));
        if (isHue && unit == "%")
            return refused(QStringLiteral("a hue is no percentage"));
    }
    if (values.size() == 4)
        args.alpha = eightBits(args.units[3] == "%" ? args.numbers[3].shifted(2) : args.numbers[3]);
    return function->read(args);
}

} // namespace ColorTextReading
