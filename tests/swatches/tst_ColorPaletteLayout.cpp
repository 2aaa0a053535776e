#include "color/HsvColor.h"
#include "color/RgbColor.h"
#include "dialog/PaletteAngleType.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QVBoxLayout>
#include <QtTest>

#include <array>
#include <set>
#include <vector>

Q_DECLARE_METATYPE(HsvColor)
Q_DECLARE_METATYPE(std::vector<int>)
Q_DECLARE_METATYPE(Qt::MouseButton)

namespace {
constexpr int Monochromatic = static_cast<int>(PaletteAngleType::Monochromatic);
constexpr int Adjacent = static_cast<int>(PaletteAngleType::Adjacent);
constexpr int Triad = static_cast<int>(PaletteAngleType::Triad);
constexpr int Tetrad = static_cast<int>(PaletteAngleType::Tetrad);

QString styleOf(const RgbColor& rgb)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3)")
        .arg(rgb.red())
        .arg(rgb.green())
        .arg(rgb.blue());
}

QString describe(const HsvColor& hsv)
{
    return QStringLiteral("hsv(%1, %2, %3)").arg(hsv.hue()).arg(hsv.saturation()).arg(hsv.value());
}

QString describe(const RgbColor& rgb)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(rgb.red()).arg(rgb.green()).arg(rgb.blue());
}

bool sameRgb(const RgbColor& a, const RgbColor& b)
{
    return a.red() == b.red() && a.green() == b.green() && a.blue() == b.blue();
}

bool sameRgb(QRgb pixel, const RgbColor& rgb)
{
    return qRed(pixel) == rgb.red() && qGreen(pixel) == rgb.green() && qBlue(pixel) == rgb.blue();
}

// Records which tiles and shades of a strip had their style changed.
class StyleChangeRecorder : public QObject
{
public:
    explicit StyleChangeRecorder(ColorPaletteLayout& strip)
    {
        for (int t = 0; t < ColorPaletteLayout::TileCount; ++t) {
            strip.palette(t)->installEventFilter(this);
            for (int s = 0; s < ColorPalette::StepCount; ++s)
                strip.palette(t)->step(s)->installEventFilter(this);
        }
    }
    std::set<QObject*> changed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::StyleChange)
            changed.insert(watched);
        return false;
    }
};
} // namespace

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
    void tilesShowTheirColors();
    void visibilityFollowsMode_data();
    void visibilityFollowsMode();
    void sameModeLeavesVisibilityAlone();
    void hiddenTilesKeepTheirColors();
    void stripKeepsItsWidthAcrossModes_data();
    void stripKeepsItsWidthAcrossModes();
    void geometry_data();
    void geometry();
    void unchangedColorsCauseNoStyleWrites();
    void skippedWritesNeverGoStale();
    void picksWithoutDialogAreHarmless_data();
    void picksWithoutDialogAreHarmless();

private:
    QPointer<QWidget> window;
    QPointer<ColorPaletteLayout> strip;
};

void tst_ColorPaletteLayout::init()
{
    // As in the dialog, the strip sits in a layout that decides its width.
    window = new QWidget;
    strip = new ColorPaletteLayout(window);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(strip);
    window->resize(480, 80);
}

void tst_ColorPaletteLayout::cleanup()
{
    delete window;
}

void tst_ColorPaletteLayout::harmonyHues_data()
{
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("angle");
    // Expected hue of tiles 1..3; -1 for a tile the mode does not recolour.
    QTest::addColumn<int>("hue1");
    QTest::addColumn<int>("hue2");
    QTest::addColumn<int>("hue3");

    QTest::newRow("adjacent 350 wraps up") << 350 << Adjacent << 30 << 20 << 320 << -1;
    QTest::newRow("triad 350") << 350 << Triad << 30 << 200 << 140 << -1;
    QTest::newRow("tetrad 350") << 350 << Tetrad << 30 << 20 << 200 << 170;
    QTest::newRow("adjacent 10 wraps down") << 10 << Adjacent << 30 << 40 << 340 << -1;
    QTest::newRow("adjacent 330 reaches 360") << 330 << Adjacent << 30 << 360 << 300 << -1;
    QTest::newRow("tetrad 180 complement 0") << 180 << Tetrad << 30 << 210 << 30 << 0;
    QTest::newRow("tetrad 360 complement 180") << 360 << Tetrad << 30 << 30 << 210 << 180;
    QTest::newRow("triad 180 below zero") << 180 << Triad << 30 << 30 << 330 << -1;
    QTest::newRow("triad 0 widest angle") << 0 << Triad << 179 << 359 << 1 << -1;
    QTest::newRow("adjacent 0 widest angle") << 0 << Adjacent << 179 << 179 << 181 << -1;
    QTest::newRow("adjacent 359 narrowest angle") << 359 << Adjacent << 1 << 360 << 358 << -1;
    QTest::newRow("tetrad 200 angle 179") << 200 << Tetrad << 179 << 19 << 199 << 20;
    QTest::newRow("monochromatic ignores angle") << 120 << Monochromatic << 30 << -1 << -1 << -1;
}

void tst_ColorPaletteLayout::harmonyHues()
{
    QFETCH(int, hue);
    QFETCH(int, type);
    QFETCH(int, angle);
    QFETCH(int, hue1);
    QFETCH(int, hue2);
    QFETCH(int, hue3);

    // A recognisable color in the tiles the mode leaves alone.
    const HsvColor untouched(77, 11, 22);
    for (int t = 1; t < ColorPaletteLayout::TileCount; ++t)
        strip->palette(t)->setColor(untouched);

    const HsvColor current(hue, 64, 90, 200);
    strip->updatePalettes(current, type, angle);

    QCOMPARE(strip->palette(0)->shownColor().hue(), hue);
    const std::array<int, 3> expected{hue1, hue2, hue3};
    for (int t = 1; t < ColorPaletteLayout::TileCount; ++t) {
        const HsvColor shown = strip->palette(t)->shownColor();
        const int want = expected[t - 1];
        if (want < 0) {
            QVERIFY2(
                !(shown != untouched),
                qPrintable(QStringLiteral("tile %1 changed to %2").arg(t).arg(describe(shown))));
            continue;
        }
        QVERIFY2(
            shown.hue() == want,
            qPrintable(
                QStringLiteral("tile %1: hue %2, expected %3").arg(t).arg(shown.hue()).arg(want)));
        // Only the hue turns: saturation, value and alpha come from the current color.
        QCOMPARE(shown.saturation(), 64);
        QCOMPARE(shown.value(), 90);
        QCOMPARE(shown.alpha(), 200);
        QCOMPARE(strip->palette(t)->styleSheet(), styleOf(RgbColor(shown)));
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
    QTest::newRow("full color clamps both")
        << HsvColor(360, 100, 100) << std::vector<int>{50, 100, 75, 100, 100, 75, 100, 50};
    QTest::newRow("black stays black")
        << HsvColor(90, 0, 0) << std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("odd products") << HsvColor(45, 97, 67)
                                  << std::vector<int>{48, 100, 72, 83, 100, 50, 100, 33};
}

void tst_ColorPaletteLayout::shades()
{
    QFETCH(HsvColor, base);
    QFETCH(std::vector<int>, expected);

    const HsvColor current(base.hue(), base.saturation(), base.value(), 128);
    strip->updatePalettes(current, Monochromatic, 30);

    ColorPalette* tile = strip->palette(0);
    for (int s = 0; s < ColorPalette::StepCount; ++s) {
        const HsvColor shadeHsv(base.hue(), expected[2 * s], expected[2 * s + 1], 128);
        const RgbColor want(shadeHsv);
        const RgbColor got = tile->step(s)->shownColor();
        QVERIFY2(sameRgb(got, want), qPrintable(QStringLiteral("shade %1: %2, expected %3 from %4")
                                                    .arg(s)
                                                    .arg(describe(got))
                                                    .arg(describe(want))
                                                    .arg(describe(shadeHsv))));
        QCOMPARE(got.alpha(), 128);
        QCOMPARE(tile->step(s)->styleSheet(), styleOf(want));
    }
}

void tst_ColorPaletteLayout::tilesShowTheirColors()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const HsvColor current(350, 80, 70);
    strip->updatePalettes(current, Tetrad, 30);
    // Let the layouts place the tiles across the row again.
    QVERIFY(QTest::qWaitFor([&] { return strip->palette(3)->step(3)->width() > 10; }));

    for (int t = 0; t < ColorPaletteLayout::TileCount; ++t) {
        ColorPalette* tile = strip->palette(t);
        const QImage image = tile->grab().toImage();
        // The tile's own color above the shades, then each shade at its centre.
        const RgbColor tileRgb(tile->shownColor());
        QVERIFY2(
            sameRgb(image.pixel(image.width() / 2, 10), tileRgb),
            qPrintable(QStringLiteral("tile %1 should show %2").arg(t).arg(describe(tileRgb))));
        for (int s = 0; s < ColorPalette::StepCount; ++s) {
            ColorPaletteStep* step = tile->step(s);
            const QPoint centre = step->geometry().center();
            const RgbColor shadeRgb(ColorPalette::shadeOf(tile->shownColor(), s));
            QVERIFY2(sameRgb(image.pixel(centre), shadeRgb),
                     qPrintable(QStringLiteral("tile %1 shade %2 should show %3, shows %4")
                                    .arg(t)
                                    .arg(s)
                                    .arg(describe(shadeRgb))
                                    .arg(QColor(image.pixel(centre)).name())));
        }
    }
}

void tst_ColorPaletteLayout::visibilityFollowsMode_data()
{
    QTest::addColumn<std::vector<int>>("modes");
    // Tiles visible after the last mode, as a string of 0/1 for tiles 0..3.
    QTest::addColumn<QString>("visible");

    QTest::newRow("first monochromatic") << std::vector<int>{Monochromatic} << "1000";
    QTest::newRow("first adjacent") << std::vector<int>{Adjacent} << "1110";
    QTest::newRow("first triad") << std::vector<int>{Triad} << "1110";
    QTest::newRow("first tetrad") << std::vector<int>{Tetrad} << "1111";
    QTest::newRow("tetrad to monochromatic") << std::vector<int>{Tetrad, Monochromatic} << "1000";
    QTest::newRow("tetrad, mono, adjacent")
        << std::vector<int>{Tetrad, Monochromatic, Adjacent} << "1110";
    QTest::newRow("tetrad to triad") << std::vector<int>{Tetrad, Triad} << "1110";
    QTest::newRow("mono to tetrad") << std::vector<int>{Monochromatic, Tetrad} << "1111";
    QTest::newRow("back and forth")
        << std::vector<int>{Adjacent, Tetrad, Adjacent, Tetrad, Monochromatic, Triad} << "1110";
    QTest::newRow("unknown mode shows two companions") << std::vector<int>{Tetrad, 7} << "1110";
}

void tst_ColorPaletteLayout::visibilityFollowsMode()
{
    QFETCH(std::vector<int>, modes);
    QFETCH(QString, visible);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (int mode : modes)
        strip->updatePalettes(HsvColor(40, 50, 60), mode, 30);

    QString shown;
    for (int t = 0; t < ColorPaletteLayout::TileCount; ++t)
        shown += strip->palette(t)->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(shown, visible);
}

void tst_ColorPaletteLayout::sameModeLeavesVisibilityAlone()
{
    strip->updatePalettes(HsvColor(40, 50, 60), Tetrad, 30);
    // Something else hid tile 2; recolouring in the same mode must not bring it back,
    // as only a mode change decides what is shown.
    strip->palette(2)->hide();
    strip->updatePalettes(HsvColor(41, 50, 60), Tetrad, 30);
    QVERIFY(strip->palette(2)->isHidden());
    QCOMPARE(strip->palette(2)->shownColor().hue(), 221 + 30);

    strip->updatePalettes(HsvColor(42, 50, 60), Adjacent, 30);
    QVERIFY(!strip->palette(2)->isHidden());
}

void tst_ColorPaletteLayout::hiddenTilesKeepTheirColors()
{
    strip->updatePalettes(HsvColor(350, 50, 60), Tetrad, 30);
    strip->updatePalettes(HsvColor(100, 20, 30), Monochromatic, 30);
    QCOMPARE(strip->palette(1)->shownColor().hue(), 20);
    QCOMPARE(strip->palette(3)->shownColor().hue(), 170);

    // Back to adjacent: tiles 1 and 2 are computed afresh, tile 3 stays hidden and stale.
    strip->updatePalettes(HsvColor(100, 20, 30), Adjacent, 45);
    QCOMPARE(strip->palette(1)->shownColor().hue(), 145);
    QCOMPARE(strip->palette(2)->shownColor().hue(), 55);
    QCOMPARE(strip->palette(1)->shownColor().saturation(), 20);
    QVERIFY(strip->palette(3)->isHidden());
    QCOMPARE(strip->palette(3)->shownColor().hue(), 170);
}

void tst_ColorPaletteLayout::stripKeepsItsWidthAcrossModes_data()
{
    QTest::addColumn<std::vector<int>>("modes");
    QTest::newRow("first tetrad") << std::vector<int>{Tetrad};
    QTest::newRow("adjacent to triad") << std::vector<int>{Adjacent, Triad};
    QTest::newRow("triad, adjacent, mono") << std::vector<int>{Triad, Adjacent, Monochromatic};
}

void tst_ColorPaletteLayout::stripKeepsItsWidthAcrossModes()
{
    QFETCH(std::vector<int>, modes);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const int width = window->contentsRect().width() - window->layout()->contentsMargins().left() -
                      window->layout()->contentsMargins().right();
    for (int mode : modes) {
        strip->updatePalettes(HsvColor(10, 50, 50), mode, 30);
        QVERIFY2(QTest::qWaitFor([&] { return strip->width() == width; }),
                 qPrintable(QStringLiteral("mode %1: strip %2 px wide, room for %3")
                                .arg(mode)
                                .arg(strip->width())
                                .arg(width)));
    }
}

void tst_ColorPaletteLayout::geometry_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("tiles");
    QTest::newRow("monochromatic") << Monochromatic << 1;
    QTest::newRow("triad") << Triad << 3;
    QTest::newRow("tetrad") << Tetrad << 4;
}

void tst_ColorPaletteLayout::geometry()
{
    QFETCH(int, type);
    QFETCH(int, tiles);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    strip->updatePalettes(HsvColor(10, 50, 50), type, 30);
    QVERIFY(QTest::qWaitFor([&] { return strip->palette(0)->step(3)->width() > 10; }));
    QCOMPARE(strip->height(), 60);

    int right = -1;
    for (int t = 0; t < tiles; ++t) {
        ColorPalette* tile = strip->palette(t);
        QCOMPARE(tile->height(), 60);
        QVERIFY(tile->x() > right); // left to right, no overlap
        right = tile->geometry().right();
        QVERIFY(tile->width() > 10);

        // Four equal-height shades along the bottom, 5 px in from both sides.
        QCOMPARE(tile->step(0)->x(), 5);
        QCOMPARE(tile->step(3)->geometry().right(), tile->width() - 1 - 5);
        int stepRight = -1;
        for (int s = 0; s < ColorPalette::StepCount; ++s) {
            const QRect cell = tile->step(s)->geometry();
            QVERIFY2(cell.top() >= 40 && cell.bottom() <= 59,
                     qPrintable(QStringLiteral("shade %1 at %2..%3")
                                    .arg(s)
                                    .arg(cell.top())
                                    .arg(cell.bottom())));
            QCOMPARE(cell.height(), 15);
            QVERIFY(cell.left() > stepRight);
            stepRight = cell.right();
        }
    }
}

void tst_ColorPaletteLayout::unchangedColorsCauseNoStyleWrites()
{
    strip->updatePalettes(HsvColor(200, 60, 80), Tetrad, 30);
    StyleChangeRecorder recorder(*strip);

    strip->updatePalettes(HsvColor(200, 60, 80), Tetrad, 30);
    QVERIFY(recorder.changed.empty());

    // Alpha is not painted, so an alpha change alone costs nothing either.
    strip->updatePalettes(HsvColor(200, 60, 80, 10), Tetrad, 30);
    QVERIFY(recorder.changed.empty());

    // A new angle moves tiles 1 and 2 (and their shades) but not tiles 0 and 3.
    strip->updatePalettes(HsvColor(200, 60, 80), Tetrad, 40);
    for (int t = 0; t < ColorPaletteLayout::TileCount; ++t) {
        const bool moved = t == 1 || t == 2;
        ColorPalette* tile = strip->palette(t);
        QCOMPARE(recorder.changed.count(tile), std::size_t(moved));
        for (int s = 0; s < ColorPalette::StepCount; ++s)
            QCOMPARE(recorder.changed.count(tile->step(s)), std::size_t(moved));
    }
}

void tst_ColorPaletteLayout::skippedWritesNeverGoStale()
{
    // Colors that go away and come back, through modes that hide and show tiles.
    const std::vector<std::pair<HsvColor, int>> sequence{
        {HsvColor(0, 0, 0), Tetrad},        {HsvColor(350, 80, 70), Adjacent},
        {HsvColor(0, 0, 0), Monochromatic}, {HsvColor(350, 80, 70), Tetrad},
        {HsvColor(350, 80, 70), Triad},     {HsvColor(0, 0, 0), Tetrad}};
    for (const auto& [hsv, type] : sequence) {
        strip->updatePalettes(hsv, type, 30);
        for (int t = 0; t < ColorPaletteLayout::TileCount; ++t) {
            ColorPalette* tile = strip->palette(t);
            QCOMPARE(tile->styleSheet(), styleOf(RgbColor(tile->shownColor())));
            for (int s = 0; s < ColorPalette::StepCount; ++s)
                QCOMPARE(tile->step(s)->styleSheet(), styleOf(tile->step(s)->shownColor()));
        }
    }
}

void tst_ColorPaletteLayout::picksWithoutDialogAreHarmless_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("tile left") << -1 << Qt::LeftButton;
    QTest::newRow("tile right") << -1 << Qt::RightButton;
    QTest::newRow("shade left") << 2 << Qt::LeftButton;
    QTest::newRow("shade middle") << 0 << Qt::MiddleButton;
}

void tst_ColorPaletteLayout::picksWithoutDialogAreHarmless()
{
    QFETCH(int, step);
    QFETCH(Qt::MouseButton, button);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    strip->updatePalettes(HsvColor(120, 40, 40), Adjacent, 30);
    ColorPalette* tile = strip->palette(1);
    if (step < 0)
        QTest::mouseClick(tile, button, {}, QPoint(tile->width() / 2, 10));
    else
        QTest::mouseClick(tile->step(step), button);
    QCOMPARE(strip->palette(0)->shownColor().hue(), 120);
    QCOMPARE(tile->shownColor().hue(), 150);
}

QTEST_MAIN(tst_ColorPaletteLayout)
#include "tst_ColorPaletteLayout.moc"
