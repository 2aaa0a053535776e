#pragma once

#include "color/RgbColor.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;
class ScreenImage;

// The eyedropper's magnifier: the pixels around the one under the pointer, enlarged, that pixel
// outlined, and below them the color the pick would take, as a swatch and "#RRGGBB".
class ColorPickLoupe
{
public:
    // Pixels across and down, and the size of each on screen, in logical pixels.
    static constexpr int Span = 11;
    static constexpr int Zoom = 8;
    // Distance from the pointer, clear of the cross-hair cursor.
    static constexpr int Gap = 20;

    static QSize size();

    // Where the loupe goes for the pointer at `pointer` on the screen whose geometry is `screen`
    // (global logical coordinates): below and to the right of the pointer, on the other side of it
    // horizontally or vertically where it would leave the screen that way. It never covers the
    // pointer, whatever the screen's size.
    static QRect placement(const QPoint& pointer, const QRect& screen);

    // Where the loupe at `rect` shows the picked pixel, outline included.
    static QRect pickedCell(const QRect& rect);

    // Paints the loupe into `rect` (painter coordinates): the pixels of `image` around `pixel`
    // (a pixel of image.image()), and the caption for `color`, marked as an average when
    // `average` is set.
    static void paint(QPainter& painter, const QRect& rect, const ScreenImage& image,
                      const QPoint& pixel, const RgbColor& color, bool average);
};
