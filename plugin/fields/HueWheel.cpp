#include "fields/HueWheel.h"

#include "color/ColorChannel.h"
#include "fields/ColorField.h"

namespace {

const char kPicture[] = ":/ColorFields/resources/hueWheel.png";

} // namespace

// The square is created after the picture and the marker, so it is stacked above them. Its
// corners lie about 90.5 pixels from the centre, well inside the ring's hole.
HueWheel::HueWheel(ColorDialogServices* dialog, QWidget* parent)
    : ColorWheel(dialog, parent), innerField(nullptr)
{
    createLabels(QString::fromLatin1(kPicture));
    innerField = new ColorField(width() / 2, height() / 2, dialog, this);
    innerField->setObjectName(QStringLiteral("innerField"));
    innerField->move(width() / 4, height() / 4);
    setAttribute(Qt::WA_Hover);
}

HueWheel::~HueWheel() = default;

void HueWheel::setColor(const ColorValue& value)
{
    color = value;
    moveMarker(color.hsv());
    innerField->setColor(value, ColorChannel::Hue);
}

void HueWheel::moveMarker(const HsvColor& hsv)
{
    markerLabel->move(markerCorner(hsv.hue(), RingMiddle));
}
