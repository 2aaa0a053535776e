// The eyedropper's arithmetic, without a display: the average of the samples with its rounding,
// the way from a global pointer position to a pixel of the desktop's grab (origin, device pixel
// ratio, edges), the grabs of several screens laid out in one picture, and where the loupe goes.

#include "fields/ColorPickLoupe.h"
#include "fields/ColorSamples.h"
#include "fields/ScreenImage.h"

#include <QtTest>

#include <vector>

class EyedropperTest : public QObject
{
    Q_OBJECT

private slots:
    void average_data();
    void average();
    void pixelUnderPointer_data();
    void pixelUnderPointer();
    void screensInOnePicture();
    void loupeBesidePointer_data();
    void loupeBesidePointer();
};

void EyedropperTest::average_data()
{
    // `first` taken `firstCount` times, then `second` `secondCount` times.
    QTest::addColumn<QColor>("first");
    QTest::addColumn<int>("firstCount");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<int>("secondCount");
    QTest::addColumn<QColor>("expected");
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    QTest::newRow("a click: one pixel, opaque")
        << QColor(12, 200, 77, 30) << 1 << black << 0 << QColor(12, 200, 77);
    QTest::newRow("10 black, 11 white: nearest(133.57)")
        << black << 10 << white << 11 << QColor(134, 134, 134);
    QTest::newRow("halves go to even") << black << 1 << QColor(1, 3, 5) << 1 << QColor(0, 2, 2);
    QTest::newRow("each channel its own")
        << QColor(255, 0, 0) << 1 << QColor(0, 255, 0) << 2 << QColor(85, 170, 0);
    // 255 x 8421505 passes 2^31 - 1: a 32-bit sum wraps.
    QTest::newRow("a long scrub of white") << white << 8421505 << white << 0 << white;
    // The exact mean is 127.4999924; in single precision sum / n is 127.5, rounded to even.
    QTest::newRow("division in single precision")
        << black << 8388609 << white << 8388608 << QColor(128, 128, 128);
}

void EyedropperTest::average()
{
    QFETCH(QColor, first);
    QFETCH(int, firstCount);
    QFETCH(QColor, second);
    QFETCH(int, secondCount);
    QFETCH(QColor, expected);
    ColorSamples samples;
    for (int i = 0; i < firstCount; ++i)
        samples.add(RgbColor(first));
    for (int i = 0; i < secondCount; ++i)
        samples.add(RgbColor(second));
    QCOMPARE(samples.count(), static_cast<std::int64_t>(firstCount) + secondCount);
    QCOMPARE(samples.average().toQColor(), expected);
}

void EyedropperTest::pixelUnderPointer_data()
{
    // A desktop of 640 x 480 logical pixels at `origin`, grabbed at `ratio` device pixels each.
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QPointF>("global");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("at (0, 0)") << QPoint(0, 0) << 1.0 << QPointF(10, 20) << QPoint(10, 20);
    QTest::newRow("negative origin, left of 0")
        << QPoint(-640, -100) << 1.0 << QPointF(-1, 5) << QPoint(639, 105);
    QTest::newRow("ratio 2") << QPoint(0, 0) << 2.0 << QPointF(10, 20) << QPoint(20, 40);
    QTest::newRow("ratio 2, between logical pixels")
        << QPoint(0, 0) << 2.0 << QPointF(10.5, 20.75) << QPoint(21, 41);
    QTest::newRow("ratio 2, negative origin")
        << QPoint(-320, 0) << 2.0 << QPointF(-0.5, 0) << QPoint(639, 0);
    QTest::newRow("ratio 1.5") << QPoint(0, 0) << 1.5 << QPointF(3, 5) << QPoint(4, 7);
    QTest::newRow("left of and above: the corner")
        << QPoint(-640, 0) << 1.0 << QPointF(-5000, -0.25) << QPoint(0, 0);
    QTest::newRow("just past the right edge, ratio 2")
        << QPoint(0, 0) << 2.0 << QPointF(640, 479.5) << QPoint(1279, 959);
}

void EyedropperTest::pixelUnderPointer()
{
    QFETCH(QPoint, origin);
    QFETCH(qreal, ratio);
    QFETCH(QPointF, global);
    QFETCH(QPoint, expected);
    QImage image(QSize(640, 480) * ratio, QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setPixel(expected, qRgb(1, 2, 3));
    const ScreenImage screen(image, origin, ratio);
    QCOMPARE(screen.geometry(), QRect(origin, QSize(640, 480)));
    QCOMPARE(screen.pixelAt(global), expected);
    QCOMPARE(screen.colorAt(global).toQColor(), QColor(1, 2, 3));
}

void EyedropperTest::screensInOnePicture()
{
    // Left of the primary screen a 400 x 300 screen at ratio 1; the primary 200 x 150 at ratio 2.
    // Every pixel tells where it lies in its own grab.
    const auto coded = [](int width, int height, qreal ratio, int tag) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, tag));
        }
        image.setDevicePixelRatio(ratio);
        return image;
    };
    const ScreenImage desktop =
        ScreenImage::compose({{QRect(-400, 0, 400, 300), coded(400, 300, 1.0, 1)},
                              {QRect(0, 0, 200, 150), coded(400, 300, 2.0, 2)}});
    QCOMPARE(desktop.geometry(), QRect(-400, 0, 600, 300));
    QCOMPARE(desktop.devicePixelRatio(), 2.0);
    QCOMPARE(desktop.image().size(), QSize(1200, 600));
    // The left screen's pixels are repeated, never blended, at either half of a logical pixel.
    QCOMPARE(desktop.colorAt(QPointF(-363, 11)).toQColor(), QColor(37, 11, 1));
    QCOMPARE(desktop.colorAt(QPointF(-362.5, 11.5)).toQColor(), QColor(37, 11, 1));
    QCOMPARE(desktop.colorAt(QPointF(-1, 299)).toQColor(), QColor(143, 43, 1));
    // The primary's device pixels, each reachable.
    QCOMPARE(desktop.colorAt(QPointF(0, 0)).toQColor(), QColor(0, 0, 2));
    QCOMPARE(desktop.colorAt(QPointF(10.5, 3)).toQColor(), QColor(21, 6, 2));
    QCOMPARE(desktop.colorAt(QPointF(199.5, 149.5)).toQColor(), QColor(399 % 256, 299 % 256, 2));
    // Below the smaller screen no screen shows anything.
    QCOMPARE(desktop.colorAt(QPointF(100, 200)).toQColor(), QColor(0, 0, 0));
}

void EyedropperTest::loupeBesidePointer_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("below");
    const QRect screen(0, 0, 800, 600);
    const QSize loupe = ColorPickLoupe::size();
    const int reach = ColorPickLoupe::Gap + loupe.width();
    QTest::newRow("middle") << screen << QPoint(400, 300) << true << true;
    QTest::newRow("fits right") << screen << QPoint(800 - reach, 10) << true << true;
    QTest::newRow("right edge") << screen << QPoint(801 - reach, 10) << false << true;
    QTest::newRow("bottom edge") << screen << QPoint(10, 599) << true << false;
    QTest::newRow("bottom right corner") << screen << QPoint(799, 599) << false << false;
    const QRect left(-640, -200, 640, 480);
    QTest::newRow("screen left of 0, bottom right") << left << QPoint(-1, 279) << false << false;
    // Fits neither way: the side with more room, still off the pointer.
    QTest::newRow("too small, more room right")
        << QRect(0, 0, 60, 60) << QPoint(20, 40) << true << false;
}

void EyedropperTest::loupeBesidePointer()
{
    QFETCH(QRect, screen);
    QFETCH(QPoint, pointer);
    QFETCH(bool, right);
    QFETCH(bool, below);
    const QRect loupe = ColorPickLoupe::placement(pointer, screen);
    QCOMPARE(loupe.size(), ColorPickLoupe::size());
    const int gap = ColorPickLoupe::Gap;
    // Gap away from the pointer on the side expected, so never over it.
    QCOMPARE(right ? loupe.left() : loupe.right(), pointer.x() + (right ? gap : -gap));
    QCOMPARE(below ? loupe.top() : loupe.bottom(), pointer.y() + (below ? gap : -gap));
    if (screen.width() > 200)
        QVERIFY(screen.contains(loupe));
}

QTEST_MAIN(EyedropperTest)
#include "EyedropperTest.moc"
