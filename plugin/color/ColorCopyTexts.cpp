#include "color/ColorCopyTexts.h"

#include "color/ColorTextParser.h"
#include "color/CssColorSpaces.h"
#include "color/GammaForms.h"
#include "color/HslMath.h"
#include "color/SrgbEncoding.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

// `value` with at most `decimals` decimals, trailing zeros and a bare point left off.
QString trimmedNumber(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

// Three decimals tell the 256 alphas apart: neighbours are 1/255 apart, and 0.0005 off is far
// inside half of that.
QString unitAlpha(int alpha)
{
    return trimmedNumber(alpha / 255.0, 3);
}

// The hue in degrees on [0, 360) of an angle from atan2, with `decimals` decimals, 360 written
// as 0.
QString hueText(double degrees, int decimals)
{
    if (degrees < 0)
        degrees += 360;
    const QString text = trimmedNumber(degrees, decimals);
    return text == QLatin1String("360") ? QStringLiteral("0") : text;
}

QString hslText(const QColor& color)
{
    const HslValues hsl = hslFromRgb(color.red(), color.green(), color.blue());
    const QString values = QStringLiteral("%1, %2%, %3%")
                               .arg(hueText(hsl.hue, 2), trimmedNumber(hsl.saturation * 100, 2),
                                    trimmedNumber(hsl.lightness * 100, 2));
    if (color.alpha() < 255)
        return QStringLiteral("hsla(%1, %2)").arg(values, unitAlpha(color.alpha()));
    return QStringLiteral("hsl(%1)").arg(values);
}

QString oklchText(const QColor& color)
{
    const CssColorSpaces::Triple oklab = CssColorSpaces::oklabFromSrgb(
        {color.red() / 255.0, color.green() / 255.0, color.blue() / 255.0});
    const double chroma = std::hypot(oklab[1], oklab[2]);
    // A gray has no hue; the one the arithmetic leaves over is noise.
    const bool gray = color.red() == color.green() && color.green() == color.blue();
    const double hue = gray ? 0.0 : std::atan2(oklab[2], oklab[1]) * (180 / 3.14159265358979323846);
    QString text = QStringLiteral("oklch(%1% %2 %3")
                       .arg(trimmedNumber(oklab[0] * 100, 3), trimmedNumber(gray ? 0.0 : chroma, 5),
                            hueText(hue, 2));
    if (color.alpha() < 255)
        text += QStringLiteral(" / %1").arg(unitAlpha(color.alpha()));
    return text + QLatin1Char(')');
}

// A linear value with four decimals, or as many more as it takes for `channel` to be read back
// from it by `decode` (near black, neighbouring channels differ in the fifth decimal or beyond).
QString linearNumber(int channel, double linear, double (*decode)(double))
{
    int decimals = 4;
    QString text = QString::number(linear, 'f', decimals);
    while (decimals < 9 && std::lround(decode(text.toDouble()) * 255) != channel)
        text = QString::number(linear, 'f', ++decimals);
    return text;
}

QString linearText(const QColor& color, bool srgbCurve)
{
    QStringList values;
    for (const int channel : {color.red(), color.green(), color.blue()}) {
        if (srgbCurve)
            values << linearNumber(channel, linearFromSrgb(channel / 255.0), srgbFromLinear);
        else
            values << linearNumber(channel, double(linearChannelF(channel)), gamma22FromLinear);
    }
    if (color.alpha() < 255)
        values << QString::number(color.alpha() / 255.0, 'f', 4);
    return values.join(QStringLiteral(", "));
}

QString integers(const QColor& color, const QString& separator)
{
    QStringList values{QString::number(color.red()), QString::number(color.green()),
                       QString::number(color.blue())};
    if (color.alpha() < 255)
        values << QString::number(color.alpha());
    return values.join(separator);
}

} // namespace

QVector<ColorCopyTexts::Form> ColorCopyTexts::forms()
{
    return {Form::Hex,    Form::Rgb,          Form::Hsl,           Form::Oklch,
            Form::Script, Form::LinearFloats, Form::LinearGamma22, Form::PythonTuple};
}

QString ColorCopyTexts::label(Form form)
{
    switch (form) {
    case Form::LinearFloats:
        return QCoreApplication::translate("ColorCopyTexts", "Linear (sRGB curve)");
    case Form::LinearGamma22:
        return QCoreApplication::translate("ColorCopyTexts", "Linear (gamma 2.2)");
    default:
        return QString();
    }
}

QString ColorCopyTexts::text(Form form, const QColor& color)
{
    const QColor rgb = color.toRgb();
    switch (form) {
    case Form::Hex:
        return ColorTextParser::format(rgb);
    case Form::Rgb:
        if (rgb.alpha() < 255) {
            return QStringLiteral("rgba(%1, %2)")
                .arg(integers(QColor(rgb.rgb()), QStringLiteral(", ")), unitAlpha(rgb.alpha()));
        }
        return QStringLiteral("rgb(%1)").arg(integers(rgb, QStringLiteral(", ")));
    case Form::Hsl:
        return hslText(rgb);
    case Form::Oklch:
        return oklchText(rgb);
    case Form::Script:
        return QStringLiteral("(color %1)").arg(integers(rgb, QStringLiteral(" ")));
    case Form::LinearFloats:
        return linearText(rgb, true);
    case Form::LinearGamma22:
        return linearText(rgb, false);
    case Form::PythonTuple:
        return QStringLiteral("(%1)").arg(integers(rgb, QStringLiteral(", ")));
    }
    return QString();
}
