#pragma once

#include "color/HsvColor.h"
#include "color/RgbColor.h"
#include "fields/kit/SpokenColorView.h"

#include <QLabel>

#include <array>

class ColorDialogServices;
class ColorPaletteLayout;
class ColorPaletteStep;
class QMouseEvent;
class QPaintEvent;

// One tile of the harmony strip: its color above a row of four shades. A left click
// on the tile itself makes its color the dialog's current color; so do Space and Enter when the
// tile has the focus.
class ColorPalette : public QLabel, public SpokenColorView
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPalette)

public:
    static constexpr int StepCount = 4;
    static constexpr int TileHeight = 60;
    static constexpr int StepInset = 5;

    // A tile of `strip`, which owns it and reports its picks.
    explicit ColorPalette(ColorPaletteLayout* strip);
    ~ColorPalette() override;

    // Shows `hsv` and recolours the four shades from it.
    void setColor(const HsvColor& hsv);

    HsvColor shownColor() const { return baseColor; }
    ColorPaletteStep* step(int index) const;
    // Where picks on the tile and its shades go: the strip's services.
    ColorDialogServices* services() const;
    ColorPaletteLayout* paletteStrip() const { return strip; }
    // The tile's place in the strip, 0..3, and the shade's place in the tile.
    int indexInStrip() const;
    int indexOf(const ColorPaletteStep* shade) const;

    // What a left click does: the tile's color becomes the dialog's, unless it is already.
    void pick();

    QAccessible::Role spokenRole() const override;
    QString spokenName() const override;
    QString spokenValue() const override;
    QString spokenHelp() const override;
    bool hasPressAction() const override { return true; }
    void press() override;

    // Shade `index` (0..3, left to right) of `base`: saturation and value scaled by
    // that shade's factors, truncated and clamped; hue and alpha kept.
    static HsvColor shadeOf(const HsvColor& base, int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ColorPaletteLayout* const strip;
    std::array<ColorPaletteStep*, StepCount> steps{};
    HsvColor baseColor;
    // The color painted over the whole tile (black until the first color): red, green
    // and blue only, so that a change of alpha alone repaints nothing.
    RgbColor painted{0, 0, 0};
};
