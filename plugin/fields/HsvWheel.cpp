#include "fields/HsvWheel.h"

#include <QLineF>

#include <algorithm>
#include <math.h>

namespace {

const char kPicture[] = ":/ColorFields/resources/hsvWheel.png";

} // namespace

HsvWheel::HsvWheel(ColorDialogServices* dialog) : ColorWheel(nullptr)
{
    diskRadius = 256;
    this->dialog = dialog;
    setUp(DefaultSize, DefaultSize);
}

HsvWheel::~HsvWheel() = default;

void HsvWheel::setUp(int width, int height)
{
    setWheelSize(width, height);
    createLabels(QString::fromLatin1(kPicture));
    fieldLabel->setParent(this);
    markerLabel->setParent(this);
    diskRadius = std::max(this->width(), this->height()) / 2;
    setAttribute(Qt::WA_Hover);
}

void HsvWheel::setColor(const ColorValue& value)
{
    color = value;
    moveMarker(color.hsv());
}

HsvColor HsvWheel::pickColor(int angle, const QPoint& position)
{
    const int value = color.hsv().value();
    // The length is measured in double and rounded in float; beyond the rim the saturation stays
    // at 100.
    const float length = static_cast<float>(QLineF(QPointF(center), QPointF(position)).length());
    const int d = static_cast<int>(nearbyintf(length));
    const int saturation = static_cast<int>(nearbyintf(static_cast<float>(std::min(d, diskRadius)) /
                                                       static_cast<float>(diskRadius) * 100.0f));
    const HsvColor hsv(angle, saturation, value, 255);
    reportPick(hsv);
    return hsv;
}

void HsvWheel::moveMarker(const HsvColor& hsv)
{
    // (width / 100) first, then the saturation, then the half: saturation 100 reaches the rim.
    const float perPercent = static_cast<float>(width()) / 100.0f;
    const int r =
        static_cast<int>(nearbyintf(static_cast<float>(hsv.saturation()) * perPercent * 0.5f));
    markerLabel->move(markerCorner(hsv.hue(), r));
}
