// The dialog's square field and channel slider as a real X display shows them, for each of the
// nine channels: the screen pixels under the field are the field's picture (marker aside) and the
// slider's strip is its gradient. With COLORDORVO_SCREENSHOT_DIR set, each screen is also saved as
// a PNG there for a look.

#include "TestHost.h"

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/pictures/ChannelGradient.h"
#include "fields/pictures/ColorFieldImage.h"
#include "fields/pictures/ColorFieldMapping.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <vector>

Q_DECLARE_METATYPE(ColorChannel)

class FieldsOnDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void fieldAndSliderOnScreen_data();
    void fieldAndSliderOnScreen();
};

void FieldsOnDisplayTest::fieldAndSliderOnScreen_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<ColorChannel>("channel");
    QTest::newRow("Red") << "redRdBtn" << ColorChannel::Red;
    QTest::newRow("Green") << "greenRdBtn" << ColorChannel::Green;
    QTest::newRow("Blue") << "blueRdBtn" << ColorChannel::Blue;
    QTest::newRow("Hue") << "hueRdBtn" << ColorChannel::Hue;
    QTest::newRow("Saturation") << "saturationRdBtn" << ColorChannel::Saturation;
    QTest::newRow("Value") << "valueRdBtn" << ColorChannel::Value;
    QTest::newRow("Lightness") << "lightnessRdBtn" << ColorChannel::Lightness;
    QTest::newRow("RedGreen") << "redGreenRdBtn" << ColorChannel::RedGreen;
    QTest::newRow("BlueYellow") << "blueYellowRdBtn" << ColorChannel::BlueYellow;
}

void FieldsOnDisplayTest::fieldAndSliderOnScreen()
{
    QFETCH(QString, button);
    QFETCH(ColorChannel, channel);
    TestHost host;
    ColorDorvoDialog& dialog = *host.open(QColor(200, 120, 40));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* radio = dialog.findChild<QAbstractButton*>(button);
    QVERIFY(radio);
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
    QVERIFY(radio->isChecked());

    ColorField* field = dialog.findChild<ColorField*>();
    ColorSlider* slider = nullptr;
    for (ColorSlider* candidate : dialog.findChildren<ColorSlider*>()) {
        if (candidate->sliderOrientation() == ColorSlider::Vertical) {
            slider = candidate;
        }
    }
    QVERIFY(field && slider);
    QCOMPARE(field->shownChannel(), channel);
    QCOMPARE(slider->shownChannel(), channel);
    const ColorValue color = dialog.GetCurrentColorValue();
    QImage picture = ColorFieldImage::render(256, 256, color, channel);
    QPoint marker = ColorFieldMapping(channel, 256, 256).markerPosition(color);

    // Let the display catch up with the repaint, then compare what it shows.
    const QPoint fieldOrigin = field->mapToGlobal(QPoint(0, 0));
    QImage screen;
    const auto fieldShown = [&] {
        screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
            QImage::Format_RGB32);
        for (int y = 0; y < 256; y += 5) {
            for (int x = 0; x < 256; x += 5) {
                if (qAbs(x - marker.x()) <= 9 && qAbs(y - marker.y()) <= 9) {
                    continue;
                }
                if (screen.pixel(fieldOrigin + QPoint(x, y)) != picture.pixel(x, y)) {
                    return false;
                }
            }
        }
        return true;
    };
    QVERIFY2(QTest::qWaitFor(fieldShown, 5000), "the screen does not show the field's picture");

    // The strip: each of its rows one color, the gradient's, away from the arrows.
    auto* strip = slider->findChild<QLabel*>(QStringLiteral("gradientLabel"));
    std::vector<QRgb> gradient(256);
    QVERIFY(ChannelGradient::colors(color, channel, 256, gradient.data()));
    const int markerY = slider->markerPosition(color, channel);
    const QPoint stripOrigin = strip->mapToGlobal(QPoint(0, 0));
    for (int y = 0; y < 256; ++y) {
        if (qAbs(y - markerY) <= 16) {
            continue;
        }
        for (int x : {0, strip->width() / 2}) {
            QCOMPARE(screen.pixel(stripOrigin + QPoint(x, y)), gradient[y] | 0xff000000u);
        }
    }

    // A click on the page picks there; the dialog takes the color and shows its marker.
    const QPoint click(64, 192);
    const ColorValue picked = field->colorAt(click);
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, click);
    QCOMPARE(dialog.GetCurrentRgb(), picked.rgb());
    const QPoint expectedMarker = ColorFieldMapping(channel, 256, 256).markerPosition(picked);
    QCOMPARE(field->findChild<QLabel*>(QStringLiteral("markerLabel"))->pos(),
             expectedMarker + QPoint(-8, -8));
    // Where the marker stood before, the screen shows the picture again.
    const QPoint before = marker;
    picture = ColorFieldImage::render(256, 256, dialog.GetCurrentColorValue(), channel);
    marker = expectedMarker;
    QVERIFY2(
        QTest::qWaitFor(fieldShown, 5000),
        qPrintable(
            QStringLiteral("the marker left a trace at (%1, %2)").arg(before.x()).arg(before.y())));

    const QString dir = qEnvironmentVariable("COLORDORVO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        const QRect window = dialog.frameGeometry();
        screen.copy(window).save(
            QDir(dir).filePath(QStringLiteral("fields-%1.png").arg(QTest::currentDataTag())));
    }
}

QTEST_MAIN(FieldsOnDisplayTest)
#include "FieldsOnDisplayTest.moc"
