#include "color/HsvColor.h"
#include "color/RgbColor.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"
#include "swatches/PaletteAngleType.h"

#include <QPointer>
#include <QVBoxLayout>
#include <QtTest>

#include <set>
#include <vector>

Q_DECLARE_METATYPE(HsvColor)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {
constexpr int Mono = static_cast<int>(PaletteAngleType::Monochromatic);
constexpr int Adjacent = static_cast<int>(PaletteAngleType::Adjacent);
constexpr int Triad = static_cast<int>(PaletteAngleType::Triad);
constexpr int Tetrad = static_cast<int>(PaletteAngleType::Tetrad);

QString rgbText(const RgbColor& rgb)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(rgb.red()).arg(rgb.green()).arg(rgb.blue());
}

// What the user sees of a cell, once the layouts have run: a tile above its shades, a shade in
// its middle.
RgbColor seenIn(QWidget* cell)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QImage image = cell->grab().toImage();
    return RgbColor(image.pixel(image.width() / 2, std::min(10, image.height() / 2)));
}

// Every tile and shade of a strip, tile first, then its shades.
std::vector<QWidget*> cellsOf(const ColorPaletteLayout& strip, int tile)
{
    std::vector<QWidget*> cells{strip.palette(tile)};
    for (int s = 0; s < ColorPalette::StepCount; ++s)
        cells.push_back(strip.palette(tile)->step(s));
    return cells;
}

// Records which cells were painted and whether any was restyled.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(const ColorPaletteLayout& strip)
    {
        for (int t = 0; t < ColorPaletteLayout::TileCount; ++t)
            for (QWidget* cell : cellsOf(strip, t))
                cell->installEventFilter(this);
    }
    std::set<QObject*> painted;
    int restyled = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        restyled += event->type() == QEvent::StyleChange ? 1 : 0;
        return false;
    }
};
} // namespace

// The strip on its own, in a layout as the dialog holds it, with no dialog to report to.
class tst_ColorPaletteLayout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void harmonyHues_data();
    void harmonyHues();
    void shades_data();
    void shades();
    void userSeesTilesAndShades();
    void visibilityFollowsMode_data();
    void visibilityFollowsMode();
    void hiddenTilesKeepTheirColors();
    void onlyChangedTilesRepaint();
    void modeChangeOnGreyKeepsTheStripsWidth();
    void skippedRepaintsNeverGoStale();

private:
    void showWindow();
    QPointer<QWidget> window;
    QPointer<ColorPaletteLayout> strip;
};

void tst_ColorPaletteLayout::init()
{
    window = new QWidget;
    strip = new ColorPaletteLayout(window);
    (new QVBoxLayout(window))->addWidget(strip);
    window->resize(480, 80);
}

void tst_ColorPaletteLayout::cleanup()
{
    delete window;
}

void tst_ColorPaletteLayout::showWindow()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void tst_ColorPaletteLayout::harmonyHues_data()
{
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("angle");
    // Hues of tiles 1..3; -1 for a tile the mode leaves alone.
    QTest::addColumn<std::vector<int>>("hues");

    QTest::newRow("adjacent 350 wraps up")
        << 350 << Adjacent << 30 << std::vector<int>{20, 320, -1};
    QTest::newRow("triad 350") << 350 << Triad << 30 << std::vector<int>{200, 140, -1};
    QTest::newRow("tetrad 350") << 350 << Tetrad << 30 << std::vector<int>{20, 200, 170};
    QTest::newRow("adjacent 10 wraps down")
        << 10 << Adjacent << 30 << std::vector<int>{40, 340, -1};
    QTest::newRow("adjacent 330 gives 360")
        << 330 << Adjacent << 30 << std::vector<int>{360, 300, -1};
    QTest::newRow("complement of 180 is 0") << 180 << Tetrad << 30 << std::vector<int>{210, 30, 0};
    QTest::newRow("complement of 360 is 180")
        << 360 << Tetrad << 30 << std::vector<int>{30, 210, 180};
    QTest::newRow("triad 180 below zero") << 180 << Triad << 30 << std::vector<int>{30, 330, -1};
    QTest::newRow("triad 0 widest") << 0 << Triad << 179 << std::vector<int>{359, 1, -1};
    QTest::newRow("adjacent 359 narrowest")
        << 359 << Adjacent << 1 << std::vector<int>{360, 358, -1};
    QTest::newRow("mono ignores angle") << 120 << Mono << 30 << std::vector<int>{-1, -1, -1};
    QTest::newRow("unknown mode recolours nothing")
        << 120 << 9 << 30 << std::vector<int>{-1, -1, -1};
}

void tst_ColorPaletteLayout::harmonyHues()
{
    QFETCH(int, hue);
    QFETCH(int, type);
    QFETCH(int, angle);
    QFETCH(std::vector<int>, hues);

    showWindow();
    const HsvColor untouched(77, 11, 22);
    for (int t = 1; t < ColorPaletteLayout::TileCount; ++t)
        strip->palette(t)->setColor(untouched);

    strip->updatePalettes(HsvColor(hue, 64, 90, 200), type, angle);

    QCOMPARE(strip->palette(0)->shownColor().hue(), hue);
    for (int t = 1; t < ColorPaletteLayout::TileCount; ++t) {
        const HsvColor shown = strip->palette(t)->shownColor();
        const int want = hues[t - 1];
        const HsvColor expected = want < 0 ? untouched : HsvColor(want, 64, 90, 200);
        QVERIFY2(shown == expected && shown.alpha() == expected.alpha(),
                 qPrintable(QStringLiteral("tile %1: hsv(%2, %3, %4, alpha %5), expected hue %6")
                                .arg(t)
                                .arg(shown.hue())
                                .arg(shown.saturation())
                                .arg(shown.value())
                                .arg(shown.alpha())
                                .arg(want)));
        QCOMPARE(rgbText(seenIn(strip->palette(t))), rgbText(RgbColor(shown)));
    }
    QCOMPARE(strip->harmonyType(), type);
}

void tst_ColorPaletteLayout::shades_data()
{
    QTest::addColumn<HsvColor>("base");
    // (saturation, value) of the four shades, left to right.
    QTest::addColumn<std::vector<int>>("expected");

    QTest::newRow("value clamps at 100")
        << HsvColor(200, 60, 80) << std::vector<int>{30, 100, 45, 100, 75, 60, 90, 40};
    QTest::newRow("33 truncates") << HsvColor(15, 33, 33)
                                  << std::vector<int>{16, 49, 24, 41, 41, 24, 49, 16};
    QTest::newRow("ones truncate to zero")
        << HsvColor(300, 1, 1) << std::vector<int>{0, 1, 0, 1, 1, 0, 1, 0};
    QTest::newRow("both clamp") << HsvColor(360, 100, 100)
                                << std::vector<int>{50, 100, 75, 100, 100, 75, 100, 50};
    QTest::newRow("black") << HsvColor(90, 0, 0) << std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("halves truncate")
        << HsvColor(45, 97, 67) << std::vector<int>{48, 100, 72, 83, 100, 50, 100, 33};
}

void tst_ColorPaletteLayout::shades()
{
    QFETCH(HsvColor, base);
    QFETCH(std::vector<int>, expected);

    showWindow();
    strip->updatePalettes(HsvColor(base.hue(), base.saturation(), base.value(), 128), Mono, 30);

    for (int s = 0; s < ColorPalette::StepCount; ++s) {
        const RgbColor want(HsvColor(base.hue(), expected[2 * s], expected[2 * s + 1], 128));
        ColorPaletteStep* step = strip->palette(0)->step(s);
        QVERIFY2(
            step->shownColor() == want,
            qPrintable(QStringLiteral("shade %1 is %2").arg(s).arg(rgbText(step->shownColor()))));
        QCOMPARE(rgbText(seenIn(step)), rgbText(RgbColor(want.red(), want.green(), want.blue())));
    }
}

void tst_ColorPaletteLayout::userSeesTilesAndShades()
{
    showWindow();
    strip->updatePalettes(HsvColor(350, 80, 70), Tetrad, 30);
    QVERIFY(QTest::qWaitFor([&] { return strip->palette(3)->step(3)->width() > 10; }));
    QCOMPARE(strip->height(), ColorPaletteLayout::StripHeight);

    for (int t = 0; t < ColorPaletteLayout::TileCount; ++t) {
        ColorPalette* tile = strip->palette(t);
        QCOMPARE(tile->height(), 60);
        const QImage image = tile->grab().toImage();
        const RgbColor top(image.pixel(image.width() / 2, 10));
        QVERIFY2(top == RgbColor(tile->shownColor()),
                 qPrintable(QStringLiteral("tile %1 shows %2").arg(t).arg(rgbText(top))));
        // Four 15 px shades in the bottom band, 5 px in from both sides, left to right.
        QCOMPARE(tile->step(0)->x(), 5);
        QCOMPARE(tile->step(3)->geometry().right(), tile->width() - 1 - 5);
        for (int s = 0; s < ColorPalette::StepCount; ++s) {
            const QRect cell = tile->step(s)->geometry();
            QCOMPARE(cell.top(), 40);
            QCOMPARE(cell.height(), 15);
            QVERIFY(s == 0 || cell.left() > tile->step(s - 1)->geometry().right());
            const RgbColor pixel(image.pixel(cell.center()));
            QVERIFY2(
                pixel == RgbColor(ColorPalette::shadeOf(tile->shownColor(), s)),
                qPrintable(
                    QStringLiteral("tile %1 shade %2 shows %3").arg(t).arg(s).arg(rgbText(pixel))));
        }
    }
}

void tst_ColorPaletteLayout::visibilityFollowsMode_data()
{
    QTest::addColumn<std::vector<int>>("modes");
    QTest::addColumn<QString>("visible"); // tiles 0..3 after the last mode

    QTest::newRow("first mono") << std::vector<int>{Mono} << "1000";
    QTest::newRow("first adjacent") << std::vector<int>{Adjacent} << "1110";
    QTest::newRow("first tetrad") << std::vector<int>{Tetrad} << "1111";
    QTest::newRow("tetrad, mono") << std::vector<int>{Tetrad, Mono} << "1000";
    QTest::newRow("tetrad, mono, adjacent") << std::vector<int>{Tetrad, Mono, Adjacent} << "1110";
    QTest::newRow("tetrad, triad") << std::vector<int>{Tetrad, Triad} << "1110";
    QTest::newRow("mono, tetrad") << std::vector<int>{Mono, Tetrad} << "1111";
    QTest::newRow("back and forth")
        << std::vector<int>{Adjacent, Tetrad, Adjacent, Tetrad, Mono, Triad} << "1110";
    QTest::newRow("same mode twice") << std::vector<int>{Mono, Mono} << "1000";
}

void tst_ColorPaletteLayout::visibilityFollowsMode()
{
    QFETCH(std::vector<int>, modes);
    QFETCH(QString, visible);

    showWindow();
    for (int mode : modes)
        strip->updatePalettes(HsvColor(40, 50, 60), mode, 30);
    QString shown;
    for (int t = 0; t < ColorPaletteLayout::TileCount; ++t)
        shown += strip->palette(t)->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(shown, visible);

    // Recolouring in the same mode leaves visibility to whoever changed it last.
    strip->palette(0)->hide();
    strip->updatePalettes(HsvColor(41, 50, 60), modes.back(), 30);
    QVERIFY(strip->palette(0)->isHidden());
}

void tst_ColorPaletteLayout::hiddenTilesKeepTheirColors()
{
    strip->updatePalettes(HsvColor(350, 50, 60), Tetrad, 30);
    strip->updatePalettes(HsvColor(100, 20, 30), Mono, 30);
    QCOMPARE(strip->palette(1)->shownColor().hue(), 20);
    QCOMPARE(strip->palette(3)->shownColor().hue(), 170);

    // Back to adjacent: tiles 1 and 2 are computed afresh; tile 3 stays hidden and as it was.
    strip->updatePalettes(HsvColor(100, 20, 30), Adjacent, 45);
    QCOMPARE(strip->palette(1)->shownColor(), HsvColor(145, 20, 30));
    QCOMPARE(strip->palette(2)->shownColor(), HsvColor(55, 20, 30));
    QVERIFY(strip->palette(3)->isHidden());
    QCOMPARE(strip->palette(3)->shownColor(), HsvColor(170, 50, 60));
}

// Recolouring paints only the tiles whose colors changed, and never touches a style sheet
// (re-polishing a widget is too slow for every step of a drag).
void tst_ColorPaletteLayout::onlyChangedTilesRepaint()
{
    showWindow();
    strip->updatePalettes(HsvColor(200, 60, 80), Tetrad, 30);
    QVERIFY(QTest::qWaitFor([&] { return strip->palette(3)->step(3)->width() > 10; }));
    QCoreApplication::processEvents();
    PaintRecorder recorder(*strip);

    strip->updatePalettes(HsvColor(200, 60, 80), Tetrad, 30);
    // Alpha is not painted, so an alpha change alone costs nothing either.
    strip->updatePalettes(HsvColor(200, 60, 80, 10), Tetrad, 30);
    // A new angle moves tiles 1 and 2 with their shades, not tiles 0 and 3.
    strip->updatePalettes(HsvColor(200, 60, 80), Tetrad, 40);
    QVERIFY(QTest::qWaitFor([&] {
        return recorder.painted.count(strip->palette(1)) &&
               recorder.painted.count(strip->palette(2));
    }));
    for (int t : {0, 3})
        for (QWidget* cell : cellsOf(*strip, t))
            QVERIFY2(!recorder.painted.count(cell), qPrintable(cell->metaObject()->className()));
    QCOMPARE(recorder.restyled, 0);
}

// On a grey every hue gives the same tiles, so switching between two modes that show the same
// tiles changes no color and no visibility: the strip must still get its width back from the
// layout after shrinking to its size hint.
void tst_ColorPaletteLayout::modeChangeOnGreyKeepsTheStripsWidth()
{
    showWindow();
    strip->updatePalettes(HsvColor(0, 0, 50), Adjacent, 30);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QRect laidOut = strip->geometry();
    QVERIFY(laidOut.width() > 400);
    strip->updatePalettes(HsvColor(0, 0, 50), Triad, 30);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(strip->geometry(), laidOut);
}

void tst_ColorPaletteLayout::skippedRepaintsNeverGoStale()
{
    showWindow();
    // Colors that go and come back (black is also the tiles' initial color), through modes
    // that hide and show tiles.
    const std::vector<std::pair<HsvColor, int>> sequence{
        {HsvColor(0, 0, 0), Tetrad},    {HsvColor(350, 80, 70), Adjacent},
        {HsvColor(0, 0, 0), Mono},      {HsvColor(350, 80, 70), Tetrad},
        {HsvColor(350, 80, 70), Triad}, {HsvColor(0, 0, 0), Tetrad}};
    for (const auto& [hsv, type] : sequence) {
        strip->updatePalettes(hsv, type, 30);
        for (int t = 0; t < ColorPaletteLayout::TileCount; ++t) {
            ColorPalette* tile = strip->palette(t);
            QCOMPARE(rgbText(seenIn(tile)), rgbText(RgbColor(tile->shownColor())));
            for (int s = 0; s < ColorPalette::StepCount; ++s)
                QCOMPARE(rgbText(seenIn(tile->step(s))), rgbText(tile->step(s)->shownColor()));
        }
    }
}

QTEST_MAIN(tst_ColorPaletteLayout)
#include "tst_ColorPaletteLayout.moc"
