#pragma once

#include "color/RgbColor.h"

#include <QLabel>

class ColorPalette;
class QMouseEvent;
class QPaintEvent;

// One shade cell inside a palette tile. A left click makes its color the dialog's
// current color; the press never reaches the tile underneath.
class ColorPaletteStep : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPaletteStep)

public:
    // A shade of `tile`, which owns it and reports its picks.
    explicit ColorPaletteStep(ColorPalette* tile);
    ~ColorPaletteStep() override;

    void setColor(const RgbColor& rgb);
    RgbColor shownColor() const { return color; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ColorPalette* const tile;
    RgbColor color;
    // Until its first color a shade paints nothing of its own, and the tile shows through.
    bool colored = false;
};
