#include "swatches/ColorPaletteStep.h"

#include "color/ColorTexts.h"
#include "color/ColorValue.h"
#include "fields/ColorDialogServices.h"

#include <QMouseEvent>

ColorPaletteStep::ColorPaletteStep(ColorDialogServices* dialog, QWidget* parent)
    : QLabel(parent), dialog(dialog)
{
}

ColorPaletteStep::~ColorPaletteStep() = default;

void ColorPaletteStep::setColor(const RgbColor& rgb)
{
    const bool repaint = !styled || rgb.red() != color.red() || rgb.green() != color.green() ||
                         rgb.blue() != color.blue();
    color = rgb;
    if (repaint) {
        styled = true;
        setStyleSheet(cellStyleSheetText(color));
    }
}

void ColorPaletteStep::mousePressEvent(QMouseEvent* event)
{
    // Handled here alone, whatever the button: the tile below never sees the press.
    if (event->button() != Qt::LeftButton || !dialog)
        return;
    const int alpha = dialog->GetCurrentColorValue().rgb().alpha();
    dialog->ViewColorChanged(ColorValue(RgbColor(color.red(), color.green(), color.blue(), alpha)),
                             true);
}
