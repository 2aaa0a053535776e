// make_wheel_picture <output.png> hsv|hue: writes one of the two 256 x 256 wheel pictures embedded
// as ":/ColorFields/resources/hsvWheel.png" and ":/ColorFields/resources/hueWheel.png".
//
// Both are centred on (128, 128), the corner between the four middle pixels, and show at the
// clockwise angle from straight up the hue of that angle (red at the top, yellow toward the upper
// right, green toward the lower right), converted with the color model's own HSV to RGB:
// - hsv: a disk of radius 128, saturation 0 at the centre growing to 100 at the rim, value 100;
// - hue: a ring from radius 100 to 128 at saturation and value 100, transparent inside.
// Everything outside the shape is fully transparent. Each pixel is the average of a grid of
// samples inside it, so the edges are smooth: a pixel wholly inside the shape is opaque, one
// wholly outside has alpha 0, one cut by an edge is as opaque as the part of it inside.

#include "color/HsvColor.h"
#include "color/RgbColor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kSize = 256;
constexpr double kCentre = kSize / 2.0;
constexpr double kOuterRadius = 128.0;
constexpr double kRingInnerRadius = 100.0;
// Samples per pixel along each axis.
constexpr int kGrid = 8;
constexpr double kPi = 3.14159265358979323846;

struct Shape
{
    double innerRadius;
    // The disk grades saturation with the distance; the ring is fully saturated.
    bool saturationByDistance;
};

// The color the wheel shows at offset (dx, dy) from the centre, y growing downward.
RgbColor colorAt(const Shape& shape, double dx, double dy, double distance)
{
    double degrees = std::atan2(dx, -dy) * 180.0 / kPi;
    if (degrees < 0.0) {
        degrees += 360.0;
    }
    const int hue = static_cast<int>(std::lround(degrees)) % 360;
    const int saturation =
        shape.saturationByDistance
            ? static_cast<int>(std::lround(std::min(distance, kOuterRadius) / kOuterRadius * 100.0))
            : 100;
    return RgbColor(HsvColor(hue, saturation, 100, 255));
}

QImage render(const Shape& shape)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    for (int y = 0; y < kSize; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            int inside = 0;
            int red = 0, green = 0, blue = 0;
            for (int j = 0; j < kGrid; ++j) {
                const double dy = y + (j + 0.5) / kGrid - kCentre;
                for (int i = 0; i < kGrid; ++i) {
                    const double dx = x + (i + 0.5) / kGrid - kCentre;
                    const double distance = std::hypot(dx, dy);
                    if (distance > kOuterRadius || distance < shape.innerRadius) {
                        continue;
                    }
                    const RgbColor rgb = colorAt(shape, dx, dy, distance);
                    ++inside;
                    red += rgb.red();
                    green += rgb.green();
                    blue += rgb.blue();
                }
            }
            if (inside == 0) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            // Straight (not premultiplied) alpha: the color is the mean of the samples inside.
            const auto mean = [inside](int sum) { return (2 * sum + inside) / (2 * inside); };
            const int alpha = (2 * 255 * inside + kGrid * kGrid) / (2 * kGrid * kGrid);
            line[x] = qRgba(mean(red), mean(green), mean(blue), std::max(alpha, 1));
        }
    }
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3 || (std::strcmp(argv[2], "hsv") != 0 && std::strcmp(argv[2], "hue") != 0)) {
        std::fprintf(stderr, "usage: %s <output.png> hsv|hue\n", argv[0]);
        return 2;
    }
    const bool disk = std::strcmp(argv[2], "hsv") == 0;
    const Shape shape = disk ? Shape{0.0, true} : Shape{kRingInnerRadius, false};

    const QString path = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(render(shape)) || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
