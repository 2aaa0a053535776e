#pragma once

#include "color/RgbColor.h"
#include "fields/eyedropper/ColorSamples.h"
#include "fields/eyedropper/DesktopGrab.h"

#include <QDialog>
#include <QPoint>
#include <QPointF>

#include <vector>

class ColorPickOverlay;
class QScreen;

// The screen eyedropper. It grabs every screen once and covers each with an overlay that shows
// its grab at the screen's own device pixel ratio; the dialog itself is the overlay of the
// primary screen, a modal popup that holds the pointer and the keyboard. Colors come from the
// grabs under the pointer: each move while a button is held adds a sample, the release adds the
// last one, and the pick is the per-channel average, so a click takes one pixel and a scrub an
// area's mean. Return or Enter takes the pixel under the pointer; the arrow keys move the pointer
// a device pixel at a time (ten with Shift) on screens of any scale factor. Escape, a right-button
// release, or the overlay closing any other way cancel. A loupe beside the pointer magnifies the
// pixels around it and shows the color the pick would take.
class ColorPickScreen : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorPickScreen)

public:
    // Grabs the screens and sets the overlays up over them; exec() runs the pick.
    explicit ColorPickScreen(const RgbColor& start, QWidget* parent = nullptr);
    ~ColorPickScreen() override;

    // Runs a pick over the host's main window: the picked color (opaque), or `start` as it is
    // when the pick was cancelled.
    static RgbColor pickScreenColor(const RgbColor& start);

    // Once the overlay closed: the picked color, or the start color after a cancel.
    RgbColor pickedColor() const;

    // The window that covers `screen`, or null.
    QWidget* overlayOn(const QScreen* screen) const;

    // The device pixels a key press moves the pointer by: one for an arrow key, ten with Shift;
    // none for any other key.
    static QPoint arrowStep(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The screen whose window `watched` is in, as an index into the grab, or -1.
    int screenOf(const QObject* watched) const;
    void sampleAt(const DesktopGrab::Spot& spot);
    // Ends the pick; `take` keeps the samples, otherwise it is cancelled.
    void finish(bool take);
    void stopListening();
    void followPointer(const DesktopGrab::Spot& spot);
    void movePointer(const QPoint& delta);
    // The pixel a pointer event at `spot` stands for: the one the keys moved to while the event
    // only reports where the keys put the cursor, otherwise `spot`.
    DesktopGrab::Spot heard(const DesktopGrab::Spot& spot);

    RgbColor startColor;
    ColorSamples samples;
    RgbColor lastSample;
    DesktopGrab screenImage;
    // Per screen of the grab: the window over it (this dialog for the primary screen, a window of
    // its own for each other) and the overlay widget that paints it.
    std::vector<QWidget*> windows;
    std::vector<ColorPickOverlay*> overlays;
    // Set by a release, Return or Enter; anything else that ends the overlay cancels.
    bool taken = false;
    // The device pixel under the pointer, as the last pointer event or key found it.
    DesktopGrab::Spot pointer;
    // Where the cursor went for each key move since the pointer last moved by itself. The cursor
    // stands on whole logical positions only, so on a scaled screen the window system reports it
    // on a neighbour of the pixel the keys chose, possibly after a later key move.
    std::vector<DesktopGrab::Spot> keyLandings;
};
