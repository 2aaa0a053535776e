#include "swatches/ColorPaletteStep.h"

#include "color/ColorValue.h"
#include "fields/ColorDialogServices.h"
#include "swatches/ColorDragSource.h"
#include "swatches/ColorPalette.h"

#include <QColor>
#include <QMouseEvent>
#include <QPainter>

ColorPaletteStep::ColorPaletteStep(ColorPalette* tile) : QLabel(tile), tile(tile)
{
    // Dragged off, a shade carries the color a click on it picks.
    new ColorDragSource(this, [this] {
        const ColorDialogServices* dialog = this->tile->services();
        const int alpha = dialog ? dialog->GetCurrentColorValue().rgb().alpha() : 255;
        return QColor(color.red(), color.green(), color.blue(), alpha);
    });
}

ColorPaletteStep::~ColorPaletteStep() = default;

void ColorPaletteStep::setColor(const RgbColor& rgb)
{
    const bool repaint = !colored || rgb.red() != color.red() || rgb.green() != color.green() ||
                         rgb.blue() != color.blue();
    color = rgb;
    if (repaint) {
        // From now on paintEvent covers every pixel of the shade.
        colored = true;
        setAttribute(Qt::WA_OpaquePaintEvent);
        update();
    }
}

void ColorPaletteStep::mousePressEvent(QMouseEvent* event)
{
    // Handled here alone, whatever the button: the tile below never sees the press.
    ColorDialogServices* dialog = tile->services();
    if (event->button() != Qt::LeftButton || !dialog)
        return;
    const int alpha = dialog->GetCurrentColorValue().rgb().alpha();
    dialog->ViewColorChanged(ColorValue(RgbColor(color.red(), color.green(), color.blue(), alpha)),
                             true);
}

void ColorPaletteStep::paintEvent(QPaintEvent* event)
{
    if (colored)
        QPainter(this).fillRect(rect(), QColor(color.red(), color.green(), color.blue()));
    QLabel::paintEvent(event);
}
