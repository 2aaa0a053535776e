#include "color/HexColor.h"

#include "color/ColorTexts.h"
#include "color/RgbColor.h"

namespace {

constexpr int kHexLength = 6;

// The last two of eight zero-filled lowercase hex digits.
QString hexPair(int channel)
{
    return QStringLiteral("%1").arg(channel, 8, 16, QLatin1Char('0')).right(2);
}

} // namespace

HexColor::HexColor() : m_text(QLatin1String(kHexDefaultBlack))
{
}

HexColor::HexColor(const QString& text)
{
    if (text.size() < kHexLength) {
        m_text = QLatin1String(kHexDefaultBlack);
    } else if (text.size() > kHexLength) {
        m_text = QLatin1String(kHexWhite);
    } else {
        m_text = text;
    }
}

HexColor::HexColor(const RgbColor& rgb)
    : HexColor(hexPair(rgb.red()) + hexPair(rgb.green()) + hexPair(rgb.blue()))
{
}

void HexColor::parseInto(RgbColor& rgb) const
{
    if (m_text.size() != kHexLength) {
        return;
    }
    // toInt gives 0 for a pair that is not hex; the setters clamp anything signed it accepts.
    rgb.setRed(m_text.mid(0, 2).toInt(nullptr, 16));
    rgb.setGreen(m_text.mid(2, 2).toInt(nullptr, 16));
    rgb.setBlue(m_text.mid(4, 2).toInt(nullptr, 16));
}
