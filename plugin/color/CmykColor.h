#pragma once

class RgbColor;

// Cyan, magenta, yellow and key in percent 0..100. Constructors and setters clamp.
class CmykColor
{
public:
    CmykColor() = default;
    CmykColor(int cyan, int magenta, int yellow, int key);
    explicit CmykColor(const RgbColor& rgb);

    int alpha() const { return m_alpha; }
    int cyan() const { return m_cyan; }
    int magenta() const { return m_magenta; }
    int yellow() const { return m_yellow; }
    int key() const { return m_key; }
    float cyanF() const { return m_cyan / 100.0f; }
    float magentaF() const { return m_magenta / 100.0f; }
    float yellowF() const { return m_yellow / 100.0f; }
    float keyF() const { return m_key / 100.0f; }

    void setCyan(int cyan);
    void setMagenta(int magenta);
    void setYellow(int yellow);
    void setKey(int key);

    bool operator==(const CmykColor& other) const;
    bool operator!=(const CmykColor& other) const { return !(*this == other); }

private:
    int m_alpha = 255;
    int m_cyan = 0;
    int m_magenta = 0;
    int m_yellow = 0;
    int m_key = 0;
};
