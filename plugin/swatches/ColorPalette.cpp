#include "swatches/ColorPalette.h"

#include "color/ColorValue.h"
#include "fields/ColorDialogServices.h"
#include "swatches/ColorDragSource.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"

#include <QColor>
#include <QHBoxLayout>
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

ColorPalette::ColorPalette(ColorPaletteLayout* strip) : QLabel(strip), strip(strip)
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
    ColorDialogServices* dialog = services();
    if (event->button() != Qt::LeftButton || !dialog)
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
    QPainter(this).fillRect(rect(), QColor(painted.red(), painted.green(), painted.blue()));
    QLabel::paintEvent(event);
}
