// The HSV disk and the hue ring driven as a user drives them: presses, drags past the rim,
// releases inside and outside, hovers; what the dialog then holds, what the host heard, where the
// marker stands; and the two embedded pictures themselves.

#include "../dialog/RecordingCallback.h"

#include "color/ColorValue.h"
#include "dialog/ColorDorvoDialog.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/ColorWheel.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "host/SettingsStore.h"

#include "hostsdk/HostRuntime.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(ColorChannel)

namespace {

const QString kHsvPicture = QStringLiteral(":/ColorFields/resources/hsvWheel.png");
const QString kHuePicture = QStringLiteral(":/ColorFields/resources/hueWheel.png");

// How far an edge pixel's alpha may stand from the part of it that the shape covers.
constexpr int kEdgeAlphaTolerance = 16;

QString describe(const HsvColor& hsv)
{
    return QStringLiteral("hsv(%1, %2, %3)").arg(hsv.hue()).arg(hsv.saturation()).arg(hsv.value());
}

QPoint markerPos(const QWidget* wheel)
{
    return wheel->findChild<QLabel*>(QStringLiteral("markerLabel"))->pos();
}

// The distance between two hues on the circle.
double hueDistance(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// A pointer move with the left button held, as the window system delivers it during a drag.
void dragTo(QWidget* widget, const QPoint& p)
{
    QMouseEvent move(QEvent::MouseMove, p, widget->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A wheel whose cursor was set to something the wheel itself never sets, so that any cursor the
// wheel does set is seen.
void markCursor(QWidget* wheel)
{
    wheel->setCursor(Qt::CrossCursor);
}

} // namespace

class tst_Wheels : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> configDir;
    std::unique_ptr<QWidget> mainWindow;
    RecordingCallback callback;
    QPointer<ColorDorvoDialog> dialog;

    ColorDorvoDialog* openDialog(const QColor& color)
    {
        dialog = new ColorDorvoDialog(mainWindow.get(), color, 0, &callback, nullptr,
                                      QStringLiteral("Color Selector"));
        callback.notifications.clear();
        return dialog;
    }
    // A wheel of its own window, reporting to a dialog opened on color and showing that color.
    // The whole dialog on the screen, showing field page `page` as if chosen in the combo box.
    void showDialogPage(const QColor& color, int page)
    {
        openDialog(color);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog))
            qWarning("dialog not exposed");
        find<QComboBox>("colorFieldComboBox")->setCurrentIndex(page);
        callback.notifications.clear();
    }
    template <typename T> T* find(const char* name) const
    {
        T* widget = dialog->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    int spinner(const char* name) const { return find<QSpinBox>(name)->value(); }
    ColorSlider* mainSlider() const
    {
        // The field row's slider is the only vertical one.
        for (ColorSlider* slider : dialog->findChildren<ColorSlider*>()) {
            if (slider->sliderOrientation() == ColorSlider::Vertical)
                return slider;
        }
        qFatal("no channel slider");
        return nullptr;
    }
    QWidget* currentPage() const { return dialog->findChild<QStackedWidget*>()->currentWidget(); }

    template <typename Wheel> std::unique_ptr<Wheel> showWheel(const QColor& color)
    {
        auto wheel = std::make_unique<Wheel>(openDialog(color));
        wheel->setColor(dialog->GetCurrentColorValue());
        wheel->show();
        if (!QTest::qWaitForWindowExposed(wheel.get()))
            qWarning("wheel not exposed");
        callback.notifications.clear();
        return wheel;
    }

private slots:
    void init()
    {
        configDir = std::make_unique<QTemporaryDir>();
        QVERIFY(configDir->isValid());
        HostRuntime::SetPlugCfgDir(configDir->path());
        mainWindow = std::make_unique<QWidget>();
        HostRuntime::SetMainWindow(mainWindow.get());
        OpenSettingsStore();
        callback.notifications.clear();
    }
    void cleanup()
    {
        delete dialog;
        CloseSettingsStore();
        HostRuntime::SetMainWindow(nullptr);
        mainWindow.reset();
        configDir.reset();
    }

    void angleAt_data();
    void angleAt();
    void onWheelFollowsPictureAlpha_data();
    void onWheelFollowsPictureAlpha();

    void hsvPress_data();
    void hsvPress();
    void hsvDragBeyondRimAndReleaseOutside();
    void pressOnTransparentPixelDoesNothing_data();
    void pressOnTransparentPixelDoesNothing();
    void releaseWithoutDragPicksNothing();
    void otherButtonsDoNotPick();
    void unchangedHsvIsNotReported();
    void hoverShowsWhereTheWheelIs();

    void hsvMarker_data();
    void hsvMarker();
    void hueMarker_data();
    void hueMarker();

    void ringPickKeepsSaturationAndValue();
    void greyDraggedOnRingChangesHeldHue();
    void innerFieldPicksOnItsOwn();
    void ringMarkerMovesWhileInnerFieldIsHeld();
    void nullDialogStillMovesMarker();

    void pagesFollowTheFieldChoice_data();
    void pagesFollowTheFieldChoice();
    void diskDragInDialog();
    void sliderBesideDiskDrivesValue();
    void greyOnRingInDialog();

    void pictureHues_data();
    void pictureHues();
    void pictureAlpha_data();
    void pictureAlpha();
};

void tst_Wheels::angleAt_data()
{
    QTest::addColumn<QPoint>("p");
    QTest::addColumn<int>("angle");
    QTest::newRow("centre") << QPoint(128, 128) << 0;
    QTest::newRow("right") << QPoint(200, 128) << 90;
    QTest::newRow("down") << QPoint(128, 200) << 180;
    QTest::newRow("left") << QPoint(50, 128) << 270;
    QTest::newRow("up folds 360") << QPoint(128, 10) << 0;
    QTest::newRow("upper right") << QPoint(228, 28) << 45;
    QTest::newRow("lower right") << QPoint(228, 228) << 135;
    QTest::newRow("lower left") << QPoint(28, 228) << 225;
    QTest::newRow("upper left") << QPoint(28, 28) << 315;
    QTest::newRow("just left of up") << QPoint(127, 0) << 360 - 0;
    QTest::newRow("just right of up") << QPoint(129, 0) << 0;
    QTest::newRow("steep upper left") << QPoint(126, 0) << 359;
    QTest::newRow("shallow upper right") << QPoint(255, 127) << 90;
    QTest::newRow("shallow lower right") << QPoint(255, 129) << 90;
    QTest::newRow("30 degrees") << QPoint(128 + 50, 128 - 87) << 30;
    QTest::newRow("just below left") << QPoint(0, 129) << 270;
    QTest::newRow("just above left") << QPoint(0, 127) << 270;
    // Drags beyond the widget: a half-degree that the single-precision 3.14159 rounds up where
    // the exact pi would round down.
    QTest::newRow("pi rounding, upper right") << QPoint(128 + 155, 128 - 202) << 38;
    QTest::newRow("pi rounding, lower left") << QPoint(128 - 155, 128 + 202) << 218;
    QTest::newRow("pi rounding, upper left") << QPoint(128 - 1062, 128 - 121) << 276;
}

void tst_Wheels::angleAt()
{
    QFETCH(QPoint, p);
    QFETCH(int, angle);
    HsvWheel hsv(nullptr);
    HueWheel hue(nullptr);
    // "just left of up" is 360 before folding.
    const int expected = angle == 360 ? 0 : angle;
    QCOMPARE(hsv.angleAt(p), expected);
    QCOMPARE(hue.angleAt(p), expected);
}

void tst_Wheels::onWheelFollowsPictureAlpha_data()
{
    QTest::addColumn<bool>("ring");
    QTest::addColumn<QPoint>("p");
    QTest::addColumn<bool>("on");
    QTest::newRow("disk centre") << false << QPoint(128, 128) << true;
    QTest::newRow("disk corner") << false << QPoint(0, 0) << false;
    QTest::newRow("disk near corner") << false << QPoint(20, 20) << false;
    QTest::newRow("disk right rim") << false << QPoint(255, 128) << true;
    QTest::newRow("disk left rim") << false << QPoint(0, 127) << true;
    QTest::newRow("disk outside widget") << false << QPoint(256, 128) << false;
    QTest::newRow("disk negative") << false << QPoint(-1, 128) << false;
    QTest::newRow("ring top") << true << QPoint(128, 20) << true;
    QTest::newRow("ring hole") << true << QPoint(128, 40) << false;
    QTest::newRow("ring centre") << true << QPoint(128, 128) << false;
    QTest::newRow("ring corner") << true << QPoint(3, 3) << false;
    QTest::newRow("ring right") << true << QPoint(240, 128) << true;
}

void tst_Wheels::onWheelFollowsPictureAlpha()
{
    QFETCH(bool, ring);
    QFETCH(QPoint, p);
    QFETCH(bool, on);
    std::unique_ptr<ColorWheel> wheel;
    if (ring)
        wheel = std::make_unique<HueWheel>(nullptr);
    else
        wheel = std::make_unique<HsvWheel>(nullptr);
    QCOMPARE(wheel->isOnWheel(p), on);
}

void tst_Wheels::hsvPress_data()
{
    QTest::addColumn<QColor>("start");
    QTest::addColumn<QPoint>("p");
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("saturation");
    // The value is never changed by the disk.
    QTest::newRow("centre") << QColor(200, 40, 40) << QPoint(128, 128) << 0 << 0;
    QTest::newRow("right rim") << QColor(0, 0, 128) << QPoint(255, 128) << 90 << 99;
    QTest::newRow("left rim") << QColor(0, 0, 128) << QPoint(0, 128) << 270 << 100;
    QTest::newRow("top rim") << QColor(0, 0, 128) << QPoint(128, 0) << 0 << 100;
    QTest::newRow("halfway down") << QColor(255, 255, 255) << QPoint(128, 192) << 180 << 50;
    // d = nearest(70.71) = 71, 71 / 128 = 55.47%.
    QTest::newRow("diagonal") << QColor(255, 255, 255) << QPoint(178, 78) << 45 << 55;
    // Saturation ties: 16 / 128 is 12.5% and 48 / 128 is 37.5%, both rounded to even.
    QTest::newRow("saturation tie down")
        << QColor(255, 255, 255) << QPoint(128 + 16, 128) << 90 << 12;
    QTest::newRow("saturation tie up")
        << QColor(255, 255, 255) << QPoint(128, 128 + 48) << 180 << 38;
    QTest::newRow("one pixel out") << QColor(255, 255, 255) << QPoint(129, 128) << 90 << 1;
}

void tst_Wheels::hsvPress()
{
    QFETCH(QColor, start);
    QFETCH(QPoint, p);
    QFETCH(int, hue);
    QFETCH(int, saturation);
    auto wheel = showWheel<HsvWheel>(start);
    const int value = dialog->GetCurrentHsv().value();

    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, p);
    const HsvColor held = dialog->GetCurrentHsv();
    QVERIFY2(held == HsvColor(hue, saturation, value), qPrintable(describe(held)));
    // The press is reported at once, as a step of a drag.
    QCOMPARE(callback.changedCount(), 1);
    QCOMPARE(callback.last().buttonUp, TRUE);
    QCOMPARE(wheel->cursor().shape(), Qt::BlankCursor);
    // The marker stands where the pick put it, ready for the color the dialog pushes back.
    HsvWheel probe(nullptr);
    probe.moveMarker(held);
    QCOMPARE(markerPos(wheel.get()), markerPos(&probe));
    QTest::mouseRelease(wheel.get(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(wheel->cursor().shape(), Qt::BitmapCursor);
}

void tst_Wheels::hsvDragBeyondRimAndReleaseOutside()
{
    auto wheel = showWheel<HsvWheel>(QColor(0, 0, 204));
    const int v = dialog->GetCurrentHsv().value();
    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(128, 100));
    QVERIFY(dialog->GetCurrentHsv() == HsvColor(0, 22, v));

    struct Step
    {
        QPoint p;
        HsvColor hsv;
    };
    // Out of the picture the distance is clamped to the radius and the hue keeps following.
    const Step steps[] = {{QPoint(400, 128), HsvColor(90, 100, v)},
                          {QPoint(-200, -200), HsvColor(315, 100, v)},
                          {QPoint(128, 1000), HsvColor(180, 100, v)},
                          {QPoint(128, 160), HsvColor(180, 25, v)}};
    int reports = callback.changedCount();
    for (const Step& step : steps) {
        dragTo(wheel.get(), step.p);
        QVERIFY2(dialog->GetCurrentHsv() == step.hsv,
                 qPrintable(describe(dialog->GetCurrentHsv())));
        QCOMPARE(callback.changedCount(), ++reports);
        QCOMPARE(wheel->cursor().shape(), Qt::BlankCursor);
    }
    dragTo(wheel.get(), QPoint(500, 500));
    const HsvColor atRelease = dialog->GetCurrentHsv();
    QVERIFY2(atRelease == HsvColor(135, 100, v), qPrintable(describe(atRelease)));
    reports = callback.changedCount();

    // Released out of the picture: no final pick, and the default cursor.
    QTest::mouseRelease(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(callback.changedCount(), reports);
    QVERIFY(dialog->GetCurrentHsv() == atRelease);
    QCOMPARE(wheel->cursor().shape(), Qt::ArrowCursor);
    // The drag is over: moves pick nothing.
    dragTo(wheel.get(), QPoint(128, 128));
    QVERIFY(dialog->GetCurrentHsv() == atRelease);
}

void tst_Wheels::pressOnTransparentPixelDoesNothing_data()
{
    QTest::addColumn<bool>("ring");
    QTest::addColumn<QPoint>("p");
    QTest::newRow("disk corner") << false << QPoint(1, 1);
    QTest::newRow("disk lower right corner") << false << QPoint(250, 250);
    QTest::newRow("ring hole above square") << true << QPoint(128, 40);
    QTest::newRow("ring corner") << true << QPoint(2, 253);
}

void tst_Wheels::pressOnTransparentPixelDoesNothing()
{
    QFETCH(bool, ring);
    QFETCH(QPoint, p);
    std::unique_ptr<ColorWheel> wheel;
    if (ring)
        wheel = showWheel<HueWheel>(QColor(10, 200, 30));
    else
        wheel = showWheel<HsvWheel>(QColor(10, 200, 30));
    const ColorValue before = dialog->GetCurrentColorValue();
    const QPoint marker = markerPos(wheel.get());
    markCursor(wheel.get());

    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(wheel->cursor().shape(), Qt::CrossCursor);
    // No drag began: a move onto the wheel picks nothing.
    dragTo(wheel.get(), QPoint(128, 10));
    QCOMPARE(markerPos(wheel.get()), marker);
    QVERIFY(dialog->GetCurrentColorValue() == before);
    QVERIFY(callback.notifications.empty());
}

void tst_Wheels::releaseWithoutDragPicksNothing()
{
    // A press that began on the transparent corner and is released over the disk is no pick.
    auto wheel = showWheel<HsvWheel>(QColor(10, 200, 30));
    const ColorValue before = dialog->GetCurrentColorValue();
    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QTest::mouseRelease(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 128));
    QVERIFY(dialog->GetCurrentColorValue() == before);
    QVERIFY(callback.notifications.empty());
    QCOMPARE(wheel->cursor().shape(), Qt::BitmapCursor);
}

void tst_Wheels::otherButtonsDoNotPick()
{
    auto wheel = showWheel<HsvWheel>(QColor(10, 200, 30));
    const ColorValue before = dialog->GetCurrentColorValue();
    markCursor(wheel.get());
    QTest::mousePress(wheel.get(), Qt::RightButton, Qt::NoModifier, QPoint(200, 128));
    QCOMPARE(wheel->cursor().shape(), Qt::CrossCursor);
    QTest::mouseRelease(wheel.get(), Qt::RightButton, Qt::NoModifier, QPoint(200, 128));
    QVERIFY(dialog->GetCurrentColorValue() == before);
    QVERIFY(callback.notifications.empty());
    QCOMPARE(wheel->cursor().shape(), Qt::ArrowCursor);

    // A right release in the middle of a left drag ends the drag.
    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 128));
    const HsvColor picked = dialog->GetCurrentHsv();
    QTest::mouseRelease(wheel.get(), Qt::RightButton, Qt::NoModifier, QPoint(200, 128));
    dragTo(wheel.get(), QPoint(128, 40));
    QVERIFY(dialog->GetCurrentHsv() == picked);
}

void tst_Wheels::unchangedHsvIsNotReported()
{
    // The disk's pick at (200, 128) is hue 90, saturation 56; the dialog already holds it, with
    // another alpha.
    auto wheel = showWheel<HsvWheel>(QColor(0, 0, 0));
    ColorValue held(HsvColor(90, 56, 70, 40));
    dialog->ViewColorChanged(held, true);
    wheel->setColor(held);
    callback.notifications.clear();
    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 128));
    QTest::mouseRelease(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 128));
    QVERIFY(callback.notifications.empty());
    QCOMPARE(dialog->GetCurrentRgb().alpha(), 40);
}

void tst_Wheels::hoverShowsWhereTheWheelIs()
{
    auto wheel = showWheel<HueWheel>(QColor(10, 200, 30));
    QTest::mouseMove(wheel.get(), QPoint(128, 12));
    QCOMPARE(wheel->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(wheel.get(), QPoint(128, 40));
    QCOMPARE(wheel->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(wheel.get(), QPoint(245, 128));
    QCOMPARE(wheel->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(wheel.get(), QPoint(254, 1));
    QCOMPARE(wheel->cursor().shape(), Qt::ArrowCursor);

    // While dragging, the pointer stays blank wherever it hovers.
    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(128, 12));
    QTest::mouseMove(wheel.get(), QPoint(128, 40));
    QCOMPARE(wheel->cursor().shape(), Qt::BlankCursor);
    QTest::mouseMove(wheel.get(), QPoint(245, 128));
    QCOMPARE(wheel->cursor().shape(), Qt::BlankCursor);
    QTest::mouseRelease(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(245, 128));
    QCOMPARE(wheel->cursor().shape(), Qt::BitmapCursor);
}

void tst_Wheels::hsvMarker_data()
{
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("saturation");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("90/50") << 90 << 50 << QPoint(184, 120);
    QTest::newRow("45/100") << 45 << 100 << QPoint(211, 29);
    QTest::newRow("0/100") << 0 << 100 << QPoint(120, -8);
    QTest::newRow("360/100") << 360 << 100 << QPoint(120, -8);
    QTest::newRow("180/100") << 180 << 100 << QPoint(120, 248);
    QTest::newRow("270/100") << 270 << 100 << QPoint(-8, 120);
    QTest::newRow("0/0") << 0 << 0 << QPoint(120, 120);
    QTest::newRow("137/0") << 137 << 0 << QPoint(120, 120);
    QTest::newRow("300/0") << 300 << 0 << QPoint(120, 120);
    // r = nearest(1.28 x 25 = 32.0); 32 x sin 225 = -22.63 -> -23.
    QTest::newRow("225/25") << 225 << 25 << QPoint(128 - 23 - 8, 128 + 23 - 8);
    // r = nearest(1.28 x 1 = 1.28) = 1; sin 10 x 1 = 0.17 -> 0, cos -> -1.
    QTest::newRow("10/1") << 10 << 1 << QPoint(120, 119);
    // r = nearest(12.8) = 13. 13 x sin(30 x k) is exactly 6.5 and rounds to 6 (ties to even);
    // 13 x sin(150 x k) is a hair above 6.5 and rounds to 7.
    QTest::newRow("30/10") << 30 << 10 << QPoint(128 + 6 - 8, 128 - 11 - 8);
    QTest::newRow("150/10") << 150 << 10 << QPoint(128 + 7 - 8, 128 + 11 - 8);
}

void tst_Wheels::hsvMarker()
{
    QFETCH(int, hue);
    QFETCH(int, saturation);
    QFETCH(QPoint, corner);
    HsvWheel wheel(nullptr);
    // The value plays no part.
    for (int value : {0, 37, 100}) {
        wheel.setColor(ColorValue(HsvColor(hue, saturation, value)));
        QCOMPARE(markerPos(&wheel), corner);
    }
}

void tst_Wheels::hueMarker_data()
{
    QTest::addColumn<int>("hue");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("0") << 0 << QPoint(120, 6);
    QTest::newRow("90") << 90 << QPoint(234, 120);
    QTest::newRow("180") << 180 << QPoint(120, 234);
    QTest::newRow("270") << 270 << QPoint(6, 120);
    QTest::newRow("45") << 45 << QPoint(201, 39);
    QTest::newRow("30") << 30 << QPoint(177, 21);
    QTest::newRow("300") << 300 << QPoint(21, 63);
    QTest::newRow("359") << 359 << QPoint(118, 6);
    QTest::newRow("200") << 200 << QPoint(81, 227);
}

void tst_Wheels::hueMarker()
{
    QFETCH(int, hue);
    QFETCH(QPoint, corner);
    HueWheel wheel(nullptr);
    // The ring marker ignores saturation and value.
    for (int saturation : {0, 50, 100}) {
        wheel.setColor(ColorValue(HsvColor(hue, saturation, 60)));
        QCOMPARE(markerPos(&wheel), corner);
    }
}

void tst_Wheels::ringPickKeepsSaturationAndValue()
{
    auto wheel = showWheel<HueWheel>(QColor(0, 0, 0));
    const ColorValue start(HsvColor(200, 40, 70));
    dialog->ViewColorChanged(start, true);
    wheel->setColor(start);
    callback.notifications.clear();

    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(128, 20));
    QVERIFY2(dialog->GetCurrentHsv() == HsvColor(0, 40, 70),
             qPrintable(describe(dialog->GetCurrentHsv())));
    QCOMPARE(markerPos(wheel.get()), QPoint(120, 6));
    dragTo(wheel.get(), QPoint(228, 228));
    QVERIFY(dialog->GetCurrentHsv() == HsvColor(135, 40, 70));
    QCOMPARE(callback.changedCount(), 2);
    QTest::mouseRelease(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(228, 228));
    QCOMPARE(callback.changedCount(), 2);
}

void tst_Wheels::greyDraggedOnRingChangesHeldHue()
{
    auto wheel = showWheel<HueWheel>(QColor(0, 0, 0));
    const ColorValue start(HsvColor(0, 0, 60));
    dialog->ViewColorChanged(start, true);
    wheel->setColor(start);
    callback.notifications.clear();
    const RgbColor grey = dialog->GetCurrentRgb();
    QVERIFY(grey.red() == grey.green() && grey.green() == grey.blue());

    QTest::mousePress(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(240, 128));
    QCOMPARE(dialog->GetCurrentHsv().hue(), 90);
    dragTo(wheel.get(), QPoint(128, 245));
    QCOMPARE(dialog->GetCurrentHsv().hue(), 180);
    dragTo(wheel.get(), QPoint(20, 128));
    QCOMPARE(dialog->GetCurrentHsv().hue(), 270);
    QTest::mouseRelease(wheel.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 128));

    // Every step reached the host, although the grey stayed the grey.
    QCOMPARE(callback.changedCount(), 3);
    QVERIFY(dialog->GetCurrentRgb() == grey);
    QCOMPARE(callback.last().color.r, grey.red() / 255.0f);
}

void tst_Wheels::innerFieldPicksOnItsOwn()
{
    auto wheel = showWheel<HueWheel>(QColor(0, 0, 0));
    const ColorValue start(HsvColor(200, 40, 70));
    dialog->ViewColorChanged(start, true);
    wheel->setColor(start);
    callback.notifications.clear();

    ColorField* field = wheel->field();
    QCOMPARE(field->geometry(), QRect(64, 64, 128, 128));
    QCOMPARE(field->shownChannel(), ColorChannel::Hue);
    QVERIFY(field->shownColor() == start);

    // Saturation along x, value up the y axis, hue kept; the ring's marker is not moved by it.
    const QPoint marker = markerPos(wheel.get());
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, QPoint(64, 32));
    QVERIFY2(dialog->GetCurrentHsv() == HsvColor(200, 50, 75),
             qPrintable(describe(dialog->GetCurrentHsv())));
    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, QPoint(96, 32));
    QVERIFY(dialog->GetCurrentHsv() == HsvColor(200, 75, 75));
    QCOMPARE(markerPos(wheel.get()), marker);
    // The press reported as a drag step, the release silently.
    QCOMPARE(callback.changedCount(), 1);
}

void tst_Wheels::ringMarkerMovesWhileInnerFieldIsHeld()
{
    auto wheel = showWheel<HueWheel>(QColor(0, 0, 0));
    wheel->setColor(ColorValue(HsvColor(200, 40, 70)));
    ColorField* field = wheel->field();
    QLabel* fieldMarker = field->findChild<QLabel*>(QStringLiteral("markerLabel"));
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    const QPoint heldMarker = fieldMarker->pos();

    wheel->setColor(ColorValue(HsvColor(90, 80, 20)));
    QCOMPARE(markerPos(wheel.get()), QPoint(234, 120));
    QCOMPARE(fieldMarker->pos(), heldMarker);
    QCOMPARE(field->shownColor().hsv.hue(), 200);

    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    wheel->setColor(ColorValue(HsvColor(90, 80, 20)));
    QCOMPARE(field->shownColor().hsv.hue(), 90);
}

void tst_Wheels::nullDialogStillMovesMarker()
{
    HsvWheel wheel(nullptr);
    wheel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wheel));
    wheel.setColor(ColorValue(HsvColor(0, 0, 50)));
    QTest::mousePress(&wheel, Qt::LeftButton, Qt::NoModifier, QPoint(192, 128));
    QCOMPARE(markerPos(&wheel), QPoint(128 + 64 - 8, 120));
    dragTo(&wheel, QPoint(128, 256));
    QCOMPARE(markerPos(&wheel), QPoint(120, 248));
    QTest::mouseRelease(&wheel, Qt::LeftButton, Qt::NoModifier, QPoint(128, 256));
}

void tst_Wheels::pagesFollowTheFieldChoice_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("pageClass");
    QTest::addColumn<bool>("sliderShown");
    QTest::addColumn<ColorChannel>("sliderChannel");
    QTest::addColumn<bool>("channelButtons");
    // The hue channel is chosen first: the disk's slider drives the value regardless.
    QTest::newRow("square") << 0 << "ColorField" << true << ColorChannel::Hue << true;
    QTest::newRow("disk") << 1 << "HsvWheel" << true << ColorChannel::Value << false;
    QTest::newRow("ring") << 2 << "HueWheel" << false << ColorChannel::Hue << false;
}

void tst_Wheels::pagesFollowTheFieldChoice()
{
    QFETCH(int, page);
    QFETCH(QString, pageClass);
    QFETCH(bool, sliderShown);
    QFETCH(ColorChannel, sliderChannel);
    QFETCH(bool, channelButtons);
    showDialogPage(QColor(30, 160, 90), 0);
    QRadioButton* hue = find<QRadioButton>("hueRdBtn");
    QTest::mouseClick(hue, Qt::LeftButton, Qt::NoModifier, QPoint(8, hue->height() / 2));
    QVERIFY(hue->isChecked());

    auto* combo = find<QComboBox>("colorFieldComboBox");
    // Leave for another page first, so that every row is a real switch.
    combo->setCurrentIndex(page == 1 ? 2 : 1);
    combo->setCurrentIndex(page);
    QCOMPARE(QString::fromLatin1(currentPage()->metaObject()->className()), pageClass);
    QCOMPARE(currentPage()->size(), QSize(256, 256));
    ColorSlider* slider = mainSlider();
    QCOMPARE(slider->isVisible(), sliderShown);
    if (sliderShown)
        QCOMPARE(slider->shownChannel(), sliderChannel);
    for (QAbstractButton* button : find<QButtonGroup>("colorSliderBtnGrp")->buttons())
        QCOMPARE(button->isEnabled(), channelButtons);
    // The page shows the dialog's color.
    const ColorValue current = dialog->GetCurrentColorValue();
    if (auto* wheel = qobject_cast<ColorWheel*>(currentPage()))
        QVERIFY(wheel->shownColor() == current);
    // Switching pages tells the host nothing.
    QVERIFY(callback.notifications.empty());
}

void tst_Wheels::diskDragInDialog()
{
    showDialogPage(QColor(0, 0, 255), 1);
    auto* wheel = qobject_cast<HsvWheel*>(currentPage());
    QVERIFY(wheel);
    const int value = spinner("valueIntSpinner");

    QTest::mousePress(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(255, 128));
    QCOMPARE(spinner("hueIntSpinner"), 90);
    QCOMPARE(spinner("saturationIntSpinner"), 99);
    QCOMPARE(spinner("valueIntSpinner"), value);
    QCOMPARE(callback.changedCount(), 1);
    // Dragged out of the dialog's field and beyond: full saturation, the hue of the angle; the
    // color pushed back after each step puts the marker where the pick put it.
    dragTo(wheel, QPoint(128, 600));
    QCOMPARE(spinner("hueIntSpinner"), 180);
    QCOMPARE(spinner("saturationIntSpinner"), 100);
    QCOMPARE(markerPos(wheel), QPoint(120, 248));
    QCOMPARE(callback.changedCount(), 2);
    QTest::mouseRelease(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(128, 600));
    QCOMPARE(callback.changedCount(), 2);
    const float reported[3] = {callback.last().color.r, callback.last().color.g,
                               callback.last().color.b};
    const RgbColor rgb = dialog->GetCurrentRgb();
    QCOMPARE(reported[0], rgb.red() / 255.0f);
    QCOMPARE(reported[2], rgb.blue() / 255.0f);
    QCOMPARE(find<QSpinBox>("redIntSpinner")->value(), rgb.red());
}

void tst_Wheels::sliderBesideDiskDrivesValue()
{
    showDialogPage(QColor(200, 60, 60), 1);
    auto* wheel = qobject_cast<HsvWheel*>(currentPage());
    QVERIFY(wheel);
    const HsvColor before = dialog->GetCurrentHsv();
    const QPoint marker = markerPos(wheel);
    ColorSlider* slider = mainSlider();

    const QPoint at(slider->width() / 2, slider->height() * 3 / 4);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
    const HsvColor after = dialog->GetCurrentHsv();
    QVERIFY2(after.value() != before.value(), qPrintable(describe(after)));
    QCOMPARE(after.hue(), before.hue());
    QCOMPARE(after.saturation(), before.saturation());
    QCOMPARE(wheel->shownColor().hsv.value(), after.value());
    // Only the value changed: nothing moves on the disk.
    QCOMPARE(markerPos(wheel), marker);
}

void tst_Wheels::greyOnRingInDialog()
{
    showDialogPage(QColor(0, 0, 0), 2);
    // A grey typed as HSV, so that the dialog holds a hue for it.
    find<QSpinBox>("valueIntSpinner")->setValue(60);
    QVERIFY(QTest::qWaitFor([this] { return callback.changedCount() == 1; }, 5000));
    callback.notifications.clear();
    auto* wheel = qobject_cast<HueWheel*>(currentPage());
    QVERIFY(wheel);
    const RgbColor grey = dialog->GetCurrentRgb();
    QCOMPARE(spinner("saturationIntSpinner"), 0);

    QTest::mousePress(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(128, 12));
    dragTo(wheel, QPoint(245, 128));
    QCOMPARE(spinner("hueIntSpinner"), 90);
    QCOMPARE(markerPos(wheel), QPoint(234, 120));
    dragTo(wheel, QPoint(-40, 128));
    QTest::mouseRelease(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(-40, 128));
    QCOMPARE(spinner("hueIntSpinner"), 270);
    QCOMPARE(dialog->GetCurrentHsv().hue(), 270);
    QVERIFY(dialog->GetCurrentRgb() == grey);
    QCOMPARE(spinner("redIntSpinner"), grey.red());
    // Each hue change reached the host, the grey unchanged.
    QCOMPARE(callback.changedCount(), 2);
    QCOMPARE(callback.last().color.g, grey.green() / 255.0f);
    // The inner square followed the new hue.
    QCOMPARE(wheel->field()->shownColor().hsv.hue(), 270);
}

void tst_Wheels::pictureHues_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<double>("radius");
    QTest::addColumn<bool>("graded");
    QTest::newRow("disk inner") << kHsvPicture << 30.0 << true;
    QTest::newRow("disk middle") << kHsvPicture << 64.0 << true;
    QTest::newRow("disk outer") << kHsvPicture << 120.0 << true;
    QTest::newRow("ring inner") << kHuePicture << 103.0 << false;
    QTest::newRow("ring middle") << kHuePicture << 114.0 << false;
    QTest::newRow("ring outer") << kHuePicture << 125.0 << false;
}

void tst_Wheels::pictureHues()
{
    QFETCH(QString, picture);
    QFETCH(double, radius);
    QFETCH(bool, graded);
    const QImage image(picture);
    QCOMPARE(image.size(), QSize(256, 256));
    QVERIFY(image.hasAlphaChannel());

    double worstHue = 0.0;
    int worstSaturation = 0;
    for (int degrees = 0; degrees < 360; degrees += 5) {
        const double a = degrees * M_PI / 180.0;
        // The pixel around the point at this angle and radius from the centre (128, 128).
        const int x = int(std::floor(128.0 + radius * std::sin(a)));
        const int y = int(std::floor(128.0 - radius * std::cos(a)));
        const QRgb pixel = image.pixel(x, y);
        QCOMPARE(qAlpha(pixel), 255);
        const HsvColor hsv(RgbColor(qRed(pixel), qGreen(pixel), qBlue(pixel), 255));
        // The exact angle and distance of that pixel's centre.
        const double dx = x + 0.5 - 128.0, dy = y + 0.5 - 128.0;
        const double angle = std::fmod(std::atan2(dx, -dy) * 180.0 / M_PI + 360.0, 360.0);
        const double distance = std::hypot(dx, dy);
        const double hueError = hueDistance(hsv.hue(), angle);
        const int expectedSaturation = graded ? int(std::lround(distance / 128.0 * 100.0)) : 100;
        const int saturationError = std::abs(hsv.saturation() - expectedSaturation);
        QVERIFY2(hsv.value() == 100, qPrintable(describe(hsv)));
        QVERIFY2(hueError <= 1.5 && saturationError <= 1,
                 qPrintable(QStringLiteral("%1 at (%2, %3), %4 degrees, distance %5")
                                .arg(describe(hsv))
                                .arg(x)
                                .arg(y)
                                .arg(angle)
                                .arg(distance)));
        worstHue = std::max(worstHue, hueError);
        worstSaturation = std::max(worstSaturation, saturationError);
    }
    qInfo("worst hue error %.2f degrees, worst saturation error %d", worstHue, worstSaturation);

    // The named directions.
    const int r = int(radius);
    const QRgb top = image.pixel(127, 128 - r);
    const QRgb bottom = image.pixel(127, 127 + r);
    QVERIFY(qRed(top) == 255 && qBlue(top) <= qGreen(top) + 8);
    QVERIFY(qBlue(bottom) == 255 && qGreen(bottom) >= 250 && qRed(bottom) <= qRed(top));
}

void tst_Wheels::pictureAlpha_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<double>("inner");
    QTest::newRow("disk") << kHsvPicture << 0.0;
    QTest::newRow("ring") << kHuePicture << 100.0;
}

void tst_Wheels::pictureAlpha()
{
    QFETCH(QString, picture);
    QFETCH(double, inner);
    const double outer = 128.0;
    const QImage image(picture);
    QCOMPARE(image.size(), QSize(256, 256));

    // Every pixel, by where its square lies: wholly inside the shape opaque, wholly outside
    // fully transparent, cut by an edge as opaque as the part of it inside (measured here on a
    // finer grid than any picture would use), and the whole mirror-symmetric.
    int opaque = 0, clear = 0, edge = 0;
    int worst = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const double x0 = x - 128.0, x1 = x0 + 1.0, y0 = y - 128.0, y1 = y0 + 1.0;
            const double nearX = x0 > 0 ? x0 : (x1 < 0 ? x1 : 0.0);
            const double nearY = y0 > 0 ? y0 : (y1 < 0 ? y1 : 0.0);
            const double nearest = std::hypot(nearX, nearY);
            const double farthest = std::hypot(std::max(std::fabs(x0), std::fabs(x1)),
                                               std::max(std::fabs(y0), std::fabs(y1)));
            const int alpha = qAlpha(image.pixel(x, y));
            const QString where = QStringLiteral("alpha %1 at (%2, %3)").arg(alpha).arg(x).arg(y);
            if (nearest >= inner && farthest <= outer) {
                QVERIFY2(alpha == 255, qPrintable(where));
                ++opaque;
            } else if (nearest >= outer || farthest <= inner) {
                QVERIFY2(alpha == 0, qPrintable(where));
                ++clear;
            } else {
                constexpr int grid = 40;
                int inside = 0;
                for (int j = 0; j < grid; ++j) {
                    for (int i = 0; i < grid; ++i) {
                        const double d = std::hypot(x0 + (i + 0.5) / grid, y0 + (j + 0.5) / grid);
                        inside += d >= inner && d <= outer ? 1 : 0;
                    }
                }
                const int expected = int(std::lround(255.0 * inside / (grid * grid)));
                worst = std::max(worst, std::abs(alpha - expected));
                QVERIFY2(std::abs(alpha - expected) <= kEdgeAlphaTolerance,
                         qPrintable(where + QStringLiteral(", covered %1").arg(expected)));
                ++edge;
            }
            QVERIFY2(alpha == qAlpha(image.pixel(255 - x, y)) &&
                         alpha == qAlpha(image.pixel(x, 255 - y)) &&
                         alpha == qAlpha(image.pixel(y, x)),
                     qPrintable(where));
        }
    }
    qInfo("%d opaque, %d clear, %d edge pixels; worst edge alpha error %d", opaque, clear, edge,
          worst);
    QVERIFY(opaque > 0 && clear > 0 && edge > 0);
}

QTEST_MAIN(tst_Wheels)
#include "tst_Wheels.moc"
