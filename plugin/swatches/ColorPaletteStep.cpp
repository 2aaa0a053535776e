#include "swatches/ColorPaletteStep.h"

#include "color/ColorNames.h"
#include "color/ColorValue.h"
#include "fields/kit/AccessibilityEvents.h"
#include "fields/kit/ColorDialogServices.h"
#include "fields/kit/FocusFrame.h"
#include "fields/kit/KeyboardStep.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"
#include "transfer/ColorDragSource.h"

#include <QColor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColorPaletteStep::ColorPaletteStep(ColorPalette* owner) : QLabel(owner), tile(owner)
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
    if (event->button() == Qt::LeftButton)
        pick();
}

void ColorPaletteStep::pick()
{
    ColorDialogServices* dialog = tile->services();
    if (!dialog)
        return;
    const int alpha = dialog->GetCurrentColorValue().rgb().alpha();
    dialog->ViewColorChanged(ColorValue(RgbColor(color.red(), color.green(), color.blue(), alpha)),
                             true);
}

void ColorPaletteStep::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        if (colored)
            painter.fillRect(rect(), QColor(color.red(), color.green(), color.blue()));
        if (hasFocus())
            FocusFrame::paint(painter, rect(), palette());
    }
    QLabel::paintEvent(event);
}

void ColorPaletteStep::keyPressEvent(QKeyEvent* event)
{
    if (KeyboardStep::isPlainOrShift(event->modifiers())) {
        if (KeyboardStep::activates(event->key())) {
            press();
            return;
        }
        if (tile->paletteStrip()->moveFocus(this, event->key()))
            return;
    }
    QLabel::keyPressEvent(event);
}

void ColorPaletteStep::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void ColorPaletteStep::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}

void ColorPaletteStep::press()
{
    pick();
    AccessibilityEvents::announceColor(this);
}

QAccessible::Role ColorPaletteStep::spokenRole() const
{
    return QAccessible::Button;
}

QString ColorPaletteStep::spokenName() const
{
    return tr("Shade %1 of harmony color %2: %3")
        .arg(tile->indexOf(this) + 1)
        .arg(tile->indexInStrip() + 1)
        .arg(spokenHexAndName(color));
}

QString ColorPaletteStep::spokenValue() const
{
    return QString();
}

QString ColorPaletteStep::spokenHelp() const
{
    return tr("Space or Enter takes this shade. Left and Right go through the harmony colors and "
              "their shades, Up to the color of this shade.");
}
