// The two wheel pages of the dialog as a real X display shows them: the opaque part of each wheel
// is its picture, the transparent corners (and the ring's hole) show the dialog behind, the smooth
// edges are the picture blended over it, the marker stands on the current color, and the ring's
// inner square is the hue field. With COLORDORVO_SCREENSHOT_DIR set, each screen is also saved as
// a PNG there for a look.

#include "TestHost.h"

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "dialog/ColorDorvoDialog.h"
#include "fields/ColorField.h"
#include "fields/ColorWheel.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "fields/pictures/ColorFieldImage.h"
#include "fields/pictures/ColorFieldMapping.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

namespace {

// The picture pixel over a background, as the display composes it.
QRgb over(QRgb picture, QRgb background)
{
    const int a = qAlpha(picture);
    const auto mix = [a](int top, int bottom) {
        return (top * a + bottom * (255 - a) + 127) / 255;
    };
    return qRgb(mix(qRed(picture), qRed(background)), mix(qGreen(picture), qGreen(background)),
                mix(qBlue(picture), qBlue(background)));
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class tst_WheelsOnDisplay : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        QVERIFY(host->configDir.isValid());
    }
    void cleanup() { host.reset(); }

    void wheelOnScreen_data();
    void wheelOnScreen();
};

void tst_WheelsOnDisplay::wheelOnScreen_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QColor>("color");
    QTest::newRow("hsv-wheel") << 1 << ":/ColorFields/resources/hsvWheel.png"
                               << QColor(200, 120, 40);
    QTest::newRow("hue-wheel") << 2 << ":/ColorFields/resources/hueWheel.png"
                               << QColor(60, 90, 220);
}

void tst_WheelsOnDisplay::wheelOnScreen()
{
    QFETCH(int, page);
    QFETCH(QString, picture);
    QFETCH(QColor, color);
    ColorDorvoDialog dialog(&host->mainWindow, color, 0, nullptr, nullptr,
                            QStringLiteral("Color Selector"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.findChild<QComboBox*>(QStringLiteral("colorFieldComboBox"))->setCurrentIndex(page);
    auto* wheel = qobject_cast<ColorWheel*>(dialog.findChild<QStackedWidget*>()->currentWidget());
    QVERIFY(wheel);

    const QImage image = QImage(picture).convertToFormat(QImage::Format_ARGB32);
    const QRgb background = dialog.palette().color(QPalette::Window).rgb();
    const QPoint marker =
        wheel->findChild<QLabel*>(QStringLiteral("markerLabel"))->geometry().center();
    auto* hueWheel = qobject_cast<HueWheel*>(wheel);
    const ColorValue current = dialog.GetCurrentColorValue();
    const QImage innerPicture = ColorFieldImage::render(128, 128, current, ColorChannel::Hue);
    const QPoint innerMarker =
        ColorFieldMapping(ColorChannel::Hue, 128, 128).markerPosition(current);

    // What the screen should show at wheel pixel (x, y); false where something else may stand.
    const auto expectedAt = [&](int x, int y, QRgb* expected, int* tolerance) {
        if (qAbs(x - marker.x()) <= 9 && qAbs(y - marker.y()) <= 9)
            return false;
        if (hueWheel && QRect(64, 64, 128, 128).contains(x, y)) {
            const QPoint p(x - 64, y - 64);
            if (qAbs(p.x() - innerMarker.x()) <= 9 && qAbs(p.y() - innerMarker.y()) <= 9)
                return false;
            *expected = innerPicture.pixel(p);
            *tolerance = 0;
            return true;
        }
        const QRgb pixel = image.pixel(x, y);
        *expected = over(pixel, background);
        // Blends may round either way.
        *tolerance = qAlpha(pixel) == 255 || qAlpha(pixel) == 0 ? 0 : 2;
        return true;
    };

    // Hiding the slider moves the page once the layout has run: the place is taken at each look.
    QPoint origin;
    QImage screen;
    QString mismatch;
    const auto wheelShown = [&] {
        origin = wheel->mapToGlobal(QPoint(0, 0));
        screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
            QImage::Format_RGB32);
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                QRgb expected;
                int tolerance;
                if (!expectedAt(x, y, &expected, &tolerance))
                    continue;
                const QRgb shown = screen.pixel(origin + QPoint(x, y));
                if (!near(shown, expected, tolerance)) {
                    mismatch = QStringLiteral("(%1, %2): shown %3, expected %4")
                                   .arg(x)
                                   .arg(y)
                                   .arg(shown, 8, 16)
                                   .arg(expected, 8, 16);
                    return false;
                }
            }
        }
        return true;
    };
    QVERIFY2(QTest::qWaitFor(wheelShown, 5000), qPrintable(mismatch));
    // The marker is drawn over the picture.
    int markerPixels = 0;
    for (int dy = -6; dy <= 6; ++dy) {
        for (int dx = -6; dx <= 6; ++dx) {
            const QPoint p = marker + QPoint(dx, dy);
            if (QRect(0, 0, 256, 256).contains(p) &&
                screen.pixel(origin + p) != over(image.pixel(p), background))
                ++markerPixels;
        }
    }
    QVERIFY2(markerPixels > 20, qPrintable(QString::number(markerPixels)));

    const QString dir = qEnvironmentVariable("COLORDORVO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        screen.copy(dialog.frameGeometry())
            .save(QDir(dir).filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag())));
    }
}

QTEST_MAIN(tst_WheelsOnDisplay)
#include "tst_WheelsOnDisplay.moc"
