#pragma once

#include "color/RgbColor.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>

#include <vector>

// A still picture of the whole virtual desktop, every screen of it, taken at once, in which
// global pointer positions find their pixels. The picture holds device pixels: on a scaled display
// (device pixel ratio above 1) one logical pixel covers several of them, and a position is mapped
// to the device pixel under it, fractional logical positions included.
class ScreenImage
{
public:
    // One screen's grab: its logical geometry on the virtual desktop and its picture, whose
    // devicePixelRatio() tells how many device pixels a logical pixel spans.
    struct Tile
    {
        QRect geometry;
        QImage image;
    };

    ScreenImage() = default;
    // image covers the logical rectangle at origin of size image.size() / devicePixelRatio.
    ScreenImage(const QImage& image, const QPoint& origin, qreal devicePixelRatio);

    // Grabs every screen of the primary screen's virtual desktop.
    static ScreenImage grabDesktop();
    // Lays the tiles out in one picture over their bounding rectangle, at the highest device
    // pixel ratio among them; a tile of a lower ratio is enlarged by repeating its pixels, so
    // every pixel of the result is one of a grab. Parts no tile covers are black.
    static ScreenImage compose(const std::vector<Tile>& tiles);

    // The pixel of image() under a global logical position; positions outside the picture take
    // the nearest pixel on its edge.
    QPoint pixelAt(const QPointF& global) const;
    // The color of that pixel, opaque; opaque black for an empty picture.
    RgbColor colorAt(const QPointF& global) const;

    bool isNull() const { return picture.isNull(); }
    // The picture in Format_RGB32, its devicePixelRatio() set to devicePixelRatio().
    const QImage& image() const { return picture; }
    QPoint origin() const { return topLeft; }
    qreal devicePixelRatio() const { return ratio; }
    // The logical rectangle the picture covers.
    QRect geometry() const;

private:
    QImage picture;
    QPoint topLeft;
    qreal ratio = 1.0;
};
