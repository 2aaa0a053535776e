#include "swatches/ColorPaletteLayout.h"

#include "color/HsvColor.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteStep.h"
#include "swatches/PaletteAngleType.h"

#include <QHBoxLayout>

#include <algorithm>

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
    // The tiles and shades are labels, which take no focus until one is made the stop.
    setTabStop(palettes[0]);
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

void ColorPaletteLayout::updatePalettes(const HsvColor& hsv, int type, int angle)
{
    const auto mode = static_cast<PaletteAngleType>(type);
    if (type != currentType) {
        palettes[0]->show();
        palettes[1]->setVisible(mode != PaletteAngleType::Monochromatic);
        palettes[2]->setVisible(mode != PaletteAngleType::Monochromatic);
        palettes[3]->setVisible(mode == PaletteAngleType::Tetrad);
        // A stop in a tile now hidden would drop the strip from the Tab chain.
        if (!focusOrder().contains(stop))
            setTabStop(palettes[0]);
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
    const int complement = HsvColor::complementHue(hue);
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

QList<QWidget*> ColorPaletteLayout::focusOrder() const
{
    QList<QWidget*> cells;
    for (ColorPalette* tile : palettes) {
        if (tile->isHidden())
            continue;
        cells << tile;
        for (int i = 0; i < ColorPalette::StepCount; ++i)
            cells << tile->step(i);
    }
    return cells;
}

void ColorPaletteLayout::setTabStop(QWidget* cell)
{
    if (cell == stop)
        return;
    // Only the stop takes the focus by Tab, and none takes it by a click: a pick by mouse leaves
    // the focus where it was, in a spinner being typed in, say.
    cell->setFocusPolicy(Qt::TabFocus);
    if (stop)
        stop->setFocusPolicy(Qt::NoFocus);
    stop = cell;
}

bool ColorPaletteLayout::moveFocus(QWidget* cell, int key)
{
    const QList<QWidget*> cells = focusOrder();
    const int at = cells.indexOf(cell);
    if (at < 0)
        return false;
    const int tileAt = at - at % (1 + ColorPalette::StepCount);
    int to = at;
    switch (key) {
    case Qt::Key_Left:
        to = std::max(at - 1, 0);
        break;
    case Qt::Key_Right:
        to = std::min(at + 1, int(cells.size()) - 1);
        break;
    case Qt::Key_Down:
        to = at == tileAt ? at + 1 : at;
        break;
    case Qt::Key_Up:
        to = tileAt;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = int(cells.size()) - 1;
        break;
    default:
        return false;
    }
    setTabStop(cells.at(to));
    cells.at(to)->setFocus(Qt::OtherFocusReason);
    return true;
}
