#include "fields/eyedropper/ScreenImage.h"

#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// Far above the rounding error of origin + (n - origin) / ratio multiplied back (about 1e-12 on
// any desktop), far below the step between the positions of neighbouring device pixels.
constexpr double kTolerance = 1.0 / 1024.0;

int devicePixel(qreal global, int origin, qreal ratio)
{
    return origin + static_cast<int>(std::floor((global - origin) * ratio + kTolerance));
}

} // namespace

ScreenImage::ScreenImage(const QImage& image, const QPoint& origin, qreal devicePixelRatio)
    : picture(image.convertToFormat(QImage::Format_RGB32)), topLeft(origin), ratio(devicePixelRatio)
{
    picture.setDevicePixelRatio(ratio);
}

ScreenImage ScreenImage::grab(QScreen* screen)
{
    const QImage image = screen->grabWindow(0).toImage();
    return ScreenImage(image, screen->geometry().topLeft(), image.devicePixelRatio());
}

QPoint ScreenImage::nativeAt(const QPointF& global) const
{
    return QPoint(devicePixel(global.x(), topLeft.x(), ratio),
                  devicePixel(global.y(), topLeft.y(), ratio));
}

QPoint ScreenImage::pixelAt(const QPointF& global) const
{
    return pixelAtNative(nativeAt(global));
}

QPoint ScreenImage::pixelAtNative(const QPoint& native) const
{
    if (picture.isNull())
        return QPoint();
    const QPoint pixel = native - topLeft;
    return QPoint(std::clamp(pixel.x(), 0, picture.width() - 1),
                  std::clamp(pixel.y(), 0, picture.height() - 1));
}

QPoint ScreenImage::cursorPosAt(const QPoint& pixel) const
{
    // As Qt 5 scales a whole device position: each coordinate rounded, halves away from zero.
    const qreal scale = 1 / ratio;
    return topLeft + QPoint(qRound(pixel.x() * scale), qRound(pixel.y() * scale));
}

QPoint ScreenImage::pixelAtCursor(const QPoint& cursor) const
{
    const QPoint offset = cursor - topLeft;
    return pixelAtNative(topLeft + QPoint(qRound(offset.x() * ratio), qRound(offset.y() * ratio)));
}

QPointF ScreenImage::globalAt(const QPoint& pixel) const
{
    return QPointF(topLeft) + (QPointF(pixel) + QPointF(0.5, 0.5)) / ratio;
}

bool ScreenImage::covers(const QPointF& global) const
{
    const QPointF offset = global - topLeft;
    return !picture.isNull() && offset.x() >= 0 && offset.y() >= 0 &&
           offset.x() < picture.width() / ratio && offset.y() < picture.height() / ratio;
}

RgbColor ScreenImage::colorOf(const QPoint& pixel) const
{
    if (picture.isNull())
        return RgbColor();
    return RgbColor(picture.pixel(pixel));
}

QRect ScreenImage::geometry() const
{
    if (picture.isNull())
        return QRect();
    // As Qt 5 sizes a scaled screen.
    return QRect(topLeft, QSize(qRound(picture.width() / ratio), qRound(picture.height() / ratio)));
}
