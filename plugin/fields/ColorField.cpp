#include "fields/ColorField.h"

#include "fields/ColorDialogServices.h"
#include "fields/ColorFieldImage.h"
#include "host/HostServices.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

const char kMarkerIcon[] = ":/SnapTools/MaxSDK/Sphere/SphereCenter";
const char kHoverCursorIcon[] = ":/SnapTools/MaxSDK/Sphere/SphereQuad";

QPixmap hostPixmap(const char* path, int size)
{
    return MaxSDK::LoadMaxMultiResIcon(QString::fromLatin1(path))
        .pixmap(QSize(size, size), QIcon::Normal, QIcon::Off);
}

QPixmap labelPixmap(const QLabel& label)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    return label.pixmap(Qt::ReturnByValue);
#else
    return label.pixmap() ? *label.pixmap() : QPixmap();
#endif
}

} // namespace

ColorField::ColorField(ColorDialogServices* dialog, QWidget* parent)
    : ColorField(DefaultSize, DefaultSize, dialog, parent)
{
}

// The marker label is created after the picture label, so it is drawn above it.
ColorField::ColorField(int width, int height, ColorDialogServices* dialog, QWidget* parent)
    : QLabel(parent), dialog(dialog), fieldLabel(new QLabel(this)), markerLabel(new QLabel(this))
{
    setFixedSize(width, height);
    fieldLabel->setObjectName(QStringLiteral("fieldLabel"));
    fieldLabel->setFixedSize(width, height);
    markerLabel->setObjectName(QStringLiteral("markerLabel"));
    markerLabel->setPixmap(hostPixmap(kMarkerIcon, MarkerSize));
    markerLabel->resize(MarkerSize, MarkerSize);
    // The marker must not take the mouse: presses on it belong to the field below.
    markerLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    fieldLabel->move(0, 0);
    markerLabel->move(markerOffset);
    // The channel picture is painted onto the label directly, without a pixmap in between.
    fieldLabel->installEventFilter(this);
}

ColorField::~ColorField() = default;

void ColorField::setColor(const ColorValue& value, ColorChannel channel)
{
    if (pressed || dragging) {
        return;
    }
    color = value;
    this->channel = channel;
    if (isSliderChannel(channel)) {
        // The picture depends on nothing but the channel and its fixed component.
        const int fixed = value.channel(channel);
        if (channel != imageChannel || fixed != imageFixedValue) {
            if (!labelPixmap(*fieldLabel).isNull())
                fieldLabel->setPixmap(QPixmap());
            imageChannel = channel;
            imageFixedValue = fixed;
            pictureStale = true;
            fieldLabel->update();
        }
    }
    moveMarkerTo(mapping().markerPosition(value));
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
        // The call made at release always reaches the dialog, changed or not.
        dialog->ViewColorChanged(value, true);
    }
}

void ColorField::clampToField(QPoint& p) const
{
    p.setX(std::clamp(p.x(), 0, width()));
    p.setY(std::clamp(p.y(), 0, height()));
}

void ColorField::setPixmap(QPixmap pm)
{
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
    return QCursor(hostPixmap(kHoverCursorIcon, HoverCursorSize));
}
