#pragma once

#include "color/RgbColor.h"
#include "fields/eyedropper/ScreenImage.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

// What the eyedropper shows on one screen: that screen's grab, painted pixel for pixel where it
// was taken, so the screen looks unchanged with or without a compositor and what the user sees is
// what is sampled; and the loupe while the pointer is on this screen.
class ColorPickOverlay : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPickOverlay)

public:
    ColorPickOverlay(const ScreenImage& screen, QWidget* parent);
    ~ColorPickOverlay() override;

    const ScreenImage& screenImage() const { return picture; }

    // Shows the loupe for the pixel `pixel` of the grab, with `color` in its caption, marked as an
    // average when `average` is set.
    void showLoupe(const QPoint& pixel, const RgbColor& color, bool average);
    void hideLoupe();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect loupeRect() const;

    ScreenImage picture;
    bool loupeShown = false;
    QPoint loupePixel;
    RgbColor loupeColor;
    bool loupeAverage = false;
};
