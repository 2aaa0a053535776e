#include "swatches/ColorPalette.h"

#include "color/ColorNames.h"
#include "color/ColorValue.h"
#include "fields/kit/AccessibilityEvents.h"
#include "fields/kit/ColorDialogServices.h"
#include "fields/kit/FocusFrame.h"
#include "fields/kit/KeyboardStep.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"
#include "transfer/ColorDragSource.h"

#include <QColor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
struct StepFactor
{
    float saturation;
    float value;
};

// Left to right: paler and brighter, then more saturated and darker.
constexpr StepFactor stepFactors[ColorPalette::StepCount] = {
    {0.5f, 1.5f}, {0.75f, 1.25f}, {1.25f, 0.75f}, {1.5f, 0.5f}};

// The shades take the bottom quarter of the tile, inset from its edges.
constexpr int StepHeight = static_cast<int>(ColorPalette::TileHeight * 0.25f);
} // namespace

ColorPalette::ColorPalette(ColorPaletteLayout* owner) : QLabel(owner), strip(owner)
{
    // paintEvent covers every pixel: nothing under the tile needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(TileHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(StepInset, TileHeight - StepInset - StepHeight, StepInset, 0);
    for (ColorPaletteStep*& cell : steps) {
        cell = new ColorPaletteStep(this);
        cell->setFixedHeight(StepHeight);
        // Held to the top of the margins so the row sits 5 pixels above the tile's bottom edge,
        // as it does 5 pixels in from the sides; the layout would centre it in the 20 rows left.
        layout->addWidget(cell, 0, Qt::AlignTop);
    }
    // Dragged off, a tile carries the color a click on it picks.
    new ColorDragSource(this, [this] {
        const ColorDialogServices* dialog = services();
        const int alpha = dialog ? dialog->GetCurrentColorValue().rgb().alpha() : 255;
        const RgbColor rgb(HsvColor(baseColor.hue(), baseColor.saturation(), baseColor.value()));
        return QColor(rgb.red(), rgb.green(), rgb.blue(), alpha);
    });
}

ColorPalette::~ColorPalette() = default;

ColorPaletteStep* ColorPalette::step(int index) const
{
    return index >= 0 && index < StepCount ? steps[index] : nullptr;
}

ColorDialogServices* ColorPalette::services() const
{
    return strip->services();
}

HsvColor ColorPalette::shadeOf(const HsvColor& base, int index)
{
    const StepFactor& factor = stepFactors[index];
    HsvColor shade = base;
    // Single-precision products truncated toward zero; the setters clamp 0..100.
    shade.setSaturation(
        static_cast<int>(static_cast<float>(base.saturation()) * factor.saturation));
    shade.setValue(static_cast<int>(static_cast<float>(base.value()) * factor.value));
    return shade;
}

void ColorPalette::setColor(const HsvColor& hsv)
{
    baseColor = hsv;
    const RgbColor rgb(baseColor);
    const RgbColor opaque(rgb.red(), rgb.green(), rgb.blue());
    if (opaque != painted) {
        painted = opaque;
        update();
    }
    for (int i = 0; i < StepCount; ++i)
        steps[i]->setColor(RgbColor(shadeOf(baseColor, i)));
}

void ColorPalette::mousePressEvent(QMouseEvent* event)
{
    // Only the left button picks; other buttons are swallowed here.
    if (event->button() == Qt::LeftButton)
        pick();
}

void ColorPalette::pick()
{
    ColorDialogServices* dialog = services();
    if (!dialog)
        return;
    const ColorValue current = dialog->GetCurrentColorValue();
    if (current.hsv() != baseColor) {
        // Keep the alpha of the color being edited: a harmony pick changes the color,
        // not its opacity.
        dialog->ViewColorChanged(ColorValue(HsvColor(baseColor.hue(), baseColor.saturation(),
                                                     baseColor.value(), current.rgb().alpha())),
                                 true);
    }
}

// Painted by hand rather than through a style sheet: a style-sheet write re-polishes the
// widget, too slow for a strip recoloured on every drag step.
void ColorPalette::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(painted.red(), painted.green(), painted.blue()));
    if (hasFocus())
        FocusFrame::paint(painter, rect(), palette());
    painter.end();
    QLabel::paintEvent(event);
}

void ColorPalette::keyPressEvent(QKeyEvent* event)
{
    if (KeyboardStep::isPlainOrShift(event->modifiers())) {
        if (KeyboardStep::activates(event->key())) {
            press();
            return;
        }
        if (strip->moveFocus(this, event->key()))
            return;
    }
    QLabel::keyPressEvent(event);
}

void ColorPalette::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void ColorPalette::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}

int ColorPalette::indexInStrip() const
{
    for (int i = 0; i < ColorPaletteLayout::TileCount; ++i) {
        if (strip->palette(i) == this)
            return i;
    }
    return -1;
}

int ColorPalette::indexOf(const ColorPaletteStep* shade) const
{
    for (int i = 0; i < StepCount; ++i) {
        if (steps[i] == shade)
            return i;
    }
    return -1;
}

void ColorPalette::press()
{
    pick();
    AccessibilityEvents::announceColor(this);
}

QAccessible::Role ColorPalette::spokenRole() const
{
    return QAccessible::Button;
}

QString ColorPalette::spokenName() const
{
    return tr("Harmony color %1: %2")
        .arg(indexInStrip() + 1)
        .arg(spokenHexAndName(RgbColor(baseColor)));
}

QString ColorPalette::spokenValue() const
{
    return QString();
}

QString ColorPalette::spokenHelp() const
{
    return tr("Space or Enter takes this color. Left and Right go through the harmony colors and "
              "their shades, Down to the shades, Up back to the color.");
}
