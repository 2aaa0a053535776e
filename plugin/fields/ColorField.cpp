#include "fields/ColorField.h"

#include "fields/ColorDialogServices.h"
#include "fields/ColorFieldImage.h"
#include "host/HostServices.h"

#include <QIcon>
#include <QMouseEvent>

#include <algorithm>
#include <math.h>

namespace {

const char kMarkerIcon[] = ":/SnapTools/MaxSDK/Sphere/SphereCenter";
const char kHoverCursorIcon[] = ":/SnapTools/MaxSDK/Sphere/SphereQuad";

int nearest(float v)
{
    return static_cast<int>(nearbyintf(v));
}

QPixmap hostPixmap(const char* path, int size)
{
    return MaxSDK::LoadMaxMultiResIcon(QString::fromLatin1(path))
        .pixmap(QSize(size, size), QIcon::Normal, QIcon::Off);
}

} // namespace

ColorField::ColorField(ColorDialogServices* dialog) : ColorField(DefaultSize, DefaultSize, dialog)
{
}

ColorField::ColorField(int width, int height, ColorDialogServices* dialog)
    : QLabel(nullptr), dialog(dialog), fieldLabel(new QLabel), markerLabel(new QLabel)
{
    setFixedSize(width, height);
    fieldLabel->setObjectName(QStringLiteral("fieldLabel"));
    fieldLabel->setFixedSize(width, height);
    markerLabel->setObjectName(QStringLiteral("markerLabel"));
    markerLabel->setPixmap(hostPixmap(kMarkerIcon, MarkerSize));
    markerLabel->resize(MarkerSize, MarkerSize);
    // The marker must not take the mouse: presses on it belong to the field below.
    markerLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    fieldLabel->setParent(this);
    markerLabel->setParent(this);
    fieldLabel->move(0, 0);
    markerLabel->move(markerOffset);
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
        const int fixed = ColorFieldImage::fixedValue(value, channel);
        if (channel != imageChannel || fixed != imageFixedValue) {
            // The label's pixmap shares the picture's pixels: let go of it first, so that the
            // picture is drawn again in place instead of into a fresh copy (a fresh 256 KB block
            // comes from the system, page by page).
            fieldLabel->setPixmap(QPixmap());
            if (picture.size() != size()) {
                picture = QImage(size(), QImage::Format_RGB32);
            }
            ColorFieldImage::renderInto(picture, value, channel);
            fieldLabel->setPixmap(QPixmap::fromImage(picture));
            imageChannel = channel;
            imageFixedValue = fixed;
        }
    }
    moveMarkerTo(markerPosition(value, channel));
}

QPoint ColorField::markerPosition(const ColorValue& value, ColorChannel channel) const
{
    return ColorFieldImage::markerPosition(width(), height(), value, channel);
}

ColorValue ColorField::colorAt(const QPoint& p) const
{
    const float w = float(width());
    const float h = float(height());
    const int x = p.x();
    const int y = p.y();
    switch (channel) {
    case ColorChannel::Red:
        return ColorValue(RgbColor(color.rgb().red(), nearest(255.0f - y * (255.0f / h)),
                                   nearest(x * (255.0f / w)), 255));
    case ColorChannel::Green:
        return ColorValue(RgbColor(nearest(255.0f - y * (255.0f / h)), color.rgb().green(),
                                   nearest(x * (255.0f / w)), 255));
    case ColorChannel::Blue:
        return ColorValue(RgbColor(nearest(x * (255.0f / w)), nearest(255.0f - y * (255.0f / h)),
                                   color.rgb().blue(), 255));
    case ColorChannel::Hue:
        return ColorValue(HsvColor(color.hsv().hue(), nearest(x / w * 100.0f),
                                   nearest(100.0f - y / h * 100.0f), 255));
    case ColorChannel::Saturation:
        return ColorValue(HsvColor(nearest(x / w * 360.0f), color.hsv().saturation(),
                                   nearest(100.0f - y / h * 100.0f), 255));
    case ColorChannel::Value:
        return ColorValue(HsvColor(nearest(x / w * 360.0f), nearest(100.0f - y / h * 100.0f),
                                   color.hsv().value(), 255));
    // The Lab picks step by one per pixel and use a fixed lightness factor of 1/256, whatever the
    // field's size.
    case ColorChannel::Lightness:
        return ColorValue(LabColor(color.lab().lightness(), x - 128, 127 - y));
    case ColorChannel::RedGreen:
        return ColorValue(
            LabColor(nearest((1.0f - y * 0.00390625f) * 100.0f), color.lab().a(), x - 128));
    case ColorChannel::BlueYellow:
        return ColorValue(
            LabColor(nearest((1.0f - y * 0.00390625f) * 100.0f), x - 128, color.lab().b()));
    default:
        break;
    }
    // No field channel: whatever the label shows under p. Positions may reach the width and the
    // height (clampToField includes them), which are one past the picture's last pixel.
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    const QPixmap pixmap = fieldLabel->pixmap(Qt::ReturnByValue);
#else
    const QPixmap pixmap = fieldLabel->pixmap() ? *fieldLabel->pixmap() : QPixmap();
#endif
    if (pixmap.isNull()) {
        // Nothing drawn yet: the last color given stands in, made opaque like every pick.
        RgbColor rgb = color.rgb();
        rgb.setAlpha(255);
        return ColorValue(rgb);
    }
    const QImage image = pixmap.toImage();
    const int px = std::clamp(x, 0, image.width() - 1);
    const int py = std::clamp(y, 0, image.height() - 1);
    return ColorValue(RgbColor(image.pixel(px, py)));
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
