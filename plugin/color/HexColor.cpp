#include "color/HexColor.h"

#include "color/ColorTexts.h"
#include "color/RgbColor.h"

namespace {

constexpr int kHexLength = 6;

// The last two of the channel's zero-filled lowercase hex digits (a channel is 0..255, so these
// are all of them). Written directly: this runs for every color the dialog shows.
void appendHexPair(QChar* out, int channel)
{
    static const char digits[] = "0123456789abcdef";
    out[0] = QLatin1Char(digits[(channel >> 4) & 0xf]);
    out[1] = QLatin1Char(digits[channel & 0xf]);
}

QString formatRgb(const RgbColor& rgb)
{
    QString text(kHexLength, Qt::Uninitialized);
    QChar* out = text.data();
    appendHexPair(out, rgb.red());
    appendHexPair(out + 2, rgb.green());
    appendHexPair(out + 4, rgb.blue());
    return text;
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

HexColor::HexColor(const RgbColor& rgb) : HexColor(formatRgb(rgb))
{
}

void HexColor::parseInto(RgbColor& rgb) const
{
    if (m_text.size() != kHexLength) {
        return;
    }
    // toInt gives 0 for a pair that is not hex; the setters clamp anything signed it accepts.
    rgb.setRed(m_text.midRef(0, 2).toInt(nullptr, 16));
    rgb.setGreen(m_text.midRef(2, 2).toInt(nullptr, 16));
    rgb.setBlue(m_text.midRef(4, 2).toInt(nullptr, 16));
}
