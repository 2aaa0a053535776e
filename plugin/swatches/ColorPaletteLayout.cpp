#include "swatches/ColorPaletteLayout.h"

#include "color/HsvColor.h"
#include "dialog/PaletteAngleType.h"
#include "swatches/ColorPalette.h"

#include <QHBoxLayout>

ColorPaletteLayout::ColorPaletteLayout(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(StripHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (ColorPalette*& tile : palettes) {
        tile = new ColorPalette(this);
        tile->setFixedHeight(StripHeight);
        layout->addWidget(tile);
    }
}

ColorPaletteLayout::~ColorPaletteLayout() = default;

void ColorPaletteLayout::setServices(ColorDialogServices* services)
{
    dialog = services;
}

ColorPalette* ColorPaletteLayout::palette(int index) const
{
    return index >= 0 && index < TileCount ? palettes[index] : nullptr;
}

int ColorPaletteLayout::wrapHue(int hue)
{
    if (hue < 0)
        return hue + 360;
    if (hue > 360)
        return hue - 360;
    return hue;
}

int ColorPaletteLayout::complementHue(int hue)
{
    return hue < 180 ? hue + 180 : hue - 180;
}

void ColorPaletteLayout::updatePalettes(const HsvColor& hsv, int type, int angle)
{
    const auto mode = static_cast<PaletteAngleType>(type);
    if (type != currentType) {
        palettes[0]->show();
        palettes[1]->setVisible(mode != PaletteAngleType::Monochromatic);
        palettes[2]->setVisible(mode != PaletteAngleType::Monochromatic);
        palettes[3]->setVisible(mode == PaletteAngleType::Tetrad);
        adjustSize();
        // adjustSize shrinks a strip held in a layout to its size hint; the layout it sits in
        // puts it back before the next paint. When no tile changes visibility, nothing else
        // would ask that layout for it.
        updateGeometry();
    }

    palettes[0]->setColor(hsv);

    // Each companion keeps the saturation, value and alpha of the current color; only
    // the hue turns, wrapped once and then clamped by the record's setter.
    const auto turned = [&hsv](int hue) {
        HsvColor color = hsv;
        color.setHue(wrapHue(hue));
        return color;
    };
    const int hue = hsv.hue();
    const int complement = complementHue(hue);
    switch (mode) {
    case PaletteAngleType::Adjacent:
        palettes[1]->setColor(turned(hue + angle));
        palettes[2]->setColor(turned(hue - angle));
        break;
    case PaletteAngleType::Triad:
        palettes[1]->setColor(turned(complement + angle));
        palettes[2]->setColor(turned(complement - angle));
        break;
    case PaletteAngleType::Tetrad:
        palettes[1]->setColor(turned(hue + angle));
        palettes[2]->setColor(turned(complement + angle));
        palettes[3]->setColor(turned(complement));
        break;
    default:
        // Monochromatic shows the current color alone; hidden tiles keep their colors.
        break;
    }

    currentType = type;
}
