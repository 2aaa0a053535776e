#include "fields/CanvasArea.h"

#include "color/Rounding.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFullHardness = 100;

// old at the top left of a new image of the given size and format, the rest filled with fill.
QImage grownImage(const QImage& old, const QSize& size, QImage::Format format, uint fill)
{
    QImage grown(size, format);
    grown.fill(fill);
    if (!old.isNull()) {
        QPainter painter(&grown);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, old);
    }
    return grown;
}

// base blended towards color by a / 255, rounded to nearest.
inline int blend(int base, int color, int a)
{
    return (base * (255 - a) + color * a + 127) / 255;
}

} // namespace

CanvasArea::CanvasArea(ColorDialogServices* dialog, QWidget* parent)
    : QWidget(parent), dialog(dialog)
{
    // Growing keeps the old content in place, so only the new area needs painting.
    setAttribute(Qt::WA_StaticContents);
}

CanvasArea::~CanvasArea() = default;

void CanvasArea::setPenColor(const QColor& color)
{
    penColor = color;
}

void CanvasArea::setPenWidth(int width)
{
    penWidth = width;
}

void CanvasArea::setOpacity(float percent)
{
    opacity = nearest(percent * 2.55f);
}

void CanvasArea::setHardness(int percent)
{
    hardness = std::clamp(percent, 0, kFullHardness);
}

void CanvasArea::ClearImage()
{
    // A stroke still held goes on over the cleared picture as a new one.
    endStroke();
    image.fill(backgroundColor.rgb());
    update();
}

void CanvasArea::Print()
{
}

void CanvasArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    // A second button joins the stroke of the first; a press on its own starts afresh.
    if (event->buttons() == event->button())
        endStroke();
    lastPoint = event->pos();
    scribbling = true;
}

void CanvasArea::mouseMoveEvent(QMouseEvent* event)
{
    // With both buttons held, painting wins.
    if ((event->buttons() & Qt::LeftButton) && scribbling)
        drawLineTo(event->pos(), false);
    else if ((event->buttons() & Qt::RightButton) && scribbling)
        drawLineTo(event->pos(), true);
}

void CanvasArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        drawLineTo(event->pos(), false);
        scribbling = false;
    } else if (event->button() == Qt::RightButton && scribbling) {
        drawLineTo(event->pos(), true);
        scribbling = false;
    }
    if (!scribbling)
        endStroke();
}

void CanvasArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, image, dirty);
}

void CanvasArea::resizeEvent(QResizeEvent* event)
{
    if (width() > image.width() || height() > image.height()) {
        const QSize size(std::max(width() + GrowthSlack, image.width()),
                         std::max(height() + GrowthSlack, image.height()));
        resizeImage(&image, size);
        if (stroking) {
            strokeBase = grownImage(strokeBase, size, QImage::Format_RGB32, 0xffffffffu);
            strokeCoverage = grownImage(strokeCoverage, size, QImage::Format_Alpha8, 0u);
        }
        update();
    }
    QWidget::resizeEvent(event);
}

void CanvasArea::resizeImage(QImage* picture, const QSize& newSize)
{
    if (picture->size() == newSize)
        return;
    *picture = grownImage(*picture, newSize, QImage::Format_RGB32, 0xffffffffu);
}

void CanvasArea::drawLineTo(const QPoint& end, bool erase)
{
    if (!stroking || erase != strokeErases) {
        endStroke();
        beginStroke(erase);
    }
    // The pen reaches penWidth / 2 (rounded up) from the segment; two pixels more keep the
    // rectangle clear of it whatever the rasterizer rounds.
    const int r = penWidth / 2;
    const QRect dirty = QRect(lastPoint, end).normalized().adjusted(-r - 2, -r - 2, r + 2, r + 2);
    const QRect area = dirty & image.rect();
    if (!area.isEmpty()) {
        coverSegment(end, area);
        composite(area);
    }
    update(dirty);
    lastPoint = end;
}

void CanvasArea::beginStroke(bool erase)
{
    stroking = true;
    strokeErases = erase;
    const QColor& color = erase ? backgroundColor : penColor;
    strokeColor = color.rgb();
    // A translucent color lays down less of itself, as a translucent pen would.
    strokeOpacity = (opacity * color.alpha() + 127) / 255;
    strokeBase = image;
    strokeCoverage = QImage(image.size(), QImage::Format_Alpha8);
    strokeCoverage.fill(0u);
}

void CanvasArea::endStroke()
{
    stroking = false;
    strokeBase = QImage();
    strokeCoverage = QImage();
}

void CanvasArea::coverSegment(const QPoint& end, const QRect& rect)
{
    if (hardness >= kFullHardness) {
        // The hard brush covers exactly what the plain round-capped pen paints. Painting opaque
        // coverage over the mask keeps the highest value, as the soft brush does.
        QPainter painter(&strokeCoverage);
        painter.setClipRect(rect);
        painter.setPen(QPen(QBrush(Qt::black, brushStyle), penWidth, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        painter.drawLine(lastPoint, end);
        return;
    }

    // Soft brush: full coverage up to hardness% of the radius from the segment, then a smooth
    // fall (smoothstep) to nothing at the radius. Pixels are measured at their centres, as the
    // aliased pen samples them, so soft and hard strokes lie alike. The full core is never
    // narrower than a pixel, so the middle of every stroke takes the whole color.
    const float radius = static_cast<float>(penWidth) / 2.0f;
    const float inner =
        std::max(radius * static_cast<float>(hardness) / 100.0f, std::min(0.5f, radius));
    const float radius2 = radius * radius;
    const float inner2 = inner * inner;
    const float fade = radius - inner;
    const float ax = static_cast<float>(lastPoint.x());
    const float ay = static_cast<float>(lastPoint.y());
    const float dx = static_cast<float>(end.x()) - ax;
    const float dy = static_cast<float>(end.y()) - ay;
    const float length2 = dx * dx + dy * dy;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        uchar* line = strokeCoverage.scanLine(y);
        const float py = static_cast<float>(y) + 0.5f - ay;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const float px = static_cast<float>(x) + 0.5f - ax;
            float t = length2 > 0.0f ? (px * dx + py * dy) / length2 : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            const float qx = px - t * dx;
            const float qy = py - t * dy;
            const float distance2 = qx * qx + qy * qy;
            if (distance2 >= radius2)
                continue;
            int coverage = 255;
            if (distance2 > inner2) {
                const float s = (radius - std::sqrt(distance2)) / fade;
                coverage = static_cast<int>(s * s * (3.0f - 2.0f * s) * 255.0f + 0.5f);
            }
            line[x] = static_cast<uchar>(std::max<int>(line[x], coverage));
        }
    }
}

void CanvasArea::composite(const QRect& rect)
{
    const int red = qRed(strokeColor);
    const int green = qGreen(strokeColor);
    const int blue = qBlue(strokeColor);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar* coverage = strokeCoverage.constScanLine(y);
        const auto* base = reinterpret_cast<const QRgb*>(strokeBase.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (!coverage[x])
                continue;
            const int a = (coverage[x] * strokeOpacity + 127) / 255;
            const QRgb under = base[x];
            out[x] = qRgb(blend(qRed(under), red, a), blend(qGreen(under), green, a),
                          blend(qBlue(under), blue, a));
        }
    }
}
