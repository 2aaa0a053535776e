#include "RecordingCallback.h"

#include "color/ColorValue.h"
#include "color/HexColor.h"
#include "dialog/ColorDorvoDialog.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"

#include "hostsdk/HostRuntime.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(Qt::MouseButton)

namespace {
AColor asHostColor(const ColorValue& value)
{
    float f[4];
    value.toFloats(f);
    return AColor(f[0], f[1], f[2], f[3]);
}
} // namespace

// The strip inside a real dialog: picks reach the dialog, the dialog's harmony controls
// reach the strip, and the host hears what it should.
class tst_ColorPaletteDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void picks_data();
    void picks();
    void pickKeepsAlpha();
    void switchesTellHostAtOnce_data();
    void switchesTellHostAtOnce();
    void angleRecoloursStripOnly();
    void modeButtons_data();
    void modeButtons();
    void stripFollowsSpinners();

private:
    void open(const QColor& color);
    template <typename T> T* child(const char* name) const
    {
        T* found = dialog->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no %s in the dialog", name);
        return found;
    }
    // Near the left edge: a radio button only answers clicks on its indicator and text.
    void clickButton(const char* name)
    {
        auto* button = child<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    ColorValue current() const { return dialog->GetCurrentColorValue(); }

    QTemporaryDir configDir;
    std::unique_ptr<MaxSDK::QmaxMainWindow> mainWindow;
    RecordingCallback callback;
    QPointer<ColorDorvoDialog> dialog;
    ColorPaletteLayout* strip = nullptr;
};

void tst_ColorPaletteDialog::initTestCase()
{
    QVERIFY(configDir.isValid());
    HostRuntime::SetPlugCfgDir(configDir.path());
    mainWindow = std::make_unique<MaxSDK::QmaxMainWindow>();
    HostRuntime::SetMainWindow(mainWindow.get());
}

void tst_ColorPaletteDialog::init()
{
    callback.notifications.clear();
}

void tst_ColorPaletteDialog::cleanup()
{
    delete dialog;
}

void tst_ColorPaletteDialog::open(const QColor& color)
{
    dialog = new ColorDorvoDialog(mainWindow.get(), color, 0, &callback, nullptr,
                                  QStringLiteral("Palette"));
    strip = child<ColorPaletteLayout>("colorPaletteWidget");
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    callback.notifications.clear();
}

void tst_ColorPaletteDialog::picks_data()
{
    QTest::addColumn<QColor>("start");
    QTest::addColumn<QString>("mode"); // the radio button to click
    QTest::addColumn<int>("tile");
    QTest::addColumn<int>("step"); // -1: the tile itself
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("changes");

    const QColor orange(230, 120, 40);
    QTest::newRow("adjacent tile")
        << orange << "adjacentRdBtn" << 1 << -1 << Qt::LeftButton << true;
    QTest::newRow("triad tile") << orange << "triadRdBtn" << 2 << -1 << Qt::LeftButton << true;
    QTest::newRow("tetrad complement")
        << orange << "tetradRdBtn" << 3 << -1 << Qt::LeftButton << true;
    QTest::newRow("shade of current")
        << orange << "monochromaticRdBtn" << 0 << 0 << Qt::LeftButton << true;
    QTest::newRow("shade of triad tile")
        << orange << "triadRdBtn" << 1 << 3 << Qt::LeftButton << true;
    // Grey 128 reads as HSV (0, 0, 51), which would convert back to 130: clicking the current
    // tile must leave the color exactly as it is.
    QTest::newRow("current tile") << QColor(128, 128, 128) << "adjacentRdBtn" << 0 << -1
                                  << Qt::LeftButton << false;
    QTest::newRow("right on tile")
        << orange << "adjacentRdBtn" << 1 << -1 << Qt::RightButton << false;
    QTest::newRow("middle on shade")
        << orange << "tetradRdBtn" << 3 << 1 << Qt::MiddleButton << false;
    QTest::newRow("right on shade")
        << orange << "adjacentRdBtn" << 0 << 2 << Qt::RightButton << false;
}

void tst_ColorPaletteDialog::picks()
{
    QFETCH(QColor, start);
    QFETCH(QString, mode);
    QFETCH(int, tile);
    QFETCH(int, step);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, changes);

    open(start);
    clickButton(qPrintable(mode));
    ColorPalette* palette = strip->palette(tile);
    QVERIFY(palette->isVisible());
    const ColorValue before = current();
    const ColorValue shown = step < 0 ? ColorValue(palette->shownColor())
                                      : ColorValue(palette->step(step)->shownColor());

    if (step < 0)
        QTest::mouseClick(palette, button, {}, QPoint(palette->width() / 2, 10));
    else
        QTest::mouseClick(palette->step(step), button);

    const ColorValue expected = changes ? shown : before;
    QCOMPARE(current().rgb(), expected.rgb());
    QCOMPARE(current().hsv(), expected.hsv());
    // The dialog's views follow, the strip included ...
    QCOMPARE(child<QLineEdit>("hexEditLine")->text(), HexColor(expected.rgb()).text());
    QCOMPARE(child<QSpinBox>("hueIntSpinner")->value(), expected.hsv().hue());
    QCOMPARE(strip->palette(0)->shownColor(), expected.hsv());
    // ... but a pick is not news for the host until the next notifying change.
    QCOMPARE(callback.changedCount(), 0);
    clickButton("acceptBtn");
    QCOMPARE(callback.changedCount(), 1);
    QCOMPARE(callback.last().color, asHostColor(expected));
}

void tst_ColorPaletteDialog::pickKeepsAlpha()
{
    open(QColor(30, 160, 90, 128));
    clickButton("adjacentRdBtn");
    QTest::mouseClick(strip->palette(1), Qt::LeftButton, {},
                      QPoint(strip->palette(1)->width() / 2, 10));
    QCOMPARE(current().rgb().alpha(), 128);
    // A shade's color, with the opacity of the color being edited.
    const RgbColor shade = strip->palette(0)->step(1)->shownColor();
    QTest::mouseClick(strip->palette(0)->step(1), Qt::LeftButton);
    QCOMPARE(current().rgb(), RgbColor(shade.red(), shade.green(), shade.blue(), 128));
    clickButton("acceptBtn");
    QCOMPARE(callback.last().color.a, 128 / 255.0f);
}

void tst_ColorPaletteDialog::switchesTellHostAtOnce_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QColor>("start");
    QTest::addColumn<QColor>("expected");
    // Hue 0 -> 180 keeps saturation and value; the inverse is 255 minus each channel.
    QTest::newRow("complementary of red")
        << "complementarySwitchBtn" << QColor(255, 0, 0) << QColor(0, 255, 255);
    QTest::newRow("invert") << "invertSwitchBtn" << QColor(10, 20, 30) << QColor(245, 235, 225);
}

void tst_ColorPaletteDialog::switchesTellHostAtOnce()
{
    QFETCH(QString, button);
    QFETCH(QColor, start);
    QFETCH(QColor, expected);

    open(start);
    clickButton("tetradRdBtn");
    clickButton(qPrintable(button));
    QCOMPARE(current().toQColor(), expected);
    QCOMPARE(callback.changedCount(), 1);
    QCOMPARE(callback.last().color, asHostColor(current()));
    QCOMPARE(strip->palette(0)->shownColor(), current().hsv());
}

void tst_ColorPaletteDialog::angleRecoloursStripOnly()
{
    open(QColor(40, 200, 60));
    clickButton("adjacentRdBtn");
    const ColorValue before = current();
    auto* angle = child<QSpinBox>("angleSpn");
    QVERIFY(angle->isEnabled());

    angle->setValue(45);
    QCOMPARE(strip->palette(1)->shownColor().hue(), before.hsv().hue() + 45);
    QCOMPARE(strip->palette(2)->shownColor().hue(), before.hsv().hue() - 45);
    QCOMPARE(current().rgb(), before.rgb());
    QCOMPARE(current().hsv(), before.hsv());
    QCOMPARE(callback.changedCount(), 0);
}

void tst_ColorPaletteDialog::modeButtons_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("visible"); // tiles 0..3
    QTest::addColumn<bool>("angleEnabled");

    QTest::newRow("mono") << QStringList{"tetradRdBtn", "monochromaticRdBtn"} << "1000" << false;
    QTest::newRow("adjacent") << QStringList{"monochromaticRdBtn", "adjacentRdBtn"} << "1110"
                              << true;
    QTest::newRow("triad") << QStringList{"tetradRdBtn", "triadRdBtn"} << "1110" << true;
    QTest::newRow("tetrad") << QStringList{"monochromaticRdBtn", "tetradRdBtn"} << "1111" << true;
    QTest::newRow("tetrad, mono, adjacent")
        << QStringList{"tetradRdBtn", "monochromaticRdBtn", "adjacentRdBtn"} << "1110" << true;
}

void tst_ColorPaletteDialog::modeButtons()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, visible);
    QFETCH(bool, angleEnabled);

    open(QColor(200, 40, 90));
    for (const QString& name : clicks)
        clickButton(qPrintable(name));
    QString shown;
    for (int t = 0; t < ColorPaletteLayout::TileCount; ++t)
        shown += strip->palette(t)->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(shown, visible);
    QCOMPARE(child<QSpinBox>("angleSpn")->isEnabled(), angleEnabled);
    QCOMPARE(callback.changedCount(), 0);
}

void tst_ColorPaletteDialog::stripFollowsSpinners()
{
    open(QColor(200, 40, 90));
    clickButton("adjacentRdBtn");
    auto* hue = child<QSpinBox>("hueIntSpinner");
    hue->setValue(100);
    QCOMPARE(strip->palette(0)->shownColor().hue(), 100);
    QCOMPARE(strip->palette(1)->shownColor().hue(), 100 + child<QSpinBox>("angleSpn")->value());
}

QTEST_MAIN(tst_ColorPaletteDialog)
#include "tst_ColorPaletteDialog.moc"
