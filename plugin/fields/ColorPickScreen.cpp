#include "fields/ColorPickScreen.h"

#include "fields/ColorPickLoupe.h"
#include "host/HostServices.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kLargeStep = 10;

} // namespace

ColorPickScreen::ColorPickScreen(const RgbColor& start, QWidget* parent)
    : QDialog(parent), startColor(start),
      // Grabbed before the overlay shows, so the grab holds the screens as they were.
      screenImage(ScreenImage::grabDesktop())
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    // The overlay paints the grab itself, pixel for pixel where it was taken: the screens look
    // unchanged, with or without a compositor, and what the user sees is what is sampled.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(screenImage.geometry());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    raise();
    installEventFilter(this);
    setCursor(Qt::CrossCursor);
    // Moves without a button only move the loupe; samples are taken with a button held.
    setMouseTracking(true);
    pointer = QCursor::pos();
}

ColorPickScreen::~ColorPickScreen() = default;

RgbColor ColorPickScreen::pickScreenColor(const RgbColor& start)
{
    auto* overlay = new ColorPickScreen(start, HostMainWindow());
    overlay->exec();
    const RgbColor picked = overlay->pickedColor();
    overlay->deleteLater();
    return picked;
}

RgbColor ColorPickScreen::pickedColor() const
{
    return taken ? samples.average() : startColor;
}

bool ColorPickScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != this)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool take = mouse->button() != Qt::RightButton;
        if (take)
            sampleAt(mouse->screenPos());
        finish(take);
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() != Qt::NoButton)
            sampleAt(mouse->screenPos());
        followPointer(mouse->screenPos());
        return true;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Cancel)) {
            finish(false);
        } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            sampleAt(QCursor::pos());
            finish(true);
        } else {
            const int step = key->modifiers() & Qt::ShiftModifier ? kLargeStep : 1;
            switch (key->key()) {
            case Qt::Key_Left:
                movePointer(-step, 0);
                break;
            case Qt::Key_Right:
                movePointer(step, 0);
                break;
            case Qt::Key_Up:
                movePointer(0, -step);
                break;
            case Qt::Key_Down:
                movePointer(0, step);
                break;
            default:
                break;
            }
        }
        key->accept();
        return true;
    }
    case QEvent::Close:
        // Whatever closes the overlay, the window system included, ends the pick.
        removeEventFilter(this);
        return false;
    default:
        return false;
    }
}

void ColorPickScreen::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = screenImage.devicePixelRatio();
    painter.drawImage(area, screenImage.image(),
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    const bool scrubbing = !samples.isEmpty();
    const QPoint pixel = screenImage.pixelAt(pointer);
    const RgbColor shown =
        scrubbing ? samples.average() : RgbColor(screenImage.image().pixel(pixel));
    ColorPickLoupe::paint(painter, loupeRect(), screenImage, pixel, shown, scrubbing);
}

void ColorPickScreen::sampleAt(const QPointF& global)
{
    lastSample = screenImage.colorAt(global);
    samples.add(lastSample);
}

void ColorPickScreen::finish(bool take)
{
    taken = take;
    if (!take)
        lastSample = startColor;
    removeEventFilter(this);
    close();
}

void ColorPickScreen::followPointer(const QPointF& global)
{
    const QRect before = loupeRect();
    pointer = global;
    update(before);
    update(loupeRect());
}

void ColorPickScreen::movePointer(int dx, int dy)
{
    const QPoint to = QCursor::pos() + QPoint(dx, dy);
    QCursor::setPos(to);
    // The window system reports the move as well, but the loupe follows at once.
    followPointer(QCursor::pos());
}

QRect ColorPickScreen::loupeRect() const
{
    const QPoint at = pointer.toPoint();
    const QScreen* screen = QGuiApplication::screenAt(at);
    const QRect bounds = screen ? screen->geometry() : screenImage.geometry();
    return ColorPickLoupe::placement(at, bounds).translated(-geometry().topLeft());
}
