#pragma once

#include <QColor>
#include <QString>
#include <QVector>

// The texts "Copy as" writes, one per form, each of which reads back as the same 8-bit color:
// ColorTextParser reads all but the linear ones, and each linear value decodes by its own curve to
// the channel it came from (four decimals, more near black where four would not tell channels
// apart). An alpha below 255 is written wherever the form has room for one.
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
        // "0.0423, 0.1981, 0.6654": linear light decoded with the sRGB curve (IEC 61966-2-1),
        // for shader code, the alpha (not decoded) as a fourth. Pasted back as bare text it
        // reads as gamma-encoded unit floats, as every list of decimals does; the clipboard's
        // color data carries the color itself.
        LinearFloats,
        // "0.0385, 0.2011, 0.6730": linear by the pure 2.2 power law the host's display gamma
        // and the spinners use with the sRGB switch off, the alpha as a fourth.
        LinearGamma22,
        // "(58, 123, 213)", "(58, 123, 213, 128)": a Python tuple.
        PythonTuple,
    };

    static QVector<Form> forms();
    static QString text(Form form, const QColor& color);
    // What a menu shows beside a text that does not say itself what it is ("Linear (sRGB
    // curve)"); empty for the forms that name their kind.
    static QString label(Form form);
};
