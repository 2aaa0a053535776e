#include "swatches/ColorSwatchButton.h"

#include "color/ColorNames.h"
#include "color/ColorTexts.h"
#include "color/RgbColor.h"
#include "fields/kit/FocusFrame.h"
#include "transfer/ColorDragSource.h"

#include <QPainter>
#include <QPalette>

ColorSwatchButton::ColorSwatchButton(const QColor& color, int width, int height,
                                     const QString& name, QWidget* parent)
    : MultiClickPushButton(parent), m_color(color), m_name(name)
{
    QPalette palette;
    palette.setColor(QPalette::Button, color);
    setPalette(palette);
    // The face covers every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const RgbColor rgb(color);
    m_toolTipText = swatchToolTipText(name, rgb);
    setToolTip(m_toolTipText);
    // A screen reader says what the tooltip's first line says, or the nearest color name for a
    // swatch without one, and then the hex.
    const QString hex = QStringLiteral("#%1").arg(color.rgb() & 0xffffff, 6, 16, QLatin1Char('0'));
    setAccessibleName(tr("%1, %2").arg(
        name.isEmpty() ? spokenColorName(nearestColorName(rgb)) : name, hex.toUpper()));
    setFixedSize(width, height);
    new ColorDragSource(this, [this] { return m_color; });
}

ColorSwatchButton::~ColorSwatchButton() = default;

void ColorSwatchButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    // Opaque: the file keeps no alpha, and a swatch shows what the file keeps.
    painter.fillRect(rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth),
                     QColor(m_color.rgb()));
    if (hasFocus()) {
        FocusFrame::paint(painter, rect(), palette());
    }
}
