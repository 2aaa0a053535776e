#include "fields/HsvWheel.h"

#include "color/ColorNames.h"
#include "color/Rounding.h"
#include "fields/kit/FocusFrame.h"

#include <QLineF>

#include <algorithm>

namespace {

const char kPicture[] = ":/ColorFields/resources/hsvWheel.png";

} // namespace

HsvWheel::HsvWheel(ColorDialogServices* services, QWidget* parent) : ColorWheel(services, parent)
{
    createLabels(QString::fromLatin1(kPicture));
    setAttribute(Qt::WA_Hover);
    new FocusFrame(this);
}

HsvWheel::~HsvWheel() = default;

void HsvWheel::setColor(const ColorValue& value)
{
    color = value;
    moveMarker(color.hsv());
    tellScreenReaders(this);
}

int HsvWheel::diskRadius() const
{
    return std::max(width(), height()) / 2;
}

int HsvWheel::saturationAt(const QPoint& position) const
{
    // The length is measured in double and rounded in float.
    const float length = static_cast<float>(QLineF(QPointF(center()), QPointF(position)).length());
    const int radius = diskRadius();
    return nearest(static_cast<float>(std::min(nearest(length), radius)) /
                   static_cast<float>(radius) * 100.0f);
}

int HsvWheel::markerRadius(int saturation) const
{
    // (diameter / 100) first, then the saturation, then the half.
    const float perPercent = static_cast<float>(2 * diskRadius()) / 100.0f;
    return nearest(static_cast<float>(saturation) * perPercent * 0.5f);
}

HsvColor HsvWheel::pickColor(int angle, const QPoint& position)
{
    const HsvColor hsv(angle, saturationAt(position), color.hsv().value(), 255);
    reportPick(hsv);
    return hsv;
}

void HsvWheel::moveMarker(const HsvColor& hsv)
{
    markerLabel->move(markerCorner(hsv.hue(), markerRadius(hsv.saturation())));
}

bool HsvWheel::stepForKey(int key, int units)
{
    switch (key) {
    case Qt::Key_Left:
        stepChannel(ColorChannel::Hue, -units);
        return true;
    case Qt::Key_Right:
        stepChannel(ColorChannel::Hue, units);
        return true;
    case Qt::Key_Up:
        stepChannel(ColorChannel::Saturation, units);
        return true;
    case Qt::Key_Down:
        stepChannel(ColorChannel::Saturation, -units);
        return true;
    case Qt::Key_PageUp:
        stepChannel(ColorChannel::Value, units);
        return true;
    case Qt::Key_PageDown:
        stepChannel(ColorChannel::Value, -units);
        return true;
    default:
        return false;
    }
}

QString HsvWheel::spokenName() const
{
    return tr("Hue and saturation wheel; value fixed at %1").arg(color.hsv().value());
}

QString HsvWheel::spokenValue() const
{
    return tr("hue %1, saturation %2").arg(color.hsv().hue()).arg(color.hsv().saturation());
}

QString HsvWheel::spokenHelp() const
{
    return tr("Left and Right turn the hue by one degree, Up and Down change the saturation, "
              "Page Up and Page Down the value; Shift steps by ten. Home and End go to hue 0 "
              "and 359.");
}
