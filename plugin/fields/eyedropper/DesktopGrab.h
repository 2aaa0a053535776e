#pragma once

#include "color/RgbColor.h"
#include "fields/eyedropper/ScreenImage.h"

#include <QPoint>
#include <QPointF>

#include <vector>

// Every screen of the desktop grabbed at once, each in a picture of its own at its own device
// pixel ratio, and the way from pointer positions to the device pixel under the pointer, on
// whichever screen it lies.
class DesktopGrab
{
public:
    // A device pixel: the screen (an index into screens()) and the pixel of its picture.
    struct Spot
    {
        int screen = -1;
        QPoint pixel;

        bool isValid() const { return screen >= 0; }
        bool operator==(const Spot& other) const
        {
            return screen == other.screen && pixel == other.pixel;
        }
    };

    DesktopGrab() = default;
    explicit DesktopGrab(std::vector<ScreenImage> screens);

    // Grabs every screen of the primary screen's virtual desktop, in the order Qt lists them.
    static DesktopGrab grab();

    const std::vector<ScreenImage>& screens() const { return pictures; }

    // The device pixel under a global position as Qt reports it to a window on screen `via`. Qt
    // reports a position in the terms of the screen it lies on, also during a drag that left the
    // window's screen; a position on no screen is in the terms of the window's, and takes the
    // nearest pixel of it.
    Spot spotAt(int via, const QPointF& global) const;
    // The device pixel under the pointer while QCursor::pos() is `cursor`. A whole logical
    // position does not tell the device pixels of a scaled screen apart; `known`, the pixel the
    // last pointer event found, is kept where the cursor position fits it.
    Spot spotUnderCursor(const QPoint& cursor, const Spot& known) const;
    Spot spotUnderCursor(const QPoint& cursor) const;
    // The device pixel `delta` device pixels away from `from`, on whichever screen holds it; off
    // every screen (past the desktop's edge, or in a gap between screens) the nearest pixel of
    // from's screen. The device pixels of the screens adjoin where Qt 5 places them, whatever
    // their ratios, so steps of one reach every pixel of the desktop.
    Spot stepped(const Spot& from, const QPoint& delta) const;

    RgbColor colorAt(const Spot& spot) const;

private:
    std::vector<ScreenImage> pictures;
};
