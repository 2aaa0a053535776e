#include "fields/ColorSlider.h"

#include "color/ColorNames.h"
#include "fields/ColorSliderStrip.h"
#include "fields/kit/AccessibilityEvents.h"
#include "fields/kit/ColorDialogServices.h"
#include "fields/kit/FocusFrame.h"
#include "fields/kit/KeyboardStep.h"
#include "fields/pictures/ChannelGradient.h"
#include "fields/pictures/ColorSliderMapping.h"
#include "host/services/HostAccess.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <vector>

namespace {

const char kHorizontalMarkerIcon[] = ":/CommandPanel/Motion/BipedRollout/ZeroAll";
const char kLeftArrowIcon[] = ":/Common/TreeView/Closed";
const char kRightArrowIcon[] = ":/Common/ArrowHeadLeft";

constexpr int kHorizontalMarkerSize = 20;
constexpr int kArrowSize = 32;
// Added to the marker coordinate on the strip to give each marker label's top-left corner.
constexpr QPoint kHorizontalMarkerOffset(-10, 0);
constexpr QPoint kLeftArrowOffset(-22, -16);
constexpr QPoint kRightArrowOffset(-9, -16);
// The arrowheads are drawn in the middle of their labels: the left one from 10 pixels left of the
// strip, the right one to 17 pixels right of it. The strip sits where both fit centred.
constexpr int kArrowsOverhang = 7;

QLabel* iconLabel(QWidget* parent, const char* objectName, const char* icon, int width, int height,
                  int iconSize)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setFixedSize(width, height);
    label->setPixmap(HostAccess::IconPixmap(icon, iconSize));
    // Presses on a marker belong to the slider under it.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// The two components of the channel's space besides the channel (none for the hue bar, which is
// the same whatever the color): a gradient drawn for them stays valid while they do not change.
void channelKey(const ColorValue& value, ColorChannel channel, int key[2])
{
    const ChannelInfo& info = channelInfo(channel);
    for (int i = 0; i < 2; ++i) {
        key[i] = info.others[i] == ColorChannel::None ? 0 : value.channel(info.others[i]);
    }
}

} // namespace

ColorSlider::ColorSlider(ColorDialogServices* services, QWidget* parent)
    : QLabel(parent), dialog(services)
{
    setUp(50, 256, Vertical);
}

ColorSlider::ColorSlider(ColorDialogServices* services, int width, int height, int direction,
                         QWidget* parent)
    : QLabel(parent), dialog(services)
{
    setUp(width, height, direction);
}

ColorSlider::~ColorSlider() = default;

// The strip and its markers are placed by hand rather than by a layout: the markers move freely
// over the strip, and a strip pixel's index along the slider must equal its coordinate, so that
// the marker centred on a coordinate stands on the pixel showing that coordinate's value.
void ColorSlider::setUp(int width, int height, int direction)
{
    this->orientation = direction;
    setFixedSize(width, height);
    if (direction != Vertical) {
        gradientLabel = new ColorSliderStrip(this);
        gradientLabel->setFixedSize(width, height);
        gradientLabel->move(0, 0);
        markerLabel = iconLabel(this, "markerLabel", kHorizontalMarkerIcon, kHorizontalMarkerSize,
                                height, kHorizontalMarkerSize);
    } else {
        leftArrowLabel =
            iconLabel(this, "leftArrowLabel", kLeftArrowIcon, kArrowSize, kArrowSize, kArrowSize);
        gradientLabel = new ColorSliderStrip(this);
        const int stripWidth = static_cast<int>(width * 0.4f);
        gradientLabel->setFixedSize(stripWidth, height);
        gradientLabel->move(std::max(0, (width - stripWidth - kArrowsOverhang) / 2), 0);
        rightArrowLabel =
            iconLabel(this, "rightArrowLabel", kRightArrowIcon, kArrowSize, kArrowSize, kArrowSize);
    }
    gradientLabel->setObjectName(QStringLiteral("gradientLabel"));
    gradientLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    moveMarker(markerPosition(color, channel));
    setFocusPolicy(Qt::StrongFocus);
    new FocusFrame(this);
}

int ColorSlider::length() const
{
    return orientation == Vertical ? height() : width();
}

void ColorSlider::setColor(const ColorValue& value, ColorChannel shownChannel)
{
    if (pressed || dragging) {
        return;
    }
    color = value;
    if (shownChannel != ColorChannel::None) {
        this->channel = shownChannel;
    }
    if (isSliderChannel(this->channel)) {
        int key[2];
        channelKey(value, this->channel, key);
        if (this->channel != gradientChannel || key[0] != gradientKey[0] ||
            key[1] != gradientKey[1]) {
            if (drawGradient()) {
                gradientLabel->showGradient();
            }
            gradientChannel = this->channel;
            gradientKey[0] = key[0];
            gradientKey[1] = key[1];
        }
    }
    moveMarker(markerPosition(value, this->channel));
    tellScreenReaders(this);
}

QImage ColorSlider::makeGradient()
{
    return drawGradient() ? gradientLabel->gradient() : QImage();
}

// The colors vary only along the slider: one pixel per index, in a single column (vertical) or
// row (horizontal), written in place into the strip's picture.
bool ColorSlider::drawGradient()
{
    const int l = length();
    if (l <= 0 || !isSliderChannel(channel)) {
        return false;
    }
    if (channel != stepsChannel || int(steps.size()) != l) {
        steps = ChannelGradient::steps(channel, l);
        stepsChannel = channel;
    }
    QRgb* pixels =
        gradientLabel->gradientPixels(orientation == Vertical ? QSize(1, l) : QSize(l, 1));
    return ChannelGradient::colors(color, channel, l, pixels, steps.data());
}

int ColorSlider::markerPosition(const ColorValue& value, ColorChannel markerChannel) const
{
    return ColorSliderMapping(markerChannel, length()).markerPosition(value);
}

void ColorSlider::moveMarker(int coordinate)
{
    if (orientation != Vertical) {
        QPoint p(coordinate, gradientLabel->y());
        clampToSlider(p);
        markerLabel->move(p + kHorizontalMarkerOffset);
    } else {
        QPoint p(gradientLabel->x(), coordinate);
        clampToSlider(p);
        leftArrowLabel->move(p + kLeftArrowOffset);
        rightArrowLabel->move(QPoint(p.x() + gradientLabel->width(), p.y()) + kRightArrowOffset);
    }
}

int ColorSlider::valueAt(int coordinate) const
{
    return ColorSliderMapping(channel, length()).valueAt(coordinate);
}

void ColorSlider::reportValueAt(int coordinate)
{
    if (!dialog) {
        return;
    }
    dialog->SliderValueChanged(valueAt(coordinate), channel, !pressed);
}

void ColorSlider::clampToSlider(QPoint& p) const
{
    if (orientation != Vertical) {
        p.setX(std::clamp(p.x(), markerMin, width()));
    } else {
        p.setY(std::clamp(p.y(), markerMin, height()));
    }
}

void ColorSlider::setPixmap(QPixmap pm)
{
    // A pixmap may leave part of the strip to what lies under it.
    gradientLabel->setAttribute(Qt::WA_OpaquePaintEvent, false);
    gradientLabel->setPixmap(pm);
    gradientChannel = ColorChannel::None;
}

void ColorSlider::setImage(QImage& im)
{
    setPixmap(QPixmap::fromImage(im));
}

int ColorSlider::coordinateOf(const QPoint& pos) const
{
    return orientation == Vertical ? pos.y() : pos.x();
}

void ColorSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || pressed) {
        return;
    }
    pressed = true;
    dragging = true;
    reportValueAt(coordinateOf(event->pos()));
    moveMarker(coordinateOf(event->pos()));
}

void ColorSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed) {
        return;
    }
    reportValueAt(coordinateOf(event->pos()));
    moveMarker(coordinateOf(event->pos()));
}

void ColorSlider::mouseReleaseEvent(QMouseEvent* event)
{
    pressed = false;
    dragging = false;
    // The marker follows when the dialog pushes the new color back.
    reportValueAt(coordinateOf(event->pos()));
    // A release that changes nothing pushes nothing back, yet the color may have changed by
    // another way while the slider held still for the drag (a spinner finishing its edit as it
    // lost the focus): catch up with it.
    if (dialog)
        setColor(dialog->GetCurrentColorValue(), ColorChannel::None);
}

void ColorSlider::keyPressEvent(QKeyEvent* event)
{
    if (!isSliderChannel(channel) || pressed || !KeyboardStep::isPlainOrShift(event->modifiers())) {
        QLabel::keyPressEvent(event);
        return;
    }
    const int units = KeyboardStep::units(event->modifiers());
    // The high end of every channel is at the top, or at the left of a horizontal slider.
    const bool horizontal = orientation != Vertical;
    int delta = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        delta = units;
        break;
    case Qt::Key_Down:
        delta = -units;
        break;
    case Qt::Key_Left:
        delta = horizontal ? units : 0;
        break;
    case Qt::Key_Right:
        delta = horizontal ? -units : 0;
        break;
    case Qt::Key_PageUp:
        delta = KeyboardStep::kShiftUnits;
        break;
    case Qt::Key_PageDown:
        delta = -KeyboardStep::kShiftUnits;
        break;
    case Qt::Key_Home:
        chooseValue(KeyboardStep::highest(channel), 0);
        return;
    case Qt::Key_End:
        chooseValue(KeyboardStep::lowest(channel), 0);
        return;
    default:
        break;
    }
    if (delta == 0) {
        QLabel::keyPressEvent(event);
        return;
    }
    chooseValue(KeyboardStep::moved(channel, currentValue(), delta), delta > 0 ? 1 : -1);
}

int ColorSlider::currentValue() const
{
    return (dialog ? dialog->GetCurrentColorValue() : color).channel(channel);
}

void ColorSlider::chooseValue(int value, int direction)
{
    if (value == currentValue())
        return;
    if (!dialog) {
        color.setChannel(channel, value);
        moveMarker(markerPosition(color, channel));
        return;
    }
    // As a click: the value while the button is held, then once more at its release, which
    // tells the host and makes one step of the history.
    const ColorValue before = dialog->GetCurrentColorValue();
    dialog->SliderValueChanged(value, channel, false);
    const int span = KeyboardStep::highest(channel) - KeyboardStep::lowest(channel);
    for (int tries = 0; direction != 0 && tries < span &&
                        dialog->GetCurrentColorValue().channel(channel) == before.channel(channel);
         ++tries) {
        const int further = KeyboardStep::moved(channel, value, direction);
        if (further == value)
            break;
        value = further;
        dialog->SliderValueChanged(value, channel, false);
    }
    if (dialog->GetCurrentColorValue() == before)
        return;
    dialog->SliderValueChanged(value, channel, true);
    AccessibilityEvents::announceColor(this);
}

QAccessible::Role ColorSlider::spokenRole() const
{
    return QAccessible::Slider;
}

QString ColorSlider::spokenName() const
{
    if (!isSliderChannel(channel))
        return tr("Channel slider");
    return tr("%1 slider").arg(capitalized(spokenChannelName(channel)));
}

QString ColorSlider::spokenValue() const
{
    if (!isSliderChannel(channel))
        return QString();
    const ChannelInfo& info = channelInfo(channel);
    if (info.minimum == 0)
        return tr("%1 of %2").arg(color.channel(channel)).arg(info.maximum);
    return tr("%1, from %2 to %3").arg(color.channel(channel)).arg(info.minimum).arg(info.maximum);
}

QString ColorSlider::spokenHelp() const
{
    return orientation == Vertical
               ? tr("Up and Down change the value by one, with Shift or Page Up and Page Down "
                    "by ten; Home and End go to the top and the bottom.")
               : tr("Left and Right move the marker by one, with Shift or Page Up and Page Down "
                    "by ten; Up raises the value, Down lowers it; Home and End go to the left "
                    "and the right end.");
}

bool ColorSlider::hasSpokenNumber() const
{
    return isSliderChannel(channel);
}

int ColorSlider::spokenNumber() const
{
    return color.channel(channel);
}

int ColorSlider::spokenMinimum() const
{
    return KeyboardStep::lowest(channel);
}

int ColorSlider::spokenMaximum() const
{
    return KeyboardStep::highest(channel);
}

void ColorSlider::setSpokenNumber(int number)
{
    if (isSliderChannel(channel) && !pressed)
        chooseValue(std::clamp(number, spokenMinimum(), spokenMaximum()), 0);
}
