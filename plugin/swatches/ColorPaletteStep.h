#pragma once

#include "color/RgbColor.h"
#include "fields/kit/SpokenColorView.h"

#include <QLabel>

class ColorPalette;
class QMouseEvent;
class QPaintEvent;

// One shade cell inside a palette tile. A left click makes its color the dialog's
// current color; the press never reaches the tile underneath. Space and Enter pick as the click
// does when the shade has the focus.
class ColorPaletteStep : public QLabel, public SpokenColorView
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPaletteStep)

public:
    // A shade of `tile`, which owns it and reports its picks.
    explicit ColorPaletteStep(ColorPalette* tile);
    ~ColorPaletteStep() override;

    void setColor(const RgbColor& rgb);
    RgbColor shownColor() const { return color; }
    ColorPalette* paletteTile() const { return tile; }

    // What a left click does: the shade's color becomes the dialog's.
    void pick();

    QAccessible::Role spokenRole() const override;
    QString spokenName() const override;
    QString spokenValue() const override;
    QString spokenHelp() const override;
    bool hasPressAction() const override { return true; }
    void press() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ColorPalette* const tile;
    RgbColor color;
    // Until its first color a shade paints nothing of its own, and the tile shows through.
    bool colored = false;
};
