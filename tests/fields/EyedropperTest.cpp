// The eyedropper's arithmetic, without a display: the average of the samples with its rounding,
// the way from a global pointer position to a pixel of the desktop's grab (origin, device pixel
// ratio, edges) for every device pixel Qt may report, screens of different ratios side by side,
// the arrow keys' steps in device pixels, and where the loupe goes.

#include "fields/eyedropper/ColorPickLoupe.h"
#include "fields/eyedropper/ColorPickScreen.h"
#include "fields/eyedropper/ColorSamples.h"
#include "fields/eyedropper/DesktopGrab.h"
#include "fields/eyedropper/ScreenImage.h"

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
    void everyDevicePixel_data();
    void everyDevicePixel();
    void screensApart();
    void arrowKeys_data();
    void arrowKeys();
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
    QTest::newRow("ratio 1.5, device pixel (100, 200)")
        << QPoint(0, 0) << 1.5 << QPointF(100 / 1.5, 200 / 1.5) << QPoint(100, 200);
    QTest::newRow("ratio 3, device pixel (7, 7)")
        << QPoint(0, 0) << 3.0 << QPointF(7 / 3.0, 7 / 3.0) << QPoint(7, 7);
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

void EyedropperTest::everyDevicePixel_data()
{
    // A screen of 1200 x 900 device pixels whose top-left device pixel is `origin`.
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.25, 2.5, 3.0}) {
        QTest::addRow("ratio %g", ratio) << QPoint(0, 0) << ratio;
        QTest::addRow("ratio %g, right of a 1920 screen", ratio) << QPoint(1920, 0) << ratio;
        QTest::addRow("ratio %g, left of and above 0", ratio) << QPoint(-2560, -37) << ratio;
    }
}

void EyedropperTest::everyDevicePixel()
{
    QFETCH(QPoint, origin);
    QFETCH(qreal, ratio);
    const QSize size(1200, 900);
    const ScreenImage screen(QImage(size, QImage::Format_RGB32), origin, ratio);
    // Where Qt 5 reports the device pixel n on the screen, and what QCursor::pos() says there:
    // both scale the distance from the screen's device origin by 1 / ratio.
    const auto reported = [&](int n, int o) { return (qreal(n) - o) * (1 / ratio) + o; };
    for (int i = 0; i < size.width(); ++i) {
        const QPoint native = origin + QPoint(i, i * size.height() / size.width());
        const QPointF global(reported(native.x(), origin.x()), reported(native.y(), origin.y()));
        if (screen.nativeAt(global) != native || screen.pixelAt(global) != native - origin)
            QFAIL(qPrintable(QStringLiteral("device pixel (%1, %2) found as (%3, %4)")
                                 .arg(native.x())
                                 .arg(native.y())
                                 .arg(screen.nativeAt(global).x())
                                 .arg(screen.nativeAt(global).y())));
        // The cursor position of that pixel is the one Qt gives, and leads back to the pixel.
        const QPoint cursor(qRound(global.x() - origin.x()) + origin.x(),
                            qRound(global.y() - origin.y()) + origin.y());
        QCOMPARE(screen.cursorPosAt(native - origin), cursor);
        // Where QCursor::setPos() puts the pointer for a logical position, QCursor::pos() says
        // it is: the arrow keys move from there.
        const QPoint step = origin + QPoint(qFloor(i / ratio), qFloor(i * 3 / 4 / ratio));
        QCOMPARE(screen.cursorPosAt(screen.pixelAtCursor(step)), step);
    }
    for (int x = 0; x < size.width(); ++x) {
        const QPointF global(reported(origin.x() + x, origin.x()), origin.y());
        QCOMPARE(screen.pixelAt(global).x(), x);
    }
    for (int y = 0; y < size.height(); ++y) {
        const QPointF global(origin.x(), reported(origin.y() + y, origin.y()));
        QCOMPARE(screen.pixelAt(global).y(), y);
    }
}

void EyedropperTest::screensApart()
{
    // Left: 800 x 600 device pixels at ratio 1.5. Right: 1280 x 960 at ratio 2, its device
    // origin at 800 (logically a gap follows the left screen). Every pixel tells where it is.
    const auto coded = [](int width, int height, int tag) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, tag));
        }
        return image;
    };
    std::vector<ScreenImage> screens;
    screens.emplace_back(coded(800, 600, 1), QPoint(0, 0), 1.5);
    screens.emplace_back(coded(1280, 960, 2), QPoint(800, 0), 2.0);
    const DesktopGrab desktop(std::move(screens));
    using Spot = DesktopGrab::Spot;
    // A drag from the left screen's window onto the right screen hears of positions in the right
    // screen's terms: device pixel (1000, 700) is reported at (900, 350).
    QCOMPARE(desktop.spotAt(0, QPointF(900, 350)), (Spot{1, QPoint(200, 700)}));
    QCOMPARE(desktop.colorAt(desktop.spotAt(0, QPointF(900, 350))).toQColor(),
             QColor(200, 700 % 256, 2));
    // And back: the left screen's last device column, at 799 / 1.5 = 532.67 > 532.
    QCOMPARE(desktop.spotAt(1, QPointF(799 * (1 / 1.5), 10)), (Spot{0, QPoint(799, 15)}));
    // On no screen (below the left one, or in the gap): the nearest pixel of the window's screen.
    QCOMPARE(desktop.spotAt(0, QPointF(100, 500)), (Spot{0, QPoint(150, 599)}));
    QCOMPARE(desktop.spotAt(1, QPointF(700, 10)), (Spot{1, QPoint(0, 20)}));

    // The pointer on device pixel (101, 7) of the left screen: QCursor::pos() gives (67, 5),
    // which QCursor::setPos() would put on (101, 8). The pixel the pointer events found is kept
    // while the cursor position fits it, not when the pointer moved on.
    const Spot known{0, QPoint(101, 7)};
    QCOMPARE(desktop.spotUnderCursor(QPoint(67, 5), known), known);
    QCOMPARE(desktop.spotUnderCursor(QPoint(67, 5)), (Spot{0, QPoint(101, 8)}));
    QCOMPARE(desktop.spotUnderCursor(QPoint(68, 5), known), (Spot{0, QPoint(102, 8)}));
    QCOMPARE(desktop.spotUnderCursor(QPoint(900, 5), known), (Spot{1, QPoint(200, 10)}));

    // Steps cross from one screen's last device column to the next one's first; off the desktop,
    // or where only the taller screen goes on, they stop at the edge of the screen they left.
    QCOMPARE(desktop.stepped(Spot{0, QPoint(799, 15)}, QPoint(1, 0)), (Spot{1, QPoint(0, 15)}));
    QCOMPARE(desktop.stepped(Spot{1, QPoint(0, 15)}, QPoint(-1, 0)), (Spot{0, QPoint(799, 15)}));
    QCOMPARE(desktop.stepped(Spot{1, QPoint(4, 700)}, QPoint(-10, 0)), (Spot{1, QPoint(0, 700)}));
    QCOMPARE(desktop.stepped(Spot{0, QPoint(3, 4)}, QPoint(0, -10)), (Spot{0, QPoint(3, 0)}));
}

void EyedropperTest::arrowKeys_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QPoint>("moved");
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        QTest::addRow("ratio %g, Right", ratio)
            << ratio << int(Qt::Key_Right) << false << QPoint(1, 0);
        QTest::addRow("ratio %g, Up", ratio) << ratio << int(Qt::Key_Up) << false << QPoint(0, -1);
        QTest::addRow("ratio %g, Shift+Left", ratio)
            << ratio << int(Qt::Key_Left) << true << QPoint(-10, 0);
        QTest::addRow("ratio %g, Shift+Down", ratio)
            << ratio << int(Qt::Key_Down) << true << QPoint(0, 10);
    }
}

void EyedropperTest::arrowKeys()
{
    QFETCH(qreal, ratio);
    QFETCH(int, key);
    QFETCH(bool, shift);
    QFETCH(QPoint, moved);
    // A screen of 1200 x 900 device pixels right of a 1920 one; every pixel tells where it is.
    QImage image(1200, 900, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, x / 256 * 16 + y / 256));
    }
    std::vector<ScreenImage> screens;
    screens.emplace_back(image, QPoint(1920, 0), ratio);
    const DesktopGrab desktop(std::move(screens));
    const ScreenImage& screen = desktop.screens().front();
    const QPoint step = ColorPickScreen::arrowStep(key, shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(step, moved);
    // Pressed again and again from a few pixels on: every press moves exactly that many device
    // pixels, and the cursor put nearest the pixel, with the pixel known, leads back to it, so
    // Return takes what the loupe shows.
    for (const QPoint start : {QPoint(100, 101), QPoint(301, 302), QPoint(502, 500)}) {
        DesktopGrab::Spot spot{0, start};
        for (int press = 1; press <= 7; ++press) {
            spot = desktop.stepped(spot, step);
            QCOMPARE(spot.pixel, start + press * moved);
            QCOMPARE(desktop.spotUnderCursor(screen.cursorPosAt(spot.pixel), spot), spot);
            QCOMPARE(desktop.colorAt(spot).toQColor(), QColor(image.pixel(spot.pixel)));
        }
    }
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
