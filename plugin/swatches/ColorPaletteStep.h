#pragma once

#include "color/RgbColor.h"

#include <QLabel>

class ColorDialogServices;
class QMouseEvent;

// One shade cell inside a palette tile. A left click makes its color the dialog's
// current color; the press never reaches the tile underneath.
class ColorPaletteStep : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPaletteStep)

public:
    ColorPaletteStep(ColorDialogServices* dialog, QWidget* parent = nullptr);
    ~ColorPaletteStep() override;

    void setColor(const RgbColor& rgb);
    RgbColor shownColor() const { return color; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    ColorDialogServices* dialog = nullptr;
    RgbColor color;
    // A shade has no style sheet until its first color arrives.
    bool styled = false;
};
