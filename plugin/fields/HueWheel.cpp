#include "fields/HueWheel.h"

#include "color/ColorChannel.h"
#include "fields/ColorField.h"
#include "fields/kit/FocusFrame.h"

namespace {

const char kPicture[] = ":/ColorFields/resources/hueWheel.png";

} // namespace

// The square is created after the picture and the marker, so it is stacked above them. Its
// corners lie about 90.5 pixels from the centre, well inside the ring's hole.
HueWheel::HueWheel(ColorDialogServices* services, QWidget* parent)
    : ColorWheel(services, parent), innerField(nullptr)
{
    createLabels(QString::fromLatin1(kPicture));
    innerField = new ColorField(width() / 2, height() / 2, services, this);
    innerField->setObjectName(QStringLiteral("innerField"));
    innerField->move(width() / 4, height() / 4);
    setAttribute(Qt::WA_Hover);
    // Around the whole wheel; the square draws its own.
    new FocusFrame(this);
}

HueWheel::~HueWheel() = default;

void HueWheel::setColor(const ColorValue& value)
{
    color = value;
    moveMarker(color.hsv());
    innerField->setColor(value, ColorChannel::Hue);
    tellScreenReaders(this);
}

void HueWheel::moveMarker(const HsvColor& hsv)
{
    markerLabel->move(markerCorner(hsv.hue(), RingMiddle));
}

bool HueWheel::stepForKey(int key, int units)
{
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Up:
        stepChannel(ColorChannel::Hue, units);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Down:
        stepChannel(ColorChannel::Hue, -units);
        return true;
    default:
        return false;
    }
}

QString HueWheel::spokenName() const
{
    return tr("Hue ring");
}

QString HueWheel::spokenValue() const
{
    return tr("hue %1").arg(color.hsv().hue());
}

QString HueWheel::spokenHelp() const
{
    return tr("Right and Up turn the hue by one degree, Left and Down back; Shift steps by ten. "
              "Home and End go to hue 0 and 359.");
}
