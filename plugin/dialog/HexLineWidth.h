#pragma once

class QLineEdit;

// The form holds the hex line to 50 pixels, room for six digits in the host's interface font. With
// a wider font the first digits would scroll out of view, so the line grows until six of the
// widest hex digit fit inside its frame and text margins.
class HexLineWidth
{
public:
    // Widens `line` to six of its font's widest hex digit; a line wide enough already stays.
    static void fitSixDigits(QLineEdit* line);
};
