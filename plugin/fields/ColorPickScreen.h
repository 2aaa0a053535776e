#pragma once

#include "color/RgbColor.h"
#include "fields/ColorSamples.h"
#include "fields/ScreenImage.h"

#include <QDialog>
#include <QPointF>
#include <QRect>

// The screen eyedropper. It grabs every screen once, covers the virtual desktop with a modal
// overlay that shows that grab, and takes its colors from the grab under the pointer: each move
// while a button is held adds a sample, the release adds the last one, and the pick is the
// per-channel average, so a click takes one pixel and a scrub an area's mean. Return or Enter
// takes the pixel under the pointer; the arrow keys move the pointer a pixel at a time (ten with
// Shift). Escape, a right-button release, or the overlay closing any other way cancel. A loupe
// beside the pointer magnifies the pixels around it and shows the color the pick would take.
class ColorPickScreen : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPickScreen)

public:
    // Grabs the screens and sets the overlay up over them; exec() runs the pick.
    explicit ColorPickScreen(const RgbColor& start, QWidget* parent = nullptr);
    ~ColorPickScreen() override;

    // Runs a pick over the host's main window: the picked color (opaque), or `start` as it is
    // when the pick was cancelled.
    static RgbColor pickScreenColor(const RgbColor& start);

    // Once the overlay closed: the picked color, or the start color after a cancel.
    RgbColor pickedColor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void sampleAt(const QPointF& global);
    // Ends the pick; `take` keeps the samples, otherwise it is cancelled.
    void finish(bool take);
    void followPointer(const QPointF& global);
    void movePointer(int dx, int dy);
    QRect loupeRect() const;

    RgbColor startColor;
    ColorSamples samples;
    RgbColor lastSample;
    ScreenImage screenImage;
    // Set by a release, Return or Enter; anything else that ends the overlay cancels.
    bool taken = false;
    // Where the pointer is, for the loupe.
    QPointF pointer;
};
