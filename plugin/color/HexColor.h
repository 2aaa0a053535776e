#pragma once

#include <QString>

class RgbColor;

// The six-digit hexadecimal text of a color, red first, without a leading '#'.
class HexColor
{
public:
    HexColor();
    // Text typed by the user: shorter than six characters becomes "000000", longer becomes
    // "FFFFFF", exactly six is kept as typed (case and characters unchecked).
    explicit HexColor(const QString& text);
    // Six lowercase digits.
    explicit HexColor(const RgbColor& rgb);

    const QString& text() const { return m_text; }

    // Writes red, green and blue parsed from the text into rgb; alpha is left as it is. A text
    // that is not six characters long changes nothing; a pair that is not hex reads as 0.
    void parseInto(RgbColor& rgb) const;

    bool operator==(const HexColor& other) const { return m_text == other.m_text; }
    bool operator!=(const HexColor& other) const { return !(*this == other); }

private:
    QString m_text;
};
