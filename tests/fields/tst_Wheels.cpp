// The HSV disk and the hue ring as the dialog's pages 1 and 2, driven as a user drives them:
// presses, drags past the rim, releases inside and outside, hovers; what the dialog then holds,
// what the host heard and where the marker stands; and the two embedded pictures themselves.

#include "MouseSupport.h"
#include "RecordingServices.h"
#include "TestHost.h"

#include "color/ColorValue.h"
#include "dialog/ColorDorvoDialog.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QtTest>

#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(Qt::MouseButton)
Q_DECLARE_METATYPE(HsvColor)

namespace {

QString describe(const HsvColor& hsv)
{
    return QStringLiteral("hsv(%1, %2, %3)").arg(hsv.hue()).arg(hsv.saturation()).arg(hsv.value());
}

QPoint markerPos(const QWidget* wheel)
{
    return wheel->findChild<QLabel*>(QStringLiteral("markerLabel"))->pos();
}

} // namespace

class tst_Wheels : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;
    ColorDorvoDialog* dialog = nullptr;

    // The dialog on the screen holding hsv, on field page `page` chosen in the combo box.
    void openPage(int page, const HsvColor& hsv = HsvColor(200, 40, 60))
    {
        dialog = host->open(QColor(0, 0, 0));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        dialog->findChild<QComboBox*>(QStringLiteral("colorFieldComboBox"))->setCurrentIndex(page);
        dialog->ViewColorChanged(ColorValue(hsv), true);
        host->callback.notifications.clear();
    }
    template <typename Page> Page* page() const
    {
        return qobject_cast<Page*>(dialog->findChild<QStackedWidget*>()->currentWidget());
    }
    ColorSlider* mainSlider() const
    {
        for (ColorSlider* slider : dialog->findChildren<ColorSlider*>()) {
            if (slider->sliderOrientation() == ColorSlider::Vertical)
                return slider;
        }
        return nullptr;
    }

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        QVERIFY(host->configDir.isValid());
    }
    void cleanup()
    {
        dialog = nullptr;
        host.reset();
    }

    void angleAt_data();
    void angleAt();
    void markerReadsBackAsItsColor();
    void releasePicksWhereTheButtonComesUp_data();
    void releasePicksWhereTheButtonComesUp();
    void diskPress_data();
    void diskPress();
    void diskDragBeyondRimAndReleaseOutside();
    void pressesThatPickNothing_data();
    void pressesThatPickNothing();
    void hoverShowsWhereTheWheelIs();
    void marker_data();
    void marker();
    void greyDraggedOnRingChangesHeldHue();
    void innerFieldPicksAndKeepsItsPictureWhileHeld();
    void slidersBesideTheWheels();
    void pictures_data();
    void pictures();
};

void tst_Wheels::angleAt_data()
{
    QTest::addColumn<QPoint>("p");
    QTest::addColumn<int>("angle");
    QTest::newRow("centre") << QPoint(128, 128) << 0;
    QTest::newRow("right") << QPoint(200, 128) << 90;
    QTest::newRow("down") << QPoint(128, 200) << 180;
    QTest::newRow("left") << QPoint(50, 128) << 270;
    QTest::newRow("up, 360 folded") << QPoint(128, 10) << 0;
    QTest::newRow("upper left, 360 folded") << QPoint(127, 0) << 0;
    QTest::newRow("upper right") << QPoint(228, 28) << 45;
    QTest::newRow("lower right") << QPoint(228, 228) << 135;
    QTest::newRow("lower left") << QPoint(28, 228) << 225;
    QTest::newRow("upper left") << QPoint(28, 28) << 315;
    QTest::newRow("steep upper left") << QPoint(126, 0) << 359;
    // Half-degrees beyond the widget that the single-precision 3.14159 rounds up where the exact
    // pi would round down.
    QTest::newRow("pi, upper right") << QPoint(128 + 155, 128 - 202) << 38;
    QTest::newRow("pi, lower left") << QPoint(128 - 155, 128 + 202) << 218;
    QTest::newRow("pi, upper left") << QPoint(128 - 1062, 128 - 121) << 276;
}

void tst_Wheels::angleAt()
{
    QFETCH(QPoint, p);
    QFETCH(int, angle);
    QCOMPARE(HsvWheel(nullptr).angleAt(p), angle);
    QCOMPARE(HueWheel(nullptr).angleAt(p), angle);
}

// The two ways of each wheel against each other: a marker placed for a hue (and on the disk a
// saturation) reads back at its centre as that hue and saturation: exactly on the ring, within
// one on the disk, where the marker stands on a whole pixel nearer the centre.
void tst_Wheels::markerReadsBackAsItsColor()
{
    HsvWheel disk(nullptr);
    HueWheel ring(nullptr);
    const auto hueError = [](int angle, int hue) {
        const int d = std::abs(angle - hue) % 360;
        return std::min(d, 360 - d);
    };
    int worstRingHue = 0, worstDiskHue = 0, worstSaturation = 0;
    for (int hue = 0; hue <= 360; ++hue) {
        const QPoint onRing = ring.markerCorner(hue, HueWheel::RingMiddle) + QPoint(8, 8);
        worstRingHue = std::max(worstRingHue, hueError(ring.angleAt(onRing), hue));
        for (int saturation = 0; saturation <= 100; ++saturation) {
            const QPoint onDisk =
                disk.markerCorner(hue, disk.markerRadius(saturation)) + QPoint(8, 8);
            worstSaturation =
                std::max(worstSaturation, std::abs(disk.saturationAt(onDisk) - saturation));
            // Near the centre a pixel spans many degrees.
            if (saturation >= 50)
                worstDiskHue = std::max(worstDiskHue, hueError(disk.angleAt(onDisk), hue));
        }
    }
    QCOMPARE(worstRingHue, 0);
    QCOMPARE(worstDiskHue, 1);
    QCOMPARE(worstSaturation, 1);
}

void tst_Wheels::releasePicksWhereTheButtonComesUp_data()
{
    QTest::addColumn<bool>("ring");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<HsvColor>("picked");
    QTest::newRow("disk") << false << QPoint(128, 100) << QPoint(200, 128) << QPoint(128, 200)
                          << HsvColor(180, 56, 60);
    QTest::newRow("ring") << true << QPoint(128, 12) << QPoint(245, 128) << QPoint(128, 245)
                          << HsvColor(180, 40, 60);
}

// The release on the wheel picks once more, loudly, where the button comes up; the marker stays
// where the last move put it until the dialog pushes the color back.
void tst_Wheels::releasePicksWhereTheButtonComesUp()
{
    QFETCH(bool, ring);
    QFETCH(QPoint, press);
    QFETCH(QPoint, move);
    QFETCH(QPoint, release);
    QFETCH(HsvColor, picked);
    RecordingServices services(ColorValue(HsvColor(200, 40, 60)));
    HsvWheel disk(&services);
    HueWheel hueRing(&services);
    ColorWheel* wheel = ring ? static_cast<ColorWheel*>(&hueRing) : &disk;
    ring ? hueRing.setColor(services.current) : disk.setColor(services.current);

    ::press(wheel, press);
    moveHeld(wheel, move);
    const QPoint marker = markerPos(wheel);
    const std::size_t calls = services.viewCalls.size();
    ::release(wheel, release);
    QCOMPARE(services.viewCalls.size(), calls + 1);
    QVERIFY2(services.viewCalls.back().color.hsv() == picked,
             qPrintable(describe(services.viewCalls.back().color.hsv())));
    QCOMPARE(services.viewCalls.back().silent, false);
    QCOMPARE(markerPos(wheel), marker);
}

void tst_Wheels::diskPress_data()
{
    QTest::addColumn<QPoint>("p");
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("saturation");
    QTest::newRow("centre") << QPoint(128, 128) << 0 << 0;
    QTest::newRow("right rim, 127 / 128") << QPoint(255, 128) << 90 << 99;
    QTest::newRow("left rim") << QPoint(0, 128) << 270 << 100;
    QTest::newRow("diagonal, d = 71") << QPoint(178, 78) << 45 << 55;
    // 16 / 128 is 12.5% and 48 / 128 is 37.5%: ties to even.
    QTest::newRow("saturation tie down") << QPoint(128 + 16, 128) << 90 << 12;
    QTest::newRow("saturation tie up") << QPoint(128, 128 + 48) << 180 << 38;
}

void tst_Wheels::diskPress()
{
    QFETCH(QPoint, p);
    QFETCH(int, hue);
    QFETCH(int, saturation);
    openPage(1);
    HsvWheel* wheel = page<HsvWheel>();
    QTest::mousePress(wheel, Qt::LeftButton, Qt::NoModifier, p);
    // The value is never changed by the disk; the press is reported at once.
    QVERIFY2(dialog->GetCurrentHsv() == HsvColor(hue, saturation, 60),
             qPrintable(describe(dialog->GetCurrentHsv())));
    QCOMPARE(host->callback.changedCount(), 1);
    QCOMPARE(wheel->cursor().shape(), Qt::BlankCursor);
    QTest::mouseRelease(wheel, Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(wheel->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(host->callback.changedCount(), 1); // the release picks the same color: not reported
}

void tst_Wheels::diskDragBeyondRimAndReleaseOutside()
{
    openPage(1);
    HsvWheel* wheel = page<HsvWheel>();
    QTest::mousePress(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(128, 100));
    QVERIFY(dialog->GetCurrentHsv() == HsvColor(0, 22, 60));
    // Out of the picture the distance is clamped to the radius and the hue follows the angle; the
    // dialog pushes each pick back, and the marker lands where the pick put it.
    const struct
    {
        QPoint p;
        HsvColor hsv;
        QPoint marker;
    } steps[] = {{QPoint(400, 128), HsvColor(90, 100, 60), QPoint(248, 120)},
                 {QPoint(-200, -200), HsvColor(315, 100, 60), QPoint(29, 29)},
                 {QPoint(128, 1000), HsvColor(180, 100, 60), QPoint(120, 248)},
                 {QPoint(128, 160), HsvColor(180, 25, 60), QPoint(120, 152)}};
    int reports = host->callback.changedCount();
    for (const auto& step : steps) {
        moveHeld(wheel, step.p);
        QVERIFY2(dialog->GetCurrentHsv() == step.hsv,
                 qPrintable(describe(dialog->GetCurrentHsv())));
        QCOMPARE(markerPos(wheel), step.marker);
        QCOMPARE(host->callback.changedCount(), ++reports);
    }
    QTest::mouseRelease(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(host->callback.changedCount(), reports); // no final pick outside
    QCOMPARE(wheel->cursor().shape(), Qt::ArrowCursor);
    moveHeld(wheel, QPoint(200, 128)); // the drag is over
    QVERIFY(dialog->GetCurrentHsv() == HsvColor(180, 25, 60));
}

void tst_Wheels::pressesThatPickNothing_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("p");
    QTest::newRow("disk corner") << 1 << Qt::LeftButton << QPoint(1, 1);
    QTest::newRow("disk, right button") << 1 << Qt::RightButton << QPoint(200, 128);
    QTest::newRow("ring hole above the square") << 2 << Qt::LeftButton << QPoint(128, 40);
    QTest::newRow("ring corner") << 2 << Qt::LeftButton << QPoint(2, 253);
}

void tst_Wheels::pressesThatPickNothing()
{
    QFETCH(int, page);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, p);
    openPage(page);
    QWidget* wheel = dialog->findChild<QStackedWidget*>()->currentWidget();
    const ColorValue before = dialog->GetCurrentColorValue();
    const QPoint marker = markerPos(wheel);
    wheel->setCursor(Qt::CrossCursor); // a cursor the wheel never sets itself

    QTest::mousePress(wheel, button, Qt::NoModifier, p);
    QCOMPARE(wheel->cursor().shape(), Qt::CrossCursor);
    // No drag began: neither a move onto the ring nor a release there picks.
    moveHeld(wheel, QPoint(245, 128));
    QTest::mouseRelease(wheel, button, Qt::NoModifier, QPoint(245, 128));
    QCOMPARE(markerPos(wheel), marker);
    QVERIFY(dialog->GetCurrentColorValue() == before);
    QVERIFY(host->callback.notifications.empty());
}

void tst_Wheels::hoverShowsWhereTheWheelIs()
{
    openPage(2);
    HueWheel* wheel = page<HueWheel>();
    const struct
    {
        QPoint p;
        Qt::CursorShape shape;
    } hovers[] = {{QPoint(128, 12), Qt::BitmapCursor},
                  {QPoint(128, 40), Qt::ArrowCursor},
                  {QPoint(245, 128), Qt::BitmapCursor},
                  {QPoint(254, 1), Qt::ArrowCursor}};
    for (const auto& hover : hovers) {
        QTest::mouseMove(wheel, hover.p);
        QCOMPARE(wheel->cursor().shape(), hover.shape);
    }
    // While dragging the pointer stays blank wherever it hovers.
    QTest::mousePress(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(128, 12));
    for (const auto& hover : hovers) {
        QTest::mouseMove(wheel, hover.p);
        QCOMPARE(wheel->cursor().shape(), Qt::BlankCursor);
    }
}

void tst_Wheels::marker_data()
{
    QTest::addColumn<bool>("ring");
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("saturation");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("disk 90/50") << false << 90 << 50 << QPoint(184, 120);
    QTest::newRow("disk 45/100") << false << 45 << 100 << QPoint(211, 29);
    QTest::newRow("disk 360/100") << false << 360 << 100 << QPoint(120, -8);
    QTest::newRow("disk 270/100") << false << 270 << 100 << QPoint(-8, 120);
    QTest::newRow("disk 137/0") << false << 137 << 0 << QPoint(120, 120);
    // r = nearest(12.8) = 13. 13 x sin(30 x k) is exactly 6.5 and rounds to 6 (ties to even);
    // 13 x sin(150 x k) is a hair above 6.5 and rounds to 7.
    QTest::newRow("disk 30/10") << false << 30 << 10 << QPoint(126, 109);
    QTest::newRow("disk 150/10") << false << 150 << 10 << QPoint(127, 131);
    QTest::newRow("ring 90") << true << 90 << 0 << QPoint(234, 120);
    QTest::newRow("ring 45") << true << 45 << 100 << QPoint(201, 39);
    QTest::newRow("ring 30") << true << 30 << 20 << QPoint(177, 21);
    QTest::newRow("ring 300") << true << 300 << 70 << QPoint(21, 63);
    QTest::newRow("ring 180") << true << 180 << 70 << QPoint(120, 234);
}

void tst_Wheels::marker()
{
    QFETCH(bool, ring);
    QFETCH(int, hue);
    QFETCH(int, saturation);
    QFETCH(QPoint, corner);
    HsvWheel disk(nullptr);
    HueWheel hueRing(nullptr);
    QWidget* wheel = ring ? static_cast<QWidget*>(&hueRing) : &disk;
    // The value plays no part.
    for (int value : {0, 100}) {
        const ColorValue color(HsvColor(hue, saturation, value));
        ring ? hueRing.setColor(color) : disk.setColor(color);
        QCOMPARE(markerPos(wheel), corner);
    }
}

void tst_Wheels::greyDraggedOnRingChangesHeldHue()
{
    openPage(2, HsvColor(0, 0, 60));
    HueWheel* wheel = page<HueWheel>();
    const RgbColor grey = dialog->GetCurrentRgb();
    QTest::mousePress(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(128, 12));
    moveHeld(wheel, QPoint(245, 128));
    QCOMPARE(dialog->GetCurrentHsv().hue(), 90);
    QCOMPARE(markerPos(wheel), QPoint(234, 120));
    moveHeld(wheel, QPoint(-40, 128));
    QTest::mouseRelease(wheel, Qt::LeftButton, Qt::NoModifier, QPoint(-40, 128));
    QVERIFY(dialog->GetCurrentHsv() == HsvColor(270, 0, 60));
    QCOMPARE(wheel->field()->shownColor().hsv().hue(), 270);
    // Both hue changes reached the host although the grey stayed the grey (the press at the
    // held hue 0 did not).
    QVERIFY(dialog->GetCurrentRgb() == grey);
    QCOMPARE(host->callback.changedCount(), 2);
    QCOMPARE(host->callback.last().color.g, grey.green() / 255.0f);
}

void tst_Wheels::innerFieldPicksAndKeepsItsPictureWhileHeld()
{
    openPage(2, HsvColor(200, 40, 70));
    HueWheel* wheel = page<HueWheel>();
    ColorField* field = wheel->field();
    QCOMPARE(field->geometry(), QRect(64, 64, 128, 128));
    const QPoint ringMarker = markerPos(wheel);
    // Saturation along x, value up the y axis, hue kept; reported while held, silently at release.
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, QPoint(64, 32));
    QVERIFY2(dialog->GetCurrentHsv() == HsvColor(200, 50, 75),
             qPrintable(describe(dialog->GetCurrentHsv())));
    QCOMPARE(host->callback.changedCount(), 1);
    // A color pushed while the square is held moves the ring's marker, not the square's.
    QLabel* fieldMarker = field->findChild<QLabel*>(QStringLiteral("markerLabel"));
    const QPoint heldMarker = fieldMarker->pos();
    dialog->ViewColorChanged(ColorValue(HsvColor(90, 80, 20)), true);
    QCOMPARE(markerPos(wheel), QPoint(234, 120));
    QCOMPARE(fieldMarker->pos(), heldMarker);
    QCOMPARE(field->shownColor().hsv().hue(), 200);
    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, QPoint(96, 32));
    QVERIFY(dialog->GetCurrentHsv() == HsvColor(200, 75, 75));
    QCOMPARE(markerPos(wheel), ringMarker);
    QCOMPARE(host->callback.changedCount(), 1);
}

void tst_Wheels::slidersBesideTheWheels()
{
    openPage(0);
    QAbstractButton* hue = dialog->findChild<QAbstractButton*>(QStringLiteral("hueRdBtn"));
    QTest::mouseClick(hue, Qt::LeftButton, Qt::NoModifier, QPoint(8, hue->height() / 2));
    auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("colorFieldComboBox"));
    const auto buttonsEnabled = [this](bool enabled) {
        for (QAbstractButton* b :
             dialog->findChild<QButtonGroup*>("colorSliderBtnGrp")->buttons()) {
            if (b->isEnabled() != enabled)
                return false;
        }
        return true;
    };
    ColorSlider* slider = mainSlider();

    // Beside the ring there is no slider.
    combo->setCurrentIndex(2);
    QVERIFY(page<HueWheel>() && !slider->isVisible() && buttonsEnabled(false));

    // Beside the disk the slider drives the value although the hue channel is chosen, and a
    // change of value alone moves nothing on the disk.
    combo->setCurrentIndex(1);
    HsvWheel* wheel = page<HsvWheel>();
    QVERIFY(wheel && slider->isVisible() && buttonsEnabled(false));
    QCOMPARE(slider->shownChannel(), ColorChannel::Value);
    const QPoint marker = markerPos(wheel);
    const QPoint at(slider->width() / 2, slider->height() * 3 / 4);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(dialog->GetCurrentHsv().hue(), 200);
    QCOMPARE(dialog->GetCurrentHsv().saturation(), 40);
    QVERIFY(dialog->GetCurrentHsv().value() != 60);
    QCOMPARE(wheel->shownColor().hsv().value(), dialog->GetCurrentHsv().value());
    QCOMPARE(markerPos(wheel), marker);

    combo->setCurrentIndex(0);
    QVERIFY(slider->isVisible() && buttonsEnabled(true));
    QCOMPARE(slider->shownChannel(), ColorChannel::Hue);
}

void tst_Wheels::pictures_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<double>("inner");
    QTest::newRow("disk") << ":/ColorFields/resources/hsvWheel.png" << 0.0;
    QTest::newRow("ring") << ":/ColorFields/resources/hueWheel.png" << 100.0;
}

void tst_Wheels::pictures()
{
    QFETCH(QString, picture);
    QFETCH(double, inner);
    const double outer = 128.0;
    const QImage image(picture);
    QCOMPARE(image.size(), QSize(256, 256));

    // Hues around the circle at several radii: the hue of the pixel centre's clockwise angle from
    // straight up, saturation growing with the distance on the disk and full on the ring.
    // Near the disk's centre a pixel spans too many degrees for the comparison to mean much.
    const double innermost = std::max(inner + 4.0, 30.0);
    for (double radius : {innermost, (innermost + outer) / 2.0, outer - 4.0}) {
        for (int degrees = 0; degrees < 360; degrees += 5) {
            const double a = degrees * M_PI / 180.0;
            const int x = int(std::floor(128.0 + radius * std::sin(a)));
            const int y = int(std::floor(128.0 - radius * std::cos(a)));
            const QRgb pixel = image.pixel(x, y);
            const HsvColor hsv(RgbColor(qRed(pixel), qGreen(pixel), qBlue(pixel), 255));
            const double dx = x + 0.5 - 128.0, dy = y + 0.5 - 128.0;
            const double angle = std::fmod(std::atan2(dx, -dy) * 180.0 / M_PI + 360.0, 360.0);
            const double hueError = std::fmod(std::fabs(hsv.hue() - angle), 360.0);
            const long saturation = inner > 0 ? 100 : std::lround(std::hypot(dx, dy) / 1.28);
            QVERIFY2(qAlpha(pixel) == 255 && std::min(hueError, 360.0 - hueError) <= 1.5 &&
                         std::abs(hsv.saturation() - saturation) <= 1 && hsv.value() == 100,
                     qPrintable(QStringLiteral("%1 at (%2, %3), %4 degrees")
                                    .arg(describe(hsv))
                                    .arg(x)
                                    .arg(y)
                                    .arg(angle)));
        }
    }

    // Alpha of every pixel by where its square lies: wholly inside the shape opaque, wholly
    // outside fully transparent, cut by an edge as opaque as the part of it inside (within 16, on
    // a grid finer than the picture's), and the whole mirror-symmetric.
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const double x0 = x - 128.0, x1 = x0 + 1.0, y0 = y - 128.0, y1 = y0 + 1.0;
            const double nearest =
                std::hypot(x0 > 0 ? x0 : (x1 < 0 ? x1 : 0.0), y0 > 0 ? y0 : (y1 < 0 ? y1 : 0.0));
            const double farthest = std::hypot(std::max(std::fabs(x0), std::fabs(x1)),
                                               std::max(std::fabs(y0), std::fabs(y1)));
            int expected = nearest >= inner && farthest <= outer ? 255 : 0;
            int tolerance = 0;
            if (expected == 0 && nearest < outer && farthest > inner) {
                constexpr int grid = 40;
                int inside = 0;
                for (int j = 0; j < grid * grid; ++j) {
                    const double d =
                        std::hypot(x0 + (j % grid + 0.5) / grid, y0 + (j / grid + 0.5) / grid);
                    inside += d >= inner && d <= outer ? 1 : 0;
                }
                expected = int(std::lround(255.0 * inside / (grid * grid)));
                tolerance = 16;
            }
            const int alpha = qAlpha(image.pixel(x, y));
            QVERIFY2(std::abs(alpha - expected) <= tolerance &&
                         alpha == qAlpha(image.pixel(255 - x, y)) &&
                         alpha == qAlpha(image.pixel(y, x)),
                     qPrintable(QStringLiteral("alpha %1 at (%2, %3), expected %4")
                                    .arg(alpha)
                                    .arg(x)
                                    .arg(y)
                                    .arg(expected)));
        }
    }
}

QTEST_MAIN(tst_Wheels)
#include "tst_Wheels.moc"
