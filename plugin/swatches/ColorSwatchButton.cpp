#include "swatches/ColorSwatchButton.h"

#include "color/ColorTexts.h"
#include "color/RgbColor.h"
#include "swatches/ColorDragSource.h"

#include <QPalette>

ColorSwatchButton::ColorSwatchButton(const QColor& color, int width, int height,
                                     const QString& name, QWidget* parent)
    : MultiClickPushButton(parent), m_color(color), m_name(name)
{
    QPalette palette;
    palette.setColor(QPalette::Button, color);
    setPalette(palette);
    m_toolTipText = swatchToolTipText(name, RgbColor(color));
    setToolTip(m_toolTipText);
    setFixedSize(width, height);
    new ColorDragSource(this, [this] { return m_color; });
}

ColorSwatchButton::~ColorSwatchButton() = default;
