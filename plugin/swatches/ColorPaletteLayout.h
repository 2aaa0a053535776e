#pragma once

#include <QWidget>

#include <array>

class ColorDialogServices;
class ColorPalette;
class HsvColor;

// The harmony strip under the color field: the current color and up to three colors
// whose hue is turned by the harmony angle, each tile with four shades along its
// bottom edge. Picks on the tiles and shades go straight to the dialog's services.
//
// From the keyboard the strip is one stop of the Tab chain: the tile or shade that last had the
// focus (at first the first tile). Left and Right go through the visible tiles, each followed by
// its shades; Down goes from a tile to its first shade and Up back; Home and End go to the
// first tile and the last shade.
class ColorPaletteLayout : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPaletteLayout)

public:
    static constexpr int TileCount = 4;
    static constexpr int StripHeight = 60;

    // The dialog's form builds the strip with its parent only; until setServices the
    // strip shows colors but reports nothing.
    explicit ColorPaletteLayout(QWidget* parent = nullptr);
    ~ColorPaletteLayout() override;

    // Where the tiles and shades report their picks (not owned; null reports nothing).
    // Given once, right after the form is set up.
    void setServices(ColorDialogServices* services);
    ColorDialogServices* services() const { return dialog; }

    // Recolours the strip for the current color `hsv` and the harmony mode `type`
    // (monochromatic, adjacent, triad, tetrad) at `angle` degrees. Tile visibility is
    // only touched when the mode differs from the one last applied.
    void updatePalettes(const HsvColor& hsv, int type, int angle);

    ColorPalette* palette(int index) const;
    // The mode last applied, -1 before the first update.
    int harmonyType() const { return currentType; }

    // A navigation key pressed on cell (a tile or a shade of this strip): moves the focus and
    // answers true, or answers false for any other key.
    bool moveFocus(QWidget* cell, int key);
    // The cell that takes the focus when the strip is tabbed into.
    QWidget* tabStop() const { return stop; }

    // One wrap into 0..360 of a hue turned by at most one full circle; 360 stays 360.
    static int wrapHue(int hue);

private:
    // The visible tiles, each followed by its shades.
    QList<QWidget*> focusOrder() const;
    void setTabStop(QWidget* cell);

    ColorDialogServices* dialog = nullptr;
    QWidget* stop = nullptr;
    std::array<ColorPalette*, TileCount> palettes{};
    int currentType = -1;
};
