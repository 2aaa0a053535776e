#include "fields/eyedropper/ColorPickLoupe.h"

#include "fields/eyedropper/ScreenImage.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kPadding = 3;
constexpr int kCaptionHeight = 20;
constexpr int kSwatchSize = 12;
constexpr int kCaptionFontSize = 10;
constexpr int kMagnified = ColorPickLoupe::Span * ColorPickLoupe::Zoom;

const QColor kPanel(28, 28, 30, 235);
// A dark edge on light screens, a light one on dark screens.
const QColor kPanelEdge(0, 0, 0, 200);
const QColor kPanelRim(255, 255, 255, 60);
const QColor kOutsideScreen(64, 64, 64);
const QColor kGrid(0, 0, 0, 26);
const QColor kCaptionText(240, 240, 240);
const QColor kCaptionNote(160, 160, 165);

QString hexText(const RgbColor& color)
{
    return QColor(color.red(), color.green(), color.blue()).name().toUpper();
}

void paintMagnifier(QPainter& painter, const QRect& area, const ScreenImage& image,
                    const QPoint& pixel)
{
    const int half = ColorPickLoupe::Span / 2;
    const QRect around(pixel - QPoint(half, half),
                       QSize(ColorPickLoupe::Span, ColorPickLoupe::Span));
    painter.fillRect(area, kOutsideScreen);
    const QRect shown = around & image.image().rect();
    if (!shown.isEmpty()) {
        const QRect target(area.topLeft() +
                               (shown.topLeft() - around.topLeft()) * ColorPickLoupe::Zoom,
                           shown.size() * ColorPickLoupe::Zoom);
        painter.drawImage(target, image.image(), shown);
    }
    painter.setPen(kGrid);
    for (int i = 1; i < ColorPickLoupe::Span; ++i) {
        const int offset = i * ColorPickLoupe::Zoom;
        painter.drawLine(area.left() + offset, area.top(), area.left() + offset, area.bottom());
        painter.drawLine(area.left(), area.top() + offset, area.right(), area.top() + offset);
    }
    // The picked pixel in black and white, visible on any color.
    const QRect centre = ColorPickLoupe::pickedCell(area.translated(-kPadding, -kPadding));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawRect(centre.adjusted(-1, -1, 0, 0));
    painter.setPen(Qt::white);
    painter.drawRect(centre.adjusted(0, 0, -1, -1));
}

void paintCaption(QPainter& painter, const QRect& area, const RgbColor& color, bool average)
{
    const QRect swatch(area.left(), area.center().y() - kSwatchSize / 2 + 1, kSwatchSize,
                       kSwatchSize);
    painter.fillRect(swatch, QColor(color.red(), color.green(), color.blue()));
    painter.setPen(QColor(255, 255, 255, 90));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));

    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(kCaptionFontSize);
    painter.setFont(font);
    painter.setPen(kCaptionText);
    const QRect text = area.adjusted(kSwatchSize + 5, 0, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, hexText(color));
    if (average) {
        painter.setPen(kCaptionNote);
        painter.drawText(area.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("avg"));
    }
}

// The start of the loupe along one axis: after the pointer where it fits before `last`, else
// before the pointer where it fits after `first`, else on the side with more room. Either way it
// keeps Gap from the pointer.
int besidePointer(int pointer, int extent, int first, int last)
{
    const int after = pointer + ColorPickLoupe::Gap;
    const int before = pointer - ColorPickLoupe::Gap - extent + 1;
    if (after + extent - 1 <= last)
        return after;
    if (before >= first)
        return before;
    return last - pointer >= pointer - first ? after : before;
}

} // namespace

QSize ColorPickLoupe::size()
{
    return QSize(kMagnified + 2 * kPadding, kPadding + kMagnified + kCaptionHeight);
}

QRect ColorPickLoupe::placement(const QPoint& pointer, const QRect& screen)
{
    const QSize loupe = size();
    return QRect(QPoint(besidePointer(pointer.x(), loupe.width(), screen.left(), screen.right()),
                        besidePointer(pointer.y(), loupe.height(), screen.top(), screen.bottom())),
                 loupe);
}

QRect ColorPickLoupe::pickedCell(const QRect& rect)
{
    const int half = Span / 2;
    return QRect(rect.topLeft() + QPoint(kPadding, kPadding) + QPoint(half, half) * Zoom,
                 QSize(Zoom, Zoom));
}

void ColorPickLoupe::paint(QPainter& painter, const QRect& rect, const ScreenImage& image,
                           const QPoint& pixel, const RgbColor& color, bool average)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(kPanelEdge);
    painter.setBrush(kPanel);
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(kPanelRim);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QRect magnifier(rect.topLeft() + QPoint(kPadding, kPadding),
                          QSize(kMagnified, kMagnified));
    paintMagnifier(painter, magnifier, image, pixel);
    const QRect caption(magnifier.left() + 1, magnifier.bottom() + 1, kMagnified - 2,
                        kCaptionHeight);
    paintCaption(painter, caption, color, average);
    painter.restore();
}
