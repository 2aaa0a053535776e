#include "fields/ColorField.h"

#include "color/ColorNames.h"
#include "fields/kit/ColorDialogServices.h"
#include "fields/kit/FieldMarkerIcons.h"
#include "fields/kit/FocusFrame.h"
#include "fields/kit/KeyboardStep.h"
#include "fields/pictures/ColorFieldImage.h"
#include "host/services/HostAccess.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

QPixmap labelPixmap(const QLabel& label)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    return label.pixmap(Qt::ReturnByValue);
#else
    return label.pixmap() ? *label.pixmap() : QPixmap();
#endif
}

} // namespace

ColorField::ColorField(ColorDialogServices* services, QWidget* parent)
    : ColorField(DefaultSize, DefaultSize, services, parent)
{
}

// The marker label is created after the picture label, so it is drawn above it.
ColorField::ColorField(int width, int height, ColorDialogServices* services, QWidget* parent)
    : QLabel(parent), dialog(services), fieldLabel(new QLabel(this)), markerLabel(new QLabel(this))
{
    setFixedSize(width, height);
    fieldLabel->setObjectName(QStringLiteral("fieldLabel"));
    fieldLabel->setFixedSize(width, height);
    markerLabel->setObjectName(QStringLiteral("markerLabel"));
    markerLabel->setPixmap(HostAccess::IconPixmap(FieldMarkerIcons::kMarker, MarkerSize));
    markerLabel->resize(MarkerSize, MarkerSize);
    // The marker must not take the mouse: presses on it belong to the field below.
    markerLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    fieldLabel->move(0, 0);
    markerLabel->move(markerOffset);
    // The channel picture is painted onto the label directly, without a pixmap in between.
    fieldLabel->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    new FocusFrame(this);
}

ColorField::~ColorField() = default;

void ColorField::setColor(const ColorValue& value, ColorChannel fieldChannel)
{
    if (pressed || dragging) {
        return;
    }
    color = value;
    this->channel = fieldChannel;
    if (isSliderChannel(fieldChannel)) {
        // The picture depends on nothing but the fieldChannel and its fixed component.
        const int fixed = value.channel(fieldChannel);
        if (fieldChannel != imageChannel || fixed != imageFixedValue) {
            if (!labelPixmap(*fieldLabel).isNull())
                fieldLabel->setPixmap(QPixmap());
            imageChannel = fieldChannel;
            imageFixedValue = fixed;
            pictureStale = true;
            // The picture covers the whole label: the marker moving over it repaints the picture
            // alone, not the field and the pages under it.
            fieldLabel->setAttribute(Qt::WA_OpaquePaintEvent);
            fieldLabel->update();
        }
    }
    moveMarkerTo(mapping().markerPosition(value));
    tellScreenReaders(this);
}

void ColorField::renderPicture() const
{
    if (!pictureStale)
        return;
    pictureStale = false;
    if (picture.size() != size())
        picture = QImage(size(), QImage::Format_RGB32);
    ColorFieldImage::renderInto(picture, color, imageChannel);
}

QImage ColorField::shownPicture() const
{
    if (imageChannel == ColorChannel::None)
        return labelPixmap(*fieldLabel).toImage();
    renderPicture();
    return picture;
}

bool ColorField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == fieldLabel && event->type() == QEvent::Paint &&
        imageChannel != ColorChannel::None) {
        renderPicture();
        QPainter painter(fieldLabel);
        const QRect dirty = static_cast<QPaintEvent*>(event)->rect();
        painter.drawImage(dirty, picture, dirty);
        return true;
    }
    return QLabel::eventFilter(watched, event);
}

ColorFieldMapping ColorField::mapping() const
{
    return ColorFieldMapping(channel, width(), height());
}

ColorValue ColorField::colorAt(const QPoint& p) const
{
    if (!isSliderChannel(channel)) {
        const QPixmap pixmap = labelPixmap(*fieldLabel);
        if (!pixmap.isNull()) {
            // Whatever the label shows under p. Positions may reach the width and the height
            // (clampToField includes them), which are one past the picture's last pixel.
            const QImage image = pixmap.toImage();
            const int px = std::clamp(p.x(), 0, image.width() - 1);
            const int py = std::clamp(p.y(), 0, image.height() - 1);
            return ColorValue(RgbColor(image.pixel(px, py)));
        }
    }
    // With no picture at all the last color given stands in, opaque like every pick.
    return mapping().colorAt(p, color);
}

void ColorField::pickColorAt(const QPoint& p)
{
    if (!dialog) {
        return;
    }
    const ColorValue value = colorAt(p);
    if (value.rgb() != dialog->GetCurrentRgb()) {
        dialog->ViewColorChanged(value, !dragging);
    } else if (!dragging) {
        // The release always reaches the dialog: unchanged, it only ends the drag, and the field
        // takes up the color it held off while the button was down.
        dialog->ViewDragEnded();
        setColor(dialog->GetCurrentColorValue(), channel);
    }
}

void ColorField::clampToField(QPoint& p) const
{
    p.setX(std::clamp(p.x(), 0, width()));
    p.setY(std::clamp(p.y(), 0, height()));
}

void ColorField::setPixmap(QPixmap pm)
{
    fieldLabel->setAttribute(Qt::WA_OpaquePaintEvent, false);
    fieldLabel->setPixmap(pm);
    // Whatever was drawn before no longer stands for a channel.
    imageChannel = ColorChannel::None;
}

void ColorField::setImage(QImage& im)
{
    setPixmap(QPixmap::fromImage(im));
}

void ColorField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !pressed) {
        pressed = true;
        dragging = true;
        pickColorAt(event->pos());
        moveMarkerTo(event->pos());
    }
    // The marker stands in for the pointer while a button is held.
    setCursor(Qt::BlankCursor);
}

void ColorField::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed) {
        return;
    }
    QPoint p = event->pos();
    clampToField(p);
    pickColorAt(p);
    moveMarkerTo(p);
}

void ColorField::mouseReleaseEvent(QMouseEvent* event)
{
    pressed = false;
    dragging = false;
    QPoint p = event->pos();
    clampToField(p);
    pickColorAt(p);
    // The marker follows when the dialog pushes the picked color back.
    if (fieldLabel->underMouse()) {
        setCursor(hoverCursor());
    } else {
        setCursor(QCursor());
    }
}

void ColorField::enterEvent(QEvent* event)
{
    QLabel::enterEvent(event);
    if (!pressed) {
        setCursor(hoverCursor());
    }
}

void ColorField::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    setCursor(QCursor());
}

void ColorField::moveMarkerTo(const QPoint& p)
{
    markerLabel->move(p + markerOffset);
}

QCursor ColorField::hoverCursor() const
{
    return QCursor(HostAccess::IconPixmap(FieldMarkerIcons::kHoverCursor, HoverCursorSize));
}

void ColorField::keyPressEvent(QKeyEvent* event)
{
    const ColorChannel across = ColorFieldMapping::horizontalChannel(channel);
    const ColorChannel upward = ColorFieldMapping::verticalChannel(channel);
    if (across == ColorChannel::None || pressed || dragging ||
        !KeyboardStep::isPlainOrShift(event->modifiers())) {
        QLabel::keyPressEvent(event);
        return;
    }
    const int units = KeyboardStep::units(event->modifiers());
    switch (event->key()) {
    case Qt::Key_Left:
        keys.step(across, -units);
        break;
    case Qt::Key_Right:
        keys.step(across, units);
        break;
    case Qt::Key_Up:
        keys.step(upward, units);
        break;
    case Qt::Key_Down:
        keys.step(upward, -units);
        break;
    case Qt::Key_PageUp:
        keys.step(channel, units);
        break;
    case Qt::Key_PageDown:
        keys.step(channel, -units);
        break;
    case Qt::Key_Home:
        keys.choose(across, KeyboardStep::lowest(across));
        break;
    case Qt::Key_End:
        keys.choose(across, KeyboardStep::highest(across));
        break;
    default:
        QLabel::keyPressEvent(event);
        break;
    }
}

QAccessible::Role ColorField::spokenRole() const
{
    return QAccessible::Slider;
}

QString ColorField::spokenName() const
{
    if (!isSliderChannel(channel))
        return tr("Color field");
    return tr("%1 and %2 field; %3 fixed at %4")
        .arg(capitalized(spokenChannelName(ColorFieldMapping::horizontalChannel(channel))),
             spokenChannelName(ColorFieldMapping::verticalChannel(channel)),
             spokenChannelName(channel), QString::number(color.channel(channel)));
}

QString ColorField::spokenValue() const
{
    const ColorChannel across = ColorFieldMapping::horizontalChannel(channel);
    const ColorChannel upward = ColorFieldMapping::verticalChannel(channel);
    if (across == ColorChannel::None)
        return QString();
    return tr("%1 %2, %3 %4")
        .arg(spokenChannelName(across), QString::number(color.channel(across)),
             spokenChannelName(upward), QString::number(color.channel(upward)));
}

QString ColorField::spokenHelp() const
{
    if (!isSliderChannel(channel))
        return QString();
    return tr("Arrow keys move the marker by one, with Shift by ten; Page Up and Page Down "
              "change %1; Home and End go to the ends of %2.")
        .arg(spokenChannelName(channel),
             spokenChannelName(ColorFieldMapping::horizontalChannel(channel)));
}

bool ColorField::hasSpokenNumber() const
{
    return isSliderChannel(channel);
}

int ColorField::spokenNumber() const
{
    return color.channel(ColorFieldMapping::horizontalChannel(channel));
}

int ColorField::spokenMinimum() const
{
    return KeyboardStep::lowest(ColorFieldMapping::horizontalChannel(channel));
}

int ColorField::spokenMaximum() const
{
    return KeyboardStep::highest(ColorFieldMapping::horizontalChannel(channel));
}

void ColorField::setSpokenNumber(int number)
{
    const ColorChannel across = ColorFieldMapping::horizontalChannel(channel);
    if (across != ColorChannel::None && !pressed)
        keys.choose(across, std::clamp(number, spokenMinimum(), spokenMaximum()));
}
