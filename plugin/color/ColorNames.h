#pragma once

#include <QString>

class ColorValue;
class RgbColor;

// Colors and channels put into words for people who cannot see them: what screen readers say.

// The CSS color name nearest to rgb by CIE76 distance (Euclidean in CIE-Lab, as the color model
// converts), alpha ignored. Synonyms answer by one spelling: "cyan" for aqua, "magenta" for
// fuchsia, "gray" for grey. Ties go to the name first in alphabetical order.
QString nearestColorName(const RgbColor& rgb);

// A CSS name as words: "darkorange" is "dark orange", "lightgoldenrodyellow" is "light goldenrod
// yellow". Names without known parts come back unchanged.
QString spokenColorName(const QString& cssName);

// A channel name with its first letter in upper case, to begin a sentence: "Hue", "Lab a".
QString capitalized(const QString& words);

// The hex and the name in words: "#FF8000, dark orange".
QString spokenHexAndName(const RgbColor& rgb);

// The color as a screen reader announces it: its hex, the nearest CSS name in words and its HSV,
// "#FF8000, dark orange, hue 30, saturation 100, value 100".
QString spokenColor(const ColorValue& value);
