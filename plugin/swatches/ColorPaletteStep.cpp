#include "swatches/ColorPaletteStep.h"

#include <QMouseEvent>

#if __has_include("dialog/ColorDorvoDialog.h")
#include "color/ColorValue.h"
#include "dialog/ColorDorvoDialog.h"
#define COLORDORVO_PALETTE_HAS_DIALOG 1
#endif

ColorPaletteStep::ColorPaletteStep(ColorDorvoDialog* dialog, QWidget* parent)
    : QLabel(parent), dialog(dialog)
{
}

ColorPaletteStep::~ColorPaletteStep() = default;

QString ColorPaletteStep::cellStyleSheet(int red, int green, int blue)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3)").arg(red).arg(green).arg(blue);
}

void ColorPaletteStep::setColor(const RgbColor& rgb)
{
    const bool repaint = !styled || rgb.red() != color.red() || rgb.green() != color.green() ||
                         rgb.blue() != color.blue();
    color = rgb;
    if (repaint) {
        styled = true;
        setStyleSheet(cellStyleSheet(color.red(), color.green(), color.blue()));
    }
}

void ColorPaletteStep::mousePressEvent(QMouseEvent* event)
{
    // Handled here alone, whatever the button: the tile below never sees the press.
    if (event->button() != Qt::LeftButton || !dialog)
        return;
#ifdef COLORDORVO_PALETTE_HAS_DIALOG
    const int alpha = dialog->GetCurrentColorValue().rgb.alpha();
    dialog->ViewColorChanged(ColorValue(RgbColor(color.red(), color.green(), color.blue(), alpha)),
                             true);
#endif
}
