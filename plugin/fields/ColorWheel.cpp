#include "fields/ColorWheel.h"

#include "color/ModuleCaches.h"
#include "color/Rounding.h"
#include "fields/kit/ColorDialogServices.h"
#include "fields/kit/FieldMarkerIcons.h"
#include "fields/kit/KeyboardStep.h"
#include "host/services/HostAccess.h"

#include <QHoverEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <math.h>

namespace {

// Degrees come from radians through this single-precision PI, a little below the float nearest to
// pi: some angles near a whole-and-a-half degree round differently than with the exact value.
constexpr float kPi = 3.14159f;
// Degrees to radians for the marker: pi / 180 as a float.
constexpr float kDegreesToRadians = 0.017453292f;

} // namespace

ColorWheel::ColorWheel(ColorDialogServices* services, QWidget* parent)
    : QLabel(parent), dialog(services),
      hoverCursor(HostAccess::IconPixmap(FieldMarkerIcons::kHoverCursor, HoverCursorSize))
{
    setFixedSize(DefaultSize, DefaultSize);
    setFocusPolicy(Qt::StrongFocus);
}

ColorWheel::~ColorWheel() = default;

QPoint ColorWheel::center() const
{
    return QPoint(width() / 2, height() / 2);
}

// The wheel pictures are decoded once while the module is loaded: every dialog shows the same
// two, and decoding them was the largest part of opening one.
QImage ColorWheel::wheelPicture(const QString& resource)
{
    static ModuleCache<QHash<QString, QImage>> pictures(
        [] { return std::make_unique<QHash<QString, QImage>>(); });
    QHash<QString, QImage>& decoded = pictures.get();
    auto known = decoded.find(resource);
    if (known == decoded.end())
        known = decoded.insert(resource, QImage(resource));
    return *known;
}

void ColorWheel::createLabels(const QString& pictureResource)
{
    fieldLabel = new QLabel(this);
    fieldLabel->setObjectName(QStringLiteral("fieldLabel"));
    markerLabel = new QLabel(this);
    markerLabel->setObjectName(QStringLiteral("markerLabel"));

    wheelImage = std::make_unique<QImage>(wheelPicture(pictureResource));
    fieldLabel->setPixmap(QPixmap::fromImage(*wheelImage));
    markerLabel->setPixmap(HostAccess::IconPixmap(FieldMarkerIcons::kMarker, MarkerSize));

    // Neither label takes the mouse: presses and hovers belong to the wheel, which tests the
    // picture's transparency itself.
    fieldLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    markerLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

int ColorWheel::angleAt(const QPoint& p) const
{
    const QPoint d = p - center();
    const int dx = d.x();
    const int dy = d.y();
    if (dy == 0) {
        return dx < 0 ? 270 : (dx > 0 ? 90 : 0);
    }
    const int t = nearest(atanf(static_cast<float>(dx) / static_cast<float>(dy)) * (180.0f / kPi));
    int angle;
    if (dx > 0 && dy < 0) {
        angle = -t;
    } else if (dy > 0) {
        angle = 180 - t;
    } else {
        angle = 360 - t;
    }
    // Straight up from the left half folds to 0.
    return angle == 360 ? 0 : angle;
}

bool ColorWheel::isOnWheel(const QPoint& p) const
{
    return wheelImage && wheelImage->valid(p) && qAlpha(wheelImage->pixel(p)) != 0;
}

HsvColor ColorWheel::pickColor(int angle, const QPoint& /*position*/)
{
    const HsvColor hsv(angle, color.hsv().saturation(), color.hsv().value(), 255);
    reportPick(hsv);
    return hsv;
}

void ColorWheel::moveMarker(const HsvColor& /*hsv*/)
{
}

void ColorWheel::reportPick(const HsvColor& hsv)
{
    if (!dialog) {
        return;
    }
    // The HSV is compared, not the RGB: a new hue over a grey is still a change the dialog
    // holds, although the grey's RGB stays the same.
    const ColorValue value(hsv);
    if (hsv != dialog->GetCurrentHsv()) {
        dialog->ViewColorChanged(value, false);
    }
}

QPoint ColorWheel::markerCorner(int hue, int r) const
{
    const int half = MarkerSize / 2;
    const int cx = center().x();
    const int cy = center().y();
    // The four axes are placed exactly; every other hue goes through the float sine and cosine.
    switch (hue) {
    case 0:
    case 360:
        return QPoint(cx - half, cy - half - r);
    case 90:
        return QPoint(cx - half + r, cy - half);
    case 180:
        return QPoint(cx - half, cy + r - half);
    case 270:
        return QPoint(cx - half - r, cy - half);
    default:
        break;
    }
    const float radians = static_cast<float>(hue) * kDegreesToRadians;
    const float sine = static_cast<float>(sin(static_cast<double>(radians)));
    const float cosine = static_cast<float>(cos(static_cast<double>(radians)));
    const float radius = static_cast<float>(r);
    // y grows downward, so the hue turns clockwise on screen. The offsets are rounded in float;
    // adding the whole-numbered centre to them is exact, in float as in int.
    const int x = nearest(radius * sine) + cx - half;
    const int y = nearest(cosine * -1.0f * radius) + cy - half;
    return QPoint(x, y);
}

bool ColorWheel::event(QEvent* e)
{
    if (e->type() == QEvent::HoverMove) {
        if (!dragging) {
            const QPoint pos = static_cast<QHoverEvent*>(e)->pos();
            setCursor(isOnWheel(pos) ? hoverCursor : QCursor());
        }
        return true;
    }
    return QLabel::event(e);
}

void ColorWheel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isOnWheel(event->pos())) {
        return;
    }
    dragging = true;
    const int angle = angleAt(event->pos());
    moveMarker(pickColor(angle, event->pos()));
    // The marker stands in for the pointer while the button is held.
    setCursor(Qt::BlankCursor);
}

void ColorWheel::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging) {
        return;
    }
    // No transparency test here: once started, a drag follows the angle wherever the pointer
    // goes.
    const int angle = angleAt(event->pos());
    moveMarker(pickColor(angle, event->pos()));
}

void ColorWheel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool endsDrag = dragging;
    dragging = false;
    if (event->button() == Qt::LeftButton && isOnWheel(event->pos())) {
        // Only the end of a drag picks: a press that began off the wheel picks nothing when it
        // is released over the wheel. The marker follows when the dialog pushes the color back.
        if (endsDrag) {
            pickColor(angleAt(event->pos()), event->pos());
        }
        setCursor(hoverCursor);
    } else {
        setCursor(QCursor());
    }
    // Whatever the release picked, the drag is over: its color is one step of the history.
    if (dialog)
        dialog->ViewDragEnded();
}

void ColorWheel::stepChannel(ColorChannel changed, int delta)
{
    if (!dragging)
        keys.step(changed, delta);
}

void ColorWheel::chooseChannelValue(ColorChannel changed, int value)
{
    if (!dragging)
        keys.choose(changed, value);
}

void ColorWheel::keyPressEvent(QKeyEvent* event)
{
    if (!hasFocus() || !KeyboardStep::isPlainOrShift(event->modifiers())) {
        QLabel::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Home)
        chooseChannelValue(ColorChannel::Hue, KeyboardStep::lowest(ColorChannel::Hue));
    else if (event->key() == Qt::Key_End)
        chooseChannelValue(ColorChannel::Hue, KeyboardStep::highest(ColorChannel::Hue));
    else if (!stepForKey(event->key(), KeyboardStep::units(event->modifiers())))
        QLabel::keyPressEvent(event);
}

QAccessible::Role ColorWheel::spokenRole() const
{
    return QAccessible::Dial;
}

bool ColorWheel::hasSpokenNumber() const
{
    return true;
}

int ColorWheel::spokenNumber() const
{
    return color.hsv().hue();
}

int ColorWheel::spokenMinimum() const
{
    return KeyboardStep::lowest(ColorChannel::Hue);
}

int ColorWheel::spokenMaximum() const
{
    return KeyboardStep::highest(ColorChannel::Hue);
}

void ColorWheel::setSpokenNumber(int number)
{
    chooseChannelValue(ColorChannel::Hue, std::clamp(number, spokenMinimum(), spokenMaximum()));
}
