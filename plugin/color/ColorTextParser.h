#pragma once

#include <QColor>
#include <QString>

// Reads a color from text as people copy it out of other programs, and writes the text the picker
// copies. Surrounding whitespace and letter case never matter. Accepted forms:
//
// - Hex: "#rgb", "#rgba", "#rrggbb", "#rrggbbaa", each with or without the "#" (a short digit
//   stands for itself twice: "#f80" is "#ff8800").
// - CSS functions rgb(), rgba(), hsl(), hsla(), with commas ("rgb(255, 128, 0)",
//   "rgba(255, 128, 0, 0.5)") or with spaces and an optional "/ alpha" ("rgb(255 128 0 / 50%)").
//   rgb and rgba are the same function, as are hsl and hsla: the alpha is optional in each.
//   Numbers are CSS numbers: integers, decimals and exponents ("1e2"). Red, green and blue are
//   numbers on 0..255 or percentages of 255; the alpha a number on 0..1 or a percentage. The hue
//   is in degrees, plain or with "deg", "grad", "rad" or "turn", and wraps around 360; saturation
//   and lightness are percentages (plain numbers count as percentages). As CSS does, values out of
//   range are clamped, not refused: "rgb(300, -5, 0)" is red.
// - The rest of CSS Color 4: hwb() (hue, whiteness, blackness as hsl() reads its values), lab()
//   and lch() (CIE Lab on CSS's D50 white: lightness 0..100 or 0%..100%, a and b with 100% = 125,
//   chroma with 100% = 150), oklab() and oklch() (lightness 0..1 or 0%..100%, a, b and chroma
//   with 100% = 0.4), and color() in srgb, srgb-linear, display-p3 and rec2020 (channels 0..1 or
//   percentages). "none" stands for any value and counts as zero. Lightness is clamped to its
//   range and a negative chroma to 0; a color outside sRGB is clipped (see Result::clipped).
// - The host's script forms: "(color r g b)", "color r g b a" (with or without parentheses, the
//   alpha optional) and the point "[r, g, b]", all numbers on 0..255, clamped as in rgb().
// - The CSS color names (QColor::colorNames(), the SVG list, plus "rebeccapurple" where Qt lacks
//   it), and "transparent", which is black with alpha 0 as in CSS.
// - Lists of three or four values separated by commas, red, green, blue and an optional alpha:
//   either whole numbers on 0..255 ("255, 128, 0, 255") or unit floats on 0..1
//   ("1, 0.5, 0.25"). A list in which any value has a decimal point or an exponent is unit
//   floats, otherwise whole numbers: "1, 0, 0" is the darkest red, "1.0, 0, 0" pure red. Values
//   out of range are refused, not clamped, and whole-number lists take whole numbers only. The
//   list may stand in parentheses, as a Python tuple: "(58, 123, 213)".
//
// Every value is read exactly as the decimal it is written as and brought to 8 bits by rounding
// to the nearest integer with halves rounded up, as browsers do: "rgb(127.5, 0, 0)",
// "rgb(50%, 0, 0)" and "0.5, 0, 0" all give red 128; hsl() is computed exactly as well, so
// "hsl(0, 100%, 15%)" (red exactly 76.5) gives 77, and so is hwb(). The other CSS spaces are
// converted in double precision (CssColorSpaces), clipped to 0..1 per channel and then rounded to
// 8 bits, halves up. Exponents are limited to three digits
// ("1e-999"); a text longer than MaxLength characters is refused unread.
class ColorTextParser
{
public:
    static constexpr int MaxLength = 256;

    struct Result
    {
        // Set when the text names a color; `color` then holds it, with 8-bit channels.
        bool ok = false;
        QColor color;
        // Set when the color lies outside sRGB and was clipped to it: some channel's nearest
        // 8-bit value was below 0 or above 255 before clipping.
        bool clipped = false;
        // Why the text is no color, one short line without a final full stop; empty when ok.
        QString reason;
    };

    static Result parse(const QString& text);

    // "#RRGGBB", or "#RRGGBBAA" when the alpha is below 255: upper-case hex that parse reads back
    // as the same color.
    static QString format(const QColor& color);
};
