#include "fields/HueWheel.h"

#include "color/ColorChannel.h"
#include "fields/ColorField.h"

namespace {

const char kPicture[] = ":/ColorFields/resources/hueWheel.png";

} // namespace

HueWheel::HueWheel(ColorDialogServices* dialog) : ColorWheel(nullptr)
{
    this->dialog = dialog;
    setUp(DefaultSize, DefaultSize);
}

HueWheel::~HueWheel() = default;

void HueWheel::setUp(int width, int height)
{
    setWheelSize(width, height);
    // The square's corners lie about 90.5 pixels from the centre, well inside the ring's hole.
    innerField = new ColorField(width / 2, height / 2, dialog);
    innerField->setObjectName(QStringLiteral("innerField"));
    createLabels(QString::fromLatin1(kPicture));
    innerField->move(this->width() / 4, this->height() / 4);
    // In this order, so that the square is stacked above the picture and the marker.
    fieldLabel->setParent(this);
    markerLabel->setParent(this);
    innerField->setParent(this);
    ringRadius = RingMiddle;
    setAttribute(Qt::WA_Hover);
}

void HueWheel::setColor(const ColorValue& value)
{
    color = value;
    moveMarker(color.hsv());
    innerField->setColor(value, ColorChannel::Hue);
}

void HueWheel::moveMarker(const HsvColor& hsv)
{
    markerLabel->move(markerCorner(hsv.hue(), ringRadius));
}
