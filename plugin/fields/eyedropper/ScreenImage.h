#pragma once

#include "color/RgbColor.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>

class QScreen;

// A still picture of one screen, in its device pixels, and the way from pointer positions to them.
// Qt 5 places a scaled screen on the virtual desktop at its device (native) top-left corner and
// scales only the distances from there: the device pixel n on the screen is reported as the
// logical position origin + (n - origin) x (1 / ratio), a fraction for most ratios other than 1
// or 2. Multiplying back gives n again only up to rounding, which often falls just short of n.
class ScreenImage
{
public:
    ScreenImage() = default;
    // `image` holds the screen's device pixels; its top-left one is `origin` on the desktop.
    ScreenImage(const QImage& image, const QPoint& origin, qreal devicePixelRatio);

    static ScreenImage grab(QScreen* screen);

    // The device pixel of the desktop under a global position in this screen's terms; it may lie
    // off this screen.
    QPoint nativeAt(const QPointF& global) const;
    // The pixel of image() under a global position; positions off the screen take the nearest
    // pixel on its edge.
    QPoint pixelAt(const QPointF& global) const;
    // The pixel of image() at a device pixel of the desktop, or the nearest one on its edge.
    QPoint pixelAtNative(const QPoint& native) const;
    // What QCursor::pos() reports while the pointer is on `pixel`: a whole logical position.
    QPoint cursorPosAt(const QPoint& pixel) const;
    // The pixel QCursor::setPos() puts the pointer on for a whole logical position on this
    // screen, the best guess from one that QCursor::pos() reported; clamped as pixelAt().
    QPoint pixelAtCursor(const QPoint& cursor) const;
    // The global logical position of the middle of `pixel`.
    QPointF globalAt(const QPoint& pixel) const;

    // The color of a pixel of image(), opaque; opaque black for an empty picture.
    RgbColor colorOf(const QPoint& pixel) const;
    RgbColor colorAt(const QPointF& global) const { return colorOf(pixelAt(global)); }

    bool isNull() const { return picture.isNull(); }
    // The picture in Format_RGB32, its devicePixelRatio() set to devicePixelRatio().
    const QImage& image() const { return picture; }
    QPoint origin() const { return topLeft; }
    qreal devicePixelRatio() const { return ratio; }
    // The logical rectangle the screen covers, as QScreen::geometry() gives it, and the device
    // pixels it covers on the desktop.
    QRect geometry() const;
    QRect nativeGeometry() const { return QRect(topLeft, picture.size()); }
    // Whether a global position is on the screen in its own terms: inside the logical rectangle
    // without rounding its size.
    bool covers(const QPointF& global) const;

private:
    QImage picture;
    QPoint topLeft;
    qreal ratio = 1.0;
};
