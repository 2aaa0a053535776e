// The mixing canvas driven as a user drives it: strokes with the left button, erasing with the
// right, the picture growing with the widget, opacity and hardness of the brush; and the canvas as
// the dialog's last field page with its brush controls.

#include "MouseSupport.h"
#include "TestHost.h"

#include "dialog/ColorDorvoDialog.h"
#include "fields/CanvasArea.h"

#include "hostsdk/HostRuntime.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

#include <limits>
#include <memory>
#include <vector>

Q_DECLARE_METATYPE(Qt::MouseButton)

namespace {

const QRgb kWhite = 0xffffffffu;

// A drag as a user makes it: press at the first point, moves with the button held through the
// points between, release at the last.
void drag(QWidget* widget, Qt::MouseButton button, const std::vector<QPoint>& points)
{
    sendMouse(widget, QEvent::MouseButtonPress, button, button, points.front());
    for (std::size_t i = 1; i + 1 < points.size(); ++i)
        sendMouse(widget, QEvent::MouseMove, Qt::NoButton, button, points[i]);
    sendMouse(widget, QEvent::MouseButtonRelease, button, Qt::NoButton, points.back());
}

// What the plain round-capped black pen paints for the same drag: a segment to each move and one
// more to the release.
void plainPen(QImage* picture, const std::vector<QPoint>& points, int width)
{
    QPainter painter(picture);
    painter.setPen(QPen(QBrush(Qt::black), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (std::size_t i = 1; i < points.size(); ++i)
        painter.drawLine(points[i - 1], points[i]);
}

QImage white(const QSize& size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(kWhite);
    return picture;
}

int grey(const QImage& picture, int x, int y)
{
    return qRed(picture.pixel(x, y));
}

// Remembers the rectangle of every paint event of the widget it watches.
class PaintSpy : public QObject
{
public:
    std::vector<QRect> rects;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class tst_CanvasArea : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CanvasArea> canvas;

    // A shown 256 x 256 canvas: the first layout has made its picture.
    void showCanvas()
    {
        canvas = std::make_unique<CanvasArea>(nullptr);
        canvas->resize(256, 256);
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas.get()));
    }

private slots:
    void init() { showCanvas(); }
    void cleanup() { canvas.reset(); }

    void strokeAndItsRepaint();
    void pictureGrowsWithSlack_data();
    void pictureGrowsWithSlack();
    void buttons_data();
    void buttons();
    void bothButtonsPaint();
    void hardBrushIsThePlainPen_data();
    void hardBrushIsThePlainPen();
    void opacityLaysTheStrokeDownOnce_data();
    void opacityLaysTheStrokeDownOnce();
    void softEdgeFades_data();
    void softEdgeFades();
    void opacityPercentRounding_data();
    void opacityPercentRounding();
    void dialogPage();
};

void tst_CanvasArea::strokeAndItsRepaint()
{
    // The first layout made the picture: 256 + 128 each way.
    QCOMPARE(canvas->picture().size(), QSize(384, 384));
    PaintSpy spy;
    canvas->installEventFilter(&spy);
    QApplication::processEvents();
    spy.rects.clear();

    press(canvas.get(), QPoint(10, 10));
    moveHeld(canvas.get(), QPoint(50, 10));
    QVERIFY(QTest::qWaitFor([&] { return !spy.rects.empty(); }));
    QCOMPARE(spy.rects, std::vector<QRect>{QRect(QPoint(7, 7), QPoint(53, 13))});
    // What the user sees during the stroke is the picture.
    QCOMPARE(canvas->grab().toImage().convertToFormat(QImage::Format_RGB32),
             canvas->picture().copy(canvas->rect()));
    release(canvas.get(), QPoint(50, 10));

    // Three rows of black between the end points; the aliased pen samples pixel centres, so each
    // round end adds a column of two pixels.
    const QImage& picture = canvas->picture();
    for (int x = 7; x <= 53; ++x) {
        for (int y = 7; y <= 13; ++y) {
            const bool body = x >= 10 && x <= 49 && y >= 9 && y <= 11;
            const bool end = (x == 9 || x == 50) && (y == 9 || y == 10);
            QCOMPARE(picture.pixel(x, y), body || end ? qRgb(0, 0, 0) : kWhite);
        }
    }
}

void tst_CanvasArea::pictureGrowsWithSlack_data()
{
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<QSize>("picture");
    QTest::newRow("wider within the slack") << QSize(300, 256) << QSize(384, 384);
    QTest::newRow("wider past the slack") << QSize(400, 256) << QSize(528, 384);
    QTest::newRow("taller past the slack") << QSize(256, 390) << QSize(384, 518);
    QTest::newRow("smaller") << QSize(100, 120) << QSize(384, 384);
}

// The picture grows while a stroke is held; the stroke goes on into the new part.
void tst_CanvasArea::pictureGrowsWithSlack()
{
    QFETCH(QSize, widget);
    QFETCH(QSize, picture);
    press(canvas.get(), QPoint(5, 5));
    moveHeld(canvas.get(), QPoint(250, 250));
    const QImage before = canvas->picture();
    canvas->resize(widget);
    QVERIFY(QTest::qWaitFor([&] { return canvas->size() == widget; }));
    const QPoint end(widget.width() - 5, widget.height() - 5);
    release(canvas.get(), end);

    const QImage& after = canvas->picture();
    QCOMPARE(after.size(), picture);
    QCOMPARE(after.format(), QImage::Format_RGB32);
    QImage expected = white(picture);
    QPainter(&expected).drawImage(0, 0, before);
    plainPen(&expected, {{250, 250}, end, end}, 3);
    QCOMPARE(after, expected);
}

void tst_CanvasArea::buttons_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QRgb>("dragged");
    // Over a black line along y = 20: the right drag erases to its release point, the segment from
    // the last move to the release included; the middle button does nothing.
    QTest::newRow("right erases") << Qt::RightButton << kWhite;
    QTest::newRow("middle") << Qt::MiddleButton << qRgb(0, 0, 0);
}

void tst_CanvasArea::buttons()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QRgb, dragged);
    canvas->setPenWidth(5);
    drag(canvas.get(), Qt::LeftButton, {{10, 20}, {150, 20}});
    drag(canvas.get(), button, {{40, 20}, {70, 20}, {120, 20}});
    const QImage& picture = canvas->picture();
    for (int y = 18; y <= 22; ++y) {
        QCOMPARE(picture.pixel(30, y), qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(55, y), dragged);
        QCOMPARE(picture.pixel(110, y), dragged);
        QCOMPARE(picture.pixel(140, y), qRgb(0, 0, 0));
    }
}

// An erasing drag that the left button joins paints from there on: with both held, the left wins.
void tst_CanvasArea::bothButtonsPaint()
{
    const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
    sendMouse(canvas.get(), QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {20, 80});
    sendMouse(canvas.get(), QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {40, 80});
    sendMouse(canvas.get(), QEvent::MouseButtonPress, Qt::LeftButton, both, {40, 80});
    sendMouse(canvas.get(), QEvent::MouseMove, Qt::NoButton, both, {80, 80});
    sendMouse(canvas.get(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::RightButton, {80, 80});
    sendMouse(canvas.get(), QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {100, 80});
    sendMouse(canvas.get(), QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {100, 80});
    const QImage& picture = canvas->picture();
    QCOMPARE(picture.pixel(30, 80), kWhite);
    QCOMPARE(picture.pixel(60, 80), qRgb(0, 0, 0));
    // The left release ends the stroke; the right button alone no longer erases.
    QCOMPARE(picture.pixel(80, 80), qRgb(0, 0, 0));
    QCOMPARE(picture.pixel(90, 80), kWhite);
}

void tst_CanvasArea::hardBrushIsThePlainPen_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
    QTest::newRow("3") << 3;
    QTest::newRow("10") << 10;
    QTest::newRow("25") << 25;
}

// Hardness 100 at full opacity covers what the plain round-capped pen covers, pixel for pixel:
// slanted segments, sharp turns, a click without movement.
void tst_CanvasArea::hardBrushIsThePlainPen()
{
    QFETCH(int, width);
    canvas->setPenWidth(width);
    const std::vector<QPoint> stroke = {{30, 40}, {90, 61}, {120, 200}, {40, 180}, {200, 30}};
    drag(canvas.get(), Qt::LeftButton, stroke);
    drag(canvas.get(), Qt::LeftButton, {{220, 220}, {220, 220}});
    QImage reference = white(canvas->picture().size());
    plainPen(&reference, stroke, width);
    plainPen(&reference, {{220, 220}, {220, 220}}, width);
    QCOMPARE(canvas->picture(), reference);
}

void tst_CanvasArea::opacityLaysTheStrokeDownOnce_data()
{
    QTest::addColumn<int>("hardness");
    QTest::addColumn<float>("opacity");
    QTest::addColumn<int>("alpha");
    QTest::newRow("hard") << 100 << 50.0f << 255;
    QTest::newRow("soft") << 50 << 50.0f << 255;
    // A translucent color lays down as much less of itself.
    QTest::newRow("translucent color") << 100 << 100.0f << 128;
}

// A stroke at 50% over white is one even tone: where segments meet, turn or go back over each
// other it is no darker than along a segment.
void tst_CanvasArea::opacityLaysTheStrokeDownOnce()
{
    QFETCH(int, hardness);
    QFETCH(float, opacity);
    QFETCH(int, alpha);
    canvas->setPenColor(QColor(1, 101, 3, alpha));
    canvas->setPenWidth(15);
    canvas->setOpacity(opacity);
    canvas->setHardness(hardness);
    const std::vector<QPoint> stroke = {{20, 50},  {60, 50}, {100, 50}, {100, 120},
                                        {100, 50}, {60, 50}, {140, 50}};
    sendMouse(canvas.get(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, stroke[0]);
    for (std::size_t i = 1; i < stroke.size(); ++i)
        sendMouse(canvas.get(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, stroke[i]);
    // Already right on the screen while the button is held.
    QApplication::processEvents();
    QCOMPARE(canvas->grab().toImage().convertToFormat(QImage::Format_RGB32),
             canvas->picture().copy(canvas->rect()));
    release(canvas.get(), stroke.back());

    // 128 / 255 of the way from white to the color, to the nearest: 127.502, 177.698, 128.506.
    const QRgb tone = qRgb(128, 178, 129);
    const QImage& picture = canvas->picture();
    // Along the stroke, at its joints and ends, and inside the turn, where the last segment passes
    // fainter over the full middle of the one going down.
    for (const QPoint& p : {QPoint(40, 50), QPoint(60, 50), QPoint(100, 50), QPoint(100, 85),
                            QPoint(100, 120), QPoint(140, 50), QPoint(20, 50), QPoint(102, 56)})
        QVERIFY2(picture.pixel(p) == tone, qPrintable(QStringLiteral("%1 at (%2, %3)")
                                                          .arg(QColor(picture.pixel(p)).name())
                                                          .arg(p.x())
                                                          .arg(p.y())));
    // Across the stroke the joint and the middle of a segment are alike, and so is the outer side
    // of the turn.
    for (int dy = -7; dy <= 7; ++dy) {
        QCOMPARE(picture.pixel(60, 50 + dy), picture.pixel(40, 50 + dy));
        if (dy < 0)
            QCOMPARE(picture.pixel(95, 50 + dy), picture.pixel(40, 50 + dy));
    }
}

void tst_CanvasArea::softEdgeFades_data()
{
    QTest::addColumn<int>("hardness");
    QTest::addColumn<int>("fullUpTo");
    // Row k away from the middle lies k + 0.5 from the stroke: full up to hardness% of the radius
    // (the middle rows always).
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("50") << 50 << 4;
    QTest::newRow("90") << 90 << 8;
}

// A 21-pixel soft stroke across white: full black out to hardness% of the 10.5-pixel radius, then
// lighter step by step, white from the radius on.
void tst_CanvasArea::softEdgeFades()
{
    QFETCH(int, hardness);
    QFETCH(int, fullUpTo);
    canvas->setPenWidth(21);
    canvas->setHardness(hardness);
    drag(canvas.get(), Qt::LeftButton, {{20, 60}, {120, 60}});
    const QImage& picture = canvas->picture();
    int previous = 0;
    int shades = 0;
    for (int k = 0; k <= 12; ++k) {
        const int value = grey(picture, 70, 60 + k);
        QCOMPARE(grey(picture, 70, 59 - k), value);
        if (k <= fullUpTo)
            QCOMPARE(value, 0);
        else if (k >= 10)
            QCOMPARE(value, 255);
        QVERIFY2(value >= previous, qPrintable(QStringLiteral("darker at %1").arg(k)));
        shades += value > previous ? 1 : 0;
        previous = value;
    }
    // The fall takes every pixel between the full part and the radius.
    QCOMPARE(shades, 10 - fullUpTo);
    // The ends are round: as far beyond an end as beside it, as light; at the corner, white.
    for (int d = 1; d <= 11; ++d) {
        QCOMPARE(grey(picture, 120 + d, 60), grey(picture, 120, 60 + d));
        QCOMPARE(grey(picture, 19 - d, 60), grey(picture, 19, 60 + d));
    }
    QCOMPARE(grey(picture, 127, 67), 255);
}

void tst_CanvasArea::opacityPercentRounding_data()
{
    QTest::addColumn<float>("percent");
    QTest::addColumn<int>("opacity");
    QTest::newRow("1") << 1.0f << 3;
    // p * 2.55 in single precision lands on a half, which goes to the even neighbour.
    QTest::newRow("30, half down") << 30.0f << 76;
    QTest::newRow("50, single precision") << 50.0f << 128;
    QTest::newRow("90, half up") << 90.0f << 230;
    QTest::newRow("100") << 100.0f << 255;
    QTest::newRow("past 100") << 180.0f << 255;
    QTest::newRow("below 0") << -20.0f << 0;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0;
}

void tst_CanvasArea::opacityPercentRounding()
{
    QFETCH(float, percent);
    QFETCH(int, opacity);
    canvas->setOpacity(percent);
    QCOMPARE(canvas->brushOpacity(), opacity);
}

// The canvas as the dialog's fourth page: chosen in the selector, its brush controls beside it,
// painting with the current color, keeping its picture while other pages are shown.
void tst_CanvasArea::dialogPage()
{
    canvas.reset();
    TestHost host;
    ColorDorvoDialog* dialog = host.open(QColor(200, 30, 40));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const auto find = [dialog](const char* name) {
        return dialog->findChild<QWidget*>(QLatin1String(name));
    };
    auto* fields = dialog->findChild<QComboBox*>(QStringLiteral("colorFieldComboBox"));
    auto* area = dialog->findChild<CanvasArea*>();
    QWidget* controls = find("canvasControlsLayout");
    QCOMPARE(fields->itemText(3), QStringLiteral("Mixing Canvas"));
    QVERIFY(!controls->isVisible());

    fields->setCurrentIndex(3);
    QVERIFY(
        HostRuntime::ListenerOutput().contains(QStringLiteral("Set color field Mixing Canvas\n")));
    QCOMPARE(dialog->findChild<QStackedWidget*>()->currentWidget(), area);
    QVERIFY(controls->isVisible());
    QVERIFY(dialog->rect().contains(QRect(controls->mapTo(dialog, QPoint()), controls->size())));
    QVERIFY(!find("channelSlider")->isVisible());
    QVERIFY(!find("hueRdBtn")->isEnabled());
    QCOMPARE(area->shownPenColor(), QColor(200, 30, 40));

    auto* hex = dialog->findChild<QLineEdit*>(QStringLiteral("hexEditLine"));
    hex->selectAll();
    QTest::keyClicks(hex, QStringLiteral("102030"));
    QTest::keyClick(hex, Qt::Key_Return);
    QCOMPARE(area->shownPenColor(), QColor(16, 32, 48));

    const auto spinner = [dialog](const char* name) {
        return dialog->findChild<QSpinBox*>(QLatin1String(name));
    };
    spinner("brushSizeSpn")->setValue(9);
    spinner("brushOpacitySpn")->setValue(50);
    spinner("brushHardnessSpn")->setValue(40);
    QCOMPARE(area->brushWidth(), 9);
    QCOMPARE(area->brushOpacity(), 128);
    QCOMPARE(area->brushHardness(), 40);
    spinner("brushOpacitySpn")->setValue(100);

    host.callback.notifications.clear();
    drag(area, Qt::LeftButton, {{30, 30}, {200, 60}, {120, 200}});
    QCOMPARE(area->picture().pixel(30, 30), qRgb(16, 32, 48));
    // The canvas picks nothing.
    QVERIFY(host.callback.notifications.empty());

    // COLORDORVO_SCREENSHOT_DIR keeps a picture of the screen for a look.
    const QString dir = qEnvironmentVariable("COLORDORVO_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QApplication::processEvents();
        QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(
            dir + QStringLiteral("/canvas.png")));
    }

    const QImage painted = area->picture();
    fields->setCurrentIndex(0);
    QVERIFY(!controls->isVisible());
    QVERIFY(find("hueRdBtn")->isEnabled());
    fields->setCurrentIndex(3);
    QCOMPARE(area->picture(), painted);

    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("clearCanvasBtn")),
                      Qt::LeftButton);
    QCOMPARE(area->picture(), white(painted.size()));
}

QTEST_MAIN(tst_CanvasArea)
#include "tst_CanvasArea.moc"
