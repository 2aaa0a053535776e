#include "fields/HsvWheel.h"

#include "color/Rounding.h"

#include <QLineF>

#include <algorithm>

namespace {

const char kPicture[] = ":/ColorFields/resources/hsvWheel.png";

} // namespace

HsvWheel::HsvWheel(ColorDialogServices* dialog, QWidget* parent) : ColorWheel(dialog, parent)
{
    createLabels(QString::fromLatin1(kPicture));
    setAttribute(Qt::WA_Hover);
}

HsvWheel::~HsvWheel() = default;

void HsvWheel::setColor(const ColorValue& value)
{
    color = value;
    moveMarker(color.hsv());
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
