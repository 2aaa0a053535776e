#include "fields/ScreenImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

int devicePixel(qreal logical, int origin, qreal ratio, int size)
{
    const double pixel = std::floor((logical - origin) * ratio);
    return static_cast<int>(std::clamp(pixel, 0.0, static_cast<double>(size - 1)));
}

} // namespace

ScreenImage::ScreenImage(const QImage& image, const QPoint& origin, qreal devicePixelRatio)
    : picture(image.convertToFormat(QImage::Format_RGB32)), topLeft(origin), ratio(devicePixelRatio)
{
    picture.setDevicePixelRatio(ratio);
}

ScreenImage ScreenImage::grabDesktop()
{
    std::vector<Tile> tiles;
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        for (QScreen* screen : primary->virtualSiblings())
            tiles.push_back({screen->geometry(), screen->grabWindow(0).toImage()});
    }
    return compose(tiles);
}

ScreenImage ScreenImage::compose(const std::vector<Tile>& tiles)
{
    if (tiles.empty())
        return ScreenImage();
    QRect bounds;
    qreal ratio = 0.0;
    for (const Tile& tile : tiles) {
        bounds |= tile.geometry;
        ratio = std::max(ratio, tile.image.devicePixelRatio());
    }
    // The usual single screen: its grab is the picture as it is.
    if (tiles.size() == 1)
        return ScreenImage(tiles.front().image, bounds.topLeft(), ratio);

    const QSize size(static_cast<int>(std::ceil(bounds.width() * ratio)),
                     static_cast<int>(std::ceil(bounds.height() * ratio)));
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        QPainter painter(&picture);
        // Without smoothing, scaling only repeats pixels; the source mode copies them as they are.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const Tile& tile : tiles) {
            const QRectF target(QPointF(tile.geometry.topLeft() - bounds.topLeft()) * ratio,
                                QSizeF(tile.geometry.size()) * ratio);
            QImage image = tile.image.convertToFormat(QImage::Format_RGB32);
            image.setDevicePixelRatio(1.0);
            painter.drawImage(target.toAlignedRect(), image);
        }
    }
    return ScreenImage(picture, bounds.topLeft(), ratio);
}

QPoint ScreenImage::pixelAt(const QPointF& global) const
{
    if (picture.isNull())
        return QPoint();
    return QPoint(devicePixel(global.x(), topLeft.x(), ratio, picture.width()),
                  devicePixel(global.y(), topLeft.y(), ratio, picture.height()));
}

RgbColor ScreenImage::colorAt(const QPointF& global) const
{
    if (picture.isNull())
        return RgbColor();
    return RgbColor(picture.pixel(pixelAt(global)));
}

QRect ScreenImage::geometry() const
{
    if (picture.isNull())
        return QRect();
    return QRect(topLeft, QSize(static_cast<int>(std::ceil(picture.width() / ratio)),
                                static_cast<int>(std::ceil(picture.height() / ratio))));
}
