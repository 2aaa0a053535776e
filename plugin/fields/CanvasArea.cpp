#include "fields/CanvasArea.h"

#include "color/Rounding.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

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

// x / 255 rounded down, for x up to 65152 (255 * 255 + 127, the largest sum of a blend).
inline quint32 div255(quint32 x)
{
    return (x + 1u + (x >> 8)) >> 8;
}

// under moved towards the color by weight / 255 (0..255), rounded to nearest per channel:
// (under * (255 - weight) + color * weight + 127) / 255. Red and blue go side by side in two
// 16-bit lanes (colorRedBlue holds them as QRgb does), which no sum overflows.
inline QRgb towards(QRgb under, quint32 weight, quint32 colorRedBlue, quint32 colorGreen)
{
    const quint32 keep = 255u - weight;
    quint32 redBlue = (under & 0x00ff00ffu) * keep + colorRedBlue * weight + 0x007f007fu;
    const quint32 green = ((under >> 8) & 0xffu) * keep + colorGreen * weight + 0x7fu;
    redBlue = ((redBlue + 0x00010001u + ((redBlue >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    return 0xff000000u | redBlue | (div255(green) << 8);
}

// Pixels of a row taken at a time by the brush loops.
constexpr int kRunLength = 256;

// v held to 0..1, written as selects so that loops using it need no branches.
inline float clampUnit(float v)
{
    const float atLeastZero = v < 0.0f ? 0.0f : v;
    return atLeastZero > 1.0f ? 1.0f : atLeastZero;
}

// Where the row at height py crosses the points within radius of the segment from (0, 0) to
// (dx, dy): the two round ends and the band between them, each an interval of x. False when the
// row passes outside.
bool capsuleRow(float dx, float dy, float radius, float py, float& left, float& right)
{
    left = std::numeric_limits<float>::max();
    right = -std::numeric_limits<float>::max();
    const auto cross = [&](float from, float to) {
        left = std::min(left, from);
        right = std::max(right, to);
    };
    for (const float t : {0.0f, 1.0f}) {
        const float h = radius * radius - (py - t * dy) * (py - t * dy);
        if (h > 0.0f)
            cross(t * dx - std::sqrt(h), t * dx + std::sqrt(h));
    }
    const float length2 = dx * dx + dy * dy;
    if (length2 > 0.0f) {
        // Beside the segment, |dx * py - dy * px| < radius * length, and along it,
        // 0 <= dx * px + dy * py <= length2.
        float from = -std::numeric_limits<float>::max();
        float to = std::numeric_limits<float>::max();
        const auto within = [&](float a, float b) {
            from = std::max(from, std::min(a, b));
            to = std::min(to, std::max(a, b));
        };
        const float side = radius * std::sqrt(length2);
        if (dy != 0.0f)
            within((dx * py - side) / dy, (dx * py + side) / dy);
        else if (std::abs(dx * py) >= side)
            to = from;
        if (dx != 0.0f)
            within(-dy * py / dx, (length2 - dy * py) / dx);
        else if (dy * py < 0.0f || dy * py > length2)
            to = from;
        if (from < to)
            cross(from, to);
    }
    return left < right;
}

} // namespace

CanvasArea::CanvasArea(ColorDialogServices* services, QWidget* parent)
    : QWidget(parent), dialog(services)
{
    // Growing keeps the old content in place, so only the new area needs painting.
    setAttribute(Qt::WA_StaticContents);
    setAccessibleName(tr("Mixing canvas"));
    setAccessibleDescription(
        tr("Left button paints with the current color, right button erases; take colors back "
           "with Pick Color"));
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
    // A percentage outside 0..100 (or not a number) would blend past the color; it is held to
    // the range first.
    const float held = percent >= 0.0f ? std::min(percent, 100.0f) : 0.0f;
    opacity = nearest(held * 2.55f);
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
        if (hardness >= kFullHardness)
            coverHard(end, area);
        else
            coverSoft(end, area);
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
    strokeOpacity = static_cast<quint32>((opacity * color.alpha() + 127) / 255);
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

void CanvasArea::coverHard(const QPoint& end, const QRect& rect)
{
    // The hard brush covers exactly what the plain round-capped pen paints. The segment is drawn
    // alone on a scratch mask of the rectangle: full where the pen paints, nothing elsewhere.
    QImage scratch(rect.size(), QImage::Format_Alpha8);
    scratch.fill(0u);
    QPainter painter(&scratch);
    painter.translate(-rect.topLeft());
    painter.setPen(
        QPen(QBrush(Qt::black, brushStyle), penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(lastPoint, end);
    painter.end();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        layDown(scratch.constScanLine(y - rect.top()), y, rect.left(), rect.width());
}

void CanvasArea::coverSoft(const QPoint& end, const QRect& rect)
{
    // Full coverage up to hardness% of the radius from the segment, then a smooth fall
    // (smoothstep) to nothing at the radius. Pixels are measured at their centres, as the aliased
    // pen samples them, so soft and hard strokes lie alike. The full core is never narrower than a
    // pixel, so the middle of every stroke takes the whole color.
    const float radius = static_cast<float>(penWidth) / 2.0f;
    const float inner =
        std::max(radius * static_cast<float>(hardness) / 100.0f, std::min(0.5f, radius));
    // Without a fade (a one-pixel brush) every pixel inside the radius is full.
    const float inverseFade = radius > inner ? 1.0f / (radius - inner) : 1e20f;
    const float ax = static_cast<float>(lastPoint.x());
    const float ay = static_cast<float>(lastPoint.y());
    const float dx = static_cast<float>(end.x()) - ax;
    const float dy = static_cast<float>(end.y()) - ay;
    const float length2 = dx * dx + dy * dy;
    const float inverseLength2 = length2 > 0.0f ? 1.0f / length2 : 0.0f;
    std::array<uchar, kRunLength> values;

    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const float py = static_cast<float>(y) + 0.5f - ay;
        float left = 0.0f;
        float right = 0.0f;
        if (!capsuleRow(dx, dy, radius, py, left, right))
            continue;
        // A pixel of margin each way; the distance below decides.
        const int first = std::max(rect.left(), static_cast<int>(std::floor(ax + left)) - 1);
        const int last = std::min(rect.right(), static_cast<int>(std::ceil(ax + right)) + 1);

        // Pixels whose centres lie inside the core, by more than the rounding of the row's
        // bounds, are full without measuring.
        int coreFirst = last + 1;
        int coreLast = last;
        if (capsuleRow(dx, dy, inner, py, left, right)) {
            constexpr float kMargin = 1.0f / 16.0f;
            coreFirst = static_cast<int>(std::ceil(ax + left - 0.5f + kMargin));
            coreLast = static_cast<int>(std::floor(ax + right - 0.5f - kMargin));
        }

        for (int from = first; from <= last; from += kRunLength) {
            const int count = std::min(kRunLength, last - from + 1);
            const int fullFrom = std::max(coreFirst - from, 0);
            const int fullTo = std::min(coreLast - from + 1, count);
            // The measure runs without branches, so that it goes several pixels at a time.
            const auto measure = [&](int i0, int i1) {
                for (int i = i0; i < i1; ++i) {
                    const float px = static_cast<float>(from + i) + 0.5f - ax;
                    const float along = clampUnit((px * dx + py * dy) * inverseLength2);
                    const float qx = px - along * dx;
                    const float qy = py - along * dy;
                    const float distance = std::sqrt(qx * qx + qy * qy);
                    const float s = clampUnit((radius - distance) * inverseFade);
                    values[i] = static_cast<uchar>(s * s * (3.0f - 2.0f * s) * 255.0f + 0.5f);
                }
            };
            if (fullFrom < fullTo) {
                measure(0, fullFrom);
                std::fill(values.begin() + fullFrom, values.begin() + fullTo, uchar(255));
                measure(fullTo, count);
            } else {
                measure(0, count);
            }
            layDown(values.data(), y, from, count);
        }
    }
}

void CanvasArea::layDown(const uchar* values, int y, int from, int count)
{
    uchar* coverage = strokeCoverage.scanLine(y) + from;
    const auto* base = reinterpret_cast<const QRgb*>(strokeBase.constScanLine(y)) + from;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y)) + from;
    const quint32 redBlue = strokeColor & 0x00ff00ffu;
    const quint32 green = qGreen(strokeColor);
    const quint32 alpha = strokeOpacity;
    for (int i = 0; i < count; ++i) {
        const quint32 value = values[i];
        const quint32 had = coverage[i];
        const QRgb blended = towards(base[i], div255(value * alpha + 127), redBlue, green);
        // All ones where the coverage rises, else nothing: a select, not a branch.
        const quint32 rises = 0u - static_cast<quint32>(value > had);
        out[i] = (blended & rises) | (out[i] & ~rises);
        coverage[i] = static_cast<uchar>((value & rises) | (had & ~rises));
    }
}
