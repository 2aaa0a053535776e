#pragma once

#include <QColor>
#include <QString>
#include <QVector>

// The texts "Copy as" writes, one per form, each of which ColorTextParser reads back as the same
// 8-bit color (the linear floats as color(srgb-linear ...), see LinearFloats). An alpha below 255
// is written wherever the form has room for one.
class ColorCopyTexts
{
public:
    enum class Form
    {
        // "#3A7BD5", "#3A7BD580" below full alpha: what Ctrl+C copies.
        Hex,
        // "rgb(58, 123, 213)", "rgba(58, 123, 213, 0.502)": the alpha with three decimals.
        Rgb,
        // "hsl(214.84, 64.85%, 53.14%)": hue, saturation and lightness with up to two decimals
        // (trailing zeros left off), "hsla(...)" with the alpha as in Rgb.
        Hsl,
        // "oklch(58.619% 0.15327 257.23)": lightness in percent with up to three decimals, chroma
        // with up to five, hue with up to two; "/ 0.502" for an alpha.
        Oklch,
        // The host's script literal "(color 58 123 213)", "(color 58 123 213 128)".
        Script,
        // "0.0423, 0.1981, 0.6654": linear light decoded from sRGB (IEC 61966-2-1), for shader
        // code, four decimals each, the alpha (not decoded) as a fourth. Pasted back as bare
        // text it reads as gamma-encoded unit floats, as every list of decimals does.
        LinearFloats,
        // "(58, 123, 213)", "(58, 123, 213, 128)": a Python tuple.
        PythonTuple,
    };

    static QVector<Form> forms();
    static QString text(Form form, const QColor& color);
};
