#pragma once

#include "color/HsvColor.h"
#include "color/RgbColor.h"

#include <QLabel>

#include <array>

class ColorDialogServices;
class ColorPaletteStep;
class QMouseEvent;

// One tile of the harmony strip: its color above a row of four shades. A left click
// on the tile itself makes its color the dialog's current color.
class ColorPalette : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPalette)

public:
    static constexpr int StepCount = 4;
    static constexpr int TileHeight = 60;
    static constexpr int StepInset = 5;

    ColorPalette(ColorDialogServices* dialog, QWidget* parent = nullptr);
    ~ColorPalette() override;

    // Shows `hsv` and recolours the four shades from it.
    void setColor(const HsvColor& hsv);

    HsvColor shownColor() const { return baseColor; }
    ColorPaletteStep* step(int index) const;

    // Shade `index` (0..3, left to right) of `base`: saturation and value scaled by
    // that shade's factors, truncated and clamped; hue and alpha kept.
    static HsvColor shadeOf(const HsvColor& base, int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    ColorDialogServices* dialog = nullptr;
    std::array<ColorPaletteStep*, StepCount> steps{};
    HsvColor baseColor;
    // What the style sheet currently paints, so that an unchanged color costs no
    // style-sheet write (the strip is recoloured on every drag step).
    RgbColor painted;
};
