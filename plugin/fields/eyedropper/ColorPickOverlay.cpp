#include "fields/eyedropper/ColorPickOverlay.h"

#include "fields/eyedropper/ColorPickLoupe.h"

#include <QPaintEvent>
#include <QPainter>

ColorPickOverlay::ColorPickOverlay(const ScreenImage& screen, QWidget* parent)
    : QWidget(parent), picture(screen)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::CrossCursor);
    // Moves without a button only move the loupe; samples are taken with a button held.
    setMouseTracking(true);
}

ColorPickOverlay::~ColorPickOverlay() = default;

void ColorPickOverlay::showLoupe(const QPoint& pixel, const RgbColor& color, bool average)
{
    if (loupeShown)
        update(loupeRect());
    loupeShown = true;
    loupePixel = pixel;
    loupeColor = color;
    loupeAverage = average;
    update(loupeRect());
}

void ColorPickOverlay::hideLoupe()
{
    if (!loupeShown)
        return;
    update(loupeRect());
    loupeShown = false;
}

void ColorPickOverlay::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const QPoint offset = mapToGlobal(QPoint()) - picture.origin();
    // The grab's device pixels onto the window's device pixels, one to one.
    const qreal ratio = picture.devicePixelRatio();
    painter.drawImage(
        area, picture.image(),
        QRectF(QPointF(area.topLeft() + offset) * ratio, QSizeF(area.size()) * ratio));
    if (loupeShown)
        ColorPickLoupe::paint(painter, loupeRect(), picture, loupePixel, loupeColor, loupeAverage);
}

QRect ColorPickOverlay::loupeRect() const
{
    const QPoint pointer = picture.globalAt(loupePixel).toPoint();
    return ColorPickLoupe::placement(pointer, picture.geometry())
        .translated(-mapToGlobal(QPoint()));
}
