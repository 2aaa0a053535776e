#include "DialogSupport.h"
#include "TestHost.h"

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "color/GammaForms.h"
#include "dialog/ColorDorvoDialog.h"
#include "dialog/ColorInfoLine.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/kit/AccessibilityEvents.h"
#include "host/services/SettingsStore.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"

#include "hostsdk/HostRuntime.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(ColorChannel)

namespace {

constexpr int kRed = static_cast<int>(ColorChannel::Red);

QString describe(const AColor& c)
{
    return QStringLiteral("(%1, %2, %3, %4)").arg(c.r).arg(c.g).arg(c.b).arg(c.a);
}

AColor unitColor(int red, int green, int blue, int alpha = 255)
{
    return AColor(red / 255.0f, green / 255.0f, blue / 255.0f, alpha / 255.0f);
}

bool sameColor(const AColor& a, const AColor& b)
{
    return a == b;
}

} // namespace

// One dialog on a plain main window with its own settings directory, driven as a user
// would drive it.
class tst_ColorDorvoDialog : public QObject
{
    Q_OBJECT

private:
    // A fresh folder and settings store for every test function.
    std::unique_ptr<TestHost> host;
    // Some tests let the dialog delete itself on close, so it is watched rather than owned.
    QPointer<ColorDorvoDialog> dialog;
    // Whether the last dialog opened reached the screen; checked after every test function.
    bool exposed = true;

    ColorDorvoDialog* open(const QColor& color, HSVCallback* cb)
    {
        dialog = new ColorDorvoDialog(&host->mainWindow, color, 0, cb, nullptr,
                                      QStringLiteral("Color Selector"));
        dialog->show();
        exposed = QTest::qWaitForWindowExposed(dialog);
        return dialog;
    }
    ColorDorvoDialog* open(const QColor& color = QColor(0, 0, 0))
    {
        return open(color, &host->callback);
    }

    template <typename T> T* find(const char* name) const { return childNamed<T>(dialog, name); }
    // The spinners with what they show, on the hidden page too.
    QSpinBox* intSpinner(const char* name) const
    {
        dialog->WriteHiddenSpinners();
        return find<QSpinBox>(name);
    }
    QDoubleSpinBox* floatSpinner(const char* name) const
    {
        dialog->WriteHiddenSpinners();
        return find<QDoubleSpinBox>(name);
    }
    QTimer* updateTimer() const { return dialog->findChild<QTimer*>(); }

    // Replaces the spinner's text as a user does: select it, type, press Return.
    static void typeInto(QAbstractSpinBox* spinner, const QString& text)
    {
        spinner->selectAll();
        QTest::keyClicks(spinner, text);
        QTest::keyClick(spinner, Qt::Key_Return);
    }
    void typeHex(const QString& text) const
    {
        QLineEdit* line = find<QLineEdit>("hexEditLine");
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    }
    // Radio buttons and check boxes answer only on their indicator and text, which sit
    // at the left of a button that a grid may have stretched.
    void click(const char* name) const
    {
        auto* button = find<QAbstractButton>(name);
        const bool checkable =
            qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                          checkable ? QPoint(8, button->height() / 2) : button->rect().center());
    }
    void useFloatSpinners() const { click("floatSpinnersRdBtn"); }
    void setSRgb(bool on) const
    {
        if (find<QCheckBox>("sRgbCheckBox")->isChecked() != on)
            click("sRgbCheckBox");
    }
    void clearNotifications() { host->callback.notifications.clear(); }
    // A move with the left button held (QTest's moves carry no buttons, so a widget
    // without mouse tracking would not see them).
    static void dragTo(QWidget* widget, const QPoint& pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    // Lets the debounce timer run out, however long that takes, without sleeping blindly.
    bool fireUpdateTimer() const
    {
        return QTest::qWaitFor([this] { return !updateTimer()->isActive(); }, 5000);
    }
    AColor current() const { return dialog->GetAColor(); }

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        QVERIFY(host->configDir.isValid());
        HostRuntime::ClearOutput();
    }
    void cleanup()
    {
        QVERIFY2(exposed, "the dialog was never exposed");
        exposed = true;
        delete dialog;
        host.reset();
    }

    void opensWithDefaultsWithoutSettingsFile();
    void formRangesAndTexts_data();
    void formRangesAndTexts();
    void opensOnTheGivenColor();
    void formTree_data();
    void formTree();

    void spinnerEditUpdatesOtherGroupsAndWaitsForTimer_data();
    void spinnerEditUpdatesOtherGroupsAndWaitsForTimer();
    void cmykEditRewritesItsOwnGroup();
    void burstOfEditsReachesHostOnce();
    void returnInSpinnerKeepsDialogOpen();
    void returnInUntouchedSpinnerChangesNothing_data();
    void returnInUntouchedSpinnerChangesNothing();

    void hostHearsOfEachSource_data();
    void hostHearsOfEachSource();
    void applyColorDoesNotReenterThroughSpinners();
    void sliderWritesSpinnersWithoutTimer_data();
    void sliderWritesSpinnersWithoutTimer();

    void displayForms_data();
    void displayForms();
    void typedValueIsStored_data();
    void typedValueIsStored();
    void switchingSpinnerTypeChangesNothingStored();
    void sRgbSwitchRedisplaysAndNotifies();

    void hexEntry_data();
    void hexEntry();
    void hexLineLeftUneditedChangesNothing();
    void hexLineShowsAllSixDigits_data();
    void hexLineShowsAllSixDigits();
    void fieldChoiceIsPrintedAndRemembered();

    void alphaEditSticks_data();
    void alphaEditSticks();

    void channelButtonSelectsSliderChannel();
    void sliderDragTellsHostAtRelease();
    void fieldDragTellsHostAtEachStep();
    void harmonyModeAndAngle();
    void complementaryAndInvert();

    void damagedSettingsFallBack_data();
    void damagedSettingsFallBack();
    void settingsSurviveReopening();

    void acceptReportsCurrentColor();
    void acceptWithoutCallbackIsSilent();
    void cancelAfterEditsRestoresHost_data();
    void cancelAfterEditsRestoresHost();
    void oneRefreshPerChange_data();
    void oneRefreshPerChange();
    void growsWithItsContent();
    void infoLineFollowsTheColor();
    void resetReturnsToInitialColor();
    void refreshRewritesHalfTypedSpinner();
    void installNewCallbackWhileOneIsInstalled();
    void setNewColorPackedWidensAlpha();
    void modifyColorKeepsInitialAndDoesNotEcho();
    void refreshAndGetters();
    void destroyClosesAndReportsOnce();
    void destructionReportsPositionOnce();
    void execReturnsResult();
};

void tst_ColorDorvoDialog::opensWithDefaultsWithoutSettingsFile()
{
    open();
    QVERIFY(find<QRadioButton>("valueRdBtn")->isChecked());
    QVERIFY(find<QRadioButton>("monochromaticRdBtn")->isChecked());
    QVERIFY(find<QRadioButton>("integerSpinnersRdBtn")->isChecked());
    QVERIFY(find<QCheckBox>("sRgbCheckBox")->isChecked());
    for (QStackedWidget* stack : dialog->findChildren<QStackedWidget*>(
             QRegularExpression(QStringLiteral("StackedSpinners$"))))
        QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(
        dialog
            ->findChildren<QStackedWidget*>(QRegularExpression(QStringLiteral("StackedSpinners$")))
            .size(),
        14);

    auto* angle = find<MaxSDK::QmaxSpinBox>("angleSpn");
    QCOMPARE(angle->value(), 30);
    QCOMPARE(angle->resetValue(), 30);
    QVERIFY(!angle->isEnabled());
    QCOMPARE(find<QPushButton>("swatchesBtn")->text(), QStringLiteral("v"));

    auto* fields = find<QComboBox>("colorFieldComboBox");
    QCOMPARE(fields->count(), 4);
    QCOMPARE(fields->itemText(0), QStringLiteral("Square"));
    QCOMPARE(fields->itemText(1), QStringLiteral("HSV Wheel"));
    QCOMPARE(fields->itemText(2), QStringLiteral("Hue Wheel"));
    QCOMPARE(fields->itemText(3), QStringLiteral("Mixing Canvas"));
    QCOMPARE(fields->currentIndex(), 0);

    QCOMPARE(dialog->windowTitle(), QStringLiteral("Color Selector"));
    QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(dialog->property("NoMaxAccelerators").toBool());
    QVERIFY(!find<QWidget>("canvasControlsLayout")->isVisible());
    // Never user-resizable.
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QVERIFY(!find<QPushButton>("pickColorBtn")->icon().isNull());
    QVERIFY(HostRuntime::DebugOutput().contains(QStringLiteral("opeing\n")));
    QVERIFY(host->callback.notifications.empty());
}

void tst_ColorDorvoDialog::formRangesAndTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("hue") << "hueIntSpinner" << 0 << 360;
    QTest::newRow("saturation") << "saturationIntSpinner" << 0 << 100;
    QTest::newRow("red") << "redIntSpinner" << 0 << 255;
    QTest::newRow("a") << "redGreenIntSpinner" << -128 << 127;
    QTest::newRow("b") << "blueYellowIntSpinner" << -128 << 127;
    QTest::newRow("key") << "keyIntSpinner" << 0 << 100;
    QTest::newRow("alpha") << "alphaIntSpinner" << 0 << 255;
    QTest::newRow("temperature") << "temperatureSpinner" << 1500 << 15000;
    QTest::newRow("angle") << "angleSpn" << 1 << 179;
    QTest::newRow("brush size") << "brushSizeSpn" << 1 << 100;
}

void tst_ColorDorvoDialog::formRangesAndTexts()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    open();
    auto* spinner = dialog->findChild<MaxSDK::QmaxSpinBox*>(name);
    QVERIFY2(spinner, qPrintable(name));
    QCOMPARE(spinner->minimum(), minimum);
    QCOMPARE(spinner->maximum(), maximum);

    QCOMPARE(find<QLabel>("angleLbl")->text(), QStringLiteral("Angle: "));
    QCOMPARE(find<QGroupBox>("cieLabGrpBox")->title(), QStringLiteral("CIE-Lab"));
    QCOMPARE(find<QPushButton>("pickColorBtn")->toolTip(),
             QStringLiteral("Pick color from screen"));
    auto* cyanFloat = floatSpinner("cyanFloatSpinner");
    QCOMPARE(cyanFloat->singleStep(), 0.01);
    QCOMPARE(floatSpinner("keyFloatSpinner")->singleStep(), 0.004);
    QCOMPARE(floatSpinner("keyFloatSpinner")->decimals(), 3);
}

void tst_ColorDorvoDialog::opensOnTheGivenColor()
{
    open(QColor(255, 128, 0));
    QCOMPARE(intSpinner("redIntSpinner")->value(), 255);
    QCOMPARE(intSpinner("greenIntSpinner")->value(), 128);
    QCOMPARE(intSpinner("blueIntSpinner")->value(), 0);
    QCOMPARE(intSpinner("hueIntSpinner")->value(), 30);
    QCOMPARE(find<QLineEdit>("hexEditLine")->text(), QStringLiteral("ff8000"));
    QCOMPARE(find<QLabel>("initColorLbl")->palette().color(QPalette::Window), QColor(255, 128, 0));
    QCOMPARE(find<QLabel>("currentColorLbl")->palette().color(QPalette::Window),
             QColor(255, 128, 0));
    QVERIFY(!updateTimer()->isActive());
}

void tst_ColorDorvoDialog::formTree_data()
{
    // What each layout holds, in order: object names, "|" for a spacer.
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("dialog") << "horizontalLayout" << QStringList{"baseVLayout"};
    // The swatch panel joins at the end at every opening, hidden unless it was left open.
    // The swatch panel joins at the end when it is first shown.
    QTest::newRow("base") << "baseHLayout" << QStringList{"staticVLayout", "verticalLayout_8"};
    QTest::newRow("static") << "staticHLayout"
                            << QStringList{"colorFieldVLayout", "colorSpinnersVLayout"};
    // The information line holds the paste status's place and keeps the status over itself.
    QTest::newRow("field column") << "colorFieldVLayout" << QStringList{"colorFieldComboBox",
                                                                        "colorFieldHLayout",
                                                                        "colorPaletteVLayout",
                                                                        "canvasControlsLayout",
                                                                        "|",
                                                                        "colorInfoLine",
                                                                        "colorStateGLayout"};
    QTest::newRow("field row") << "colorFieldHLayout"
                               << QStringList{"|", "colorFieldStack", "channelSlider", "|"};
    QTest::newRow("palette") << "colorPaletteVLayout"
                             << QStringList{"colorPaletteWidget", "colorPaletteRdBtnLayout",
                                            "compInvertHLayout"};
    QTest::newRow("spinner column")
        << "colorSpinnersVLayout"
        << QStringList{"colorSpnChangeHLayout", "colorSpinnersHLayout", "exitButtonsHLayout"};
    QTest::newRow("switches") << "colorSpnChangeHLayout"
                              << QStringList{"|", "sRgbCheckBox", "spinnerValueTypeLbl",
                                             "integerSpinnersRdBtn", "floatSpinnersRdBtn"};
    QTest::newRow("left") << "spinnersLeftVLayout"
                          << QStringList{"hsvGrpBox", "rgbGrpBox", "cieLabGrpBox", "|"};
    QTest::newRow("right") << "spinnersRightVLayout"
                           << QStringList{"cmykGrpBox", "temperatureGrpBox", "alphaGrpBox",
                                          "hexColorGrpBox", "|"};
    QTest::newRow("red row") << "redHLayout" << QStringList{"redRdBtn", "redStackedSpinners"};
    QTest::newRow("a row") << "aHLayout" << QStringList{"redGreenRdBtn", "redGreenStackedSpinners"};
    QTest::newRow("key row") << "keyHLayout" << QStringList{"keyLbl", "keyStackedSpinners"};
    QTest::newRow("hex") << "hexHLayout" << QStringList{"hexLbl", "|", "poundLbl", "hexEditLine"};
    QTest::newRow("swatch button") << "verticalLayout_8" << QStringList{"swatchesBtn", "|"};
}

void tst_ColorDorvoDialog::formTree()
{
    QFETCH(QString, layout);
    QFETCH(QStringList, items);
    open();
    auto* box = dialog->findChild<QLayout*>(layout);
    QVERIFY2(box, qPrintable(layout));
    QStringList found;
    for (int i = 0; i < box->count(); ++i) {
        QLayoutItem* item = box->itemAt(i);
        if (item->spacerItem())
            found << QStringLiteral("|");
        else if (item->widget())
            found << item->widget()->objectName();
        else
            found << item->layout()->objectName();
    }
    QCOMPARE(found, items);
}

void tst_ColorDorvoDialog::spinnerEditUpdatesOtherGroupsAndWaitsForTimer_data()
{
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QColor>("expected");
    QTest::addColumn<QString>("untouched");
    QTest::addColumn<int>("untouchedValue");
    // From grey 128: the edited group keeps what the user typed even where the color
    // recomputed from the other spaces would show something else.
    QTest::newRow("red") << "redIntSpinner"
                         << "200" << QColor(200, 128, 128) << "redIntSpinner" << 200;
    // RGB is rebuilt from the kept HSV record: value 51 gives 130.
    QTest::newRow("hue of a grey") << "hueIntSpinner"
                                   << "200" << QColor(130, 130, 130) << "hueIntSpinner" << 200;
    QTest::newRow("lightness") << "lightnessIntSpinner"
                               << "0" << QColor(0, 0, 0) << "redGreenIntSpinner" << 0;
    QTest::newRow("temperature") << "temperatureSpinner"
                                 << "6600" << QColor(255, 255, 255) << "temperatureSpinner" << 6600;
}

void tst_ColorDorvoDialog::spinnerEditUpdatesOtherGroupsAndWaitsForTimer()
{
    QFETCH(QString, spinner);
    QFETCH(QString, typed);
    QFETCH(QColor, expected);
    QFETCH(QString, untouched);
    QFETCH(int, untouchedValue);
    open(QColor(128, 128, 128));

    typeInto(dialog->findChild<QSpinBox*>(spinner), typed);

    const ColorValue now = dialog->GetCurrentColorValue();
    QCOMPARE(dialog->GetCurrentQColor(), expected);
    QCOMPARE(dialog->findChild<QSpinBox*>(untouched)->value(), untouchedValue);
    // Every other view follows at once...
    QCOMPARE(find<QLineEdit>("hexEditLine")->text(), now.hex().text());
    QCOMPARE(intSpinner("blueIntSpinner")->value(), now.rgb().blue());
    QCOMPARE(intSpinner("keyIntSpinner")->value(), now.cmyk().key());
    QCOMPARE(find<QLabel>("currentColorLbl")->palette().color(QPalette::Window), expected);
    // ...while the swatch of the initial color and the host wait.
    QCOMPARE(find<QLabel>("initColorLbl")->palette().color(QPalette::Window),
             QColor(128, 128, 128));
    QVERIFY(host->callback.notifications.empty());
    QVERIFY(updateTimer()->isActive());
    QCOMPARE(updateTimer()->interval(), 500);
    QVERIFY(updateTimer()->isSingleShot());

    QVERIFY(fireUpdateTimer());
    QCOMPARE(host->callback.changedCount(), 1);
    QVERIFY2(sameColor(host->callback.last().color, current()),
             qPrintable(describe(host->callback.last().color)));
    QCOMPARE(host->callback.last().buttonUp, TRUE);
}

void tst_ColorDorvoDialog::cmykEditRewritesItsOwnGroup()
{
    open(QColor(0, 0, 0));
    useFloatSpinners();
    // The group is rewritten on every keystroke, yet a two-decimal value stays typable.
    typeInto(floatSpinner("cyanFloatSpinner"), QStringLiteral("0.25"));
    QCOMPARE(floatSpinner("cyanFloatSpinner")->text(), QStringLiteral("0.250"));
    QCOMPARE(dialog->GetCurrentColorValue().cmyk().cyan(), 25);
    // Its integer twin is rewritten at once, unlike the twin of an RGB, HSV or Lab edit.
    QCOMPARE(intSpinner("cyanIntSpinner")->value(), 25);
    QCOMPARE(intSpinner("keyIntSpinner")->value(), 100);
    QCOMPARE(dialog->GetCurrentQColor(), QColor(0, 0, 0));
    typeInto(floatSpinner("redFloatSpinner"), QStringLiteral("0.5"));
    QCOMPARE(intSpinner("redIntSpinner")->value(), 0);
}

void tst_ColorDorvoDialog::burstOfEditsReachesHostOnce()
{
    open(QColor(10, 20, 30));
    typeInto(intSpinner("redIntSpinner"), QStringLiteral("100"));
    QVERIFY(updateTimer()->isActive());
    // Wait until the first countdown is well under way, then edit again: it starts over.
    QVERIFY(QTest::qWaitFor([this] { return updateTimer()->remainingTime() < 300; }, 5000));
    QVERIFY(host->callback.notifications.empty());
    typeInto(intSpinner("greenIntSpinner"), QStringLiteral("110"));
    QVERIFY(updateTimer()->remainingTime() > 300);
    typeInto(floatSpinner("blueFloatSpinner"), QStringLiteral("0"));
    QVERIFY(host->callback.notifications.empty());

    QVERIFY(fireUpdateTimer());
    QCOMPARE(host->callback.notifications.size(), size_t(1));
    QVERIFY(sameColor(host->callback.last().color, unitColor(100, 110, 0)));
}

void tst_ColorDorvoDialog::returnInSpinnerKeepsDialogOpen()
{
    open();
    typeInto(intSpinner("redIntSpinner"), QStringLiteral("10"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), 0);
    QCOMPARE(intSpinner("redIntSpinner")->value(), 10);
}

namespace {
enum class Source
{
    Spinner,
    AlphaSpinner,
    Hex,
    SRgbSwitch,
    SpinnerTypeSwitch,
    Reset,
    Complementary,
    Invert,
    HarmonyMode,
    Angle,
    ChannelButton,
    ViewLoud,
    ViewSilent,
    SliderStep,
    SliderRelease,
};
}
Q_DECLARE_METATYPE(Source)

void tst_ColorDorvoDialog::returnInUntouchedSpinnerChangesNothing_data()
{
    // A spin box reports its value again on Return. Stored again, the value shown would be
    // rounded again: each of these colors would change.
    QTest::addColumn<QColor>("color");
    QTest::addColumn<bool>("sRgb");
    QTest::addColumn<QString>("spinner");
    QTest::newRow("red linear") << QColor(10, 20, 30) << false << "redIntSpinner";
    QTest::newRow("value") << QColor(0, 95, 158) << true << "valueIntSpinner";
    QTest::newRow("temperature") << QColor(40, 10, 60) << true << "temperatureSpinner";
    QTest::newRow("hue float") << QColor(0, 95, 158) << true << "hueFloatSpinner";
}

void tst_ColorDorvoDialog::returnInUntouchedSpinnerChangesNothing()
{
    QFETCH(QColor, color);
    QFETCH(bool, sRgb);
    QFETCH(QString, spinner);
    open(color);
    setSRgb(sRgb);
    if (spinner.contains(QLatin1String("Float")))
        useFloatSpinners();
    const ColorValue before = dialog->GetCurrentColorValue();
    auto* box = dialog->findChild<QAbstractSpinBox*>(spinner);
    QVERIFY(box && box->isVisible());
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(10, box->height() / 2));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(dialog->GetCurrentColorValue() == before);
    QVERIFY(!updateTimer()->isActive());
}

void tst_ColorDorvoDialog::hostHearsOfEachSource_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<int>("heardAtOnce");
    QTest::addColumn<bool>("timerStarted");
    QTest::addColumn<bool>("colorChanges");
    QTest::newRow("integer spinner") << Source::Spinner << 0 << true << true;
    QTest::newRow("alpha spinner") << Source::AlphaSpinner << 0 << true << true;
    QTest::newRow("hex line") << Source::Hex << 1 << false << true;
    QTest::newRow("sRGB switch") << Source::SRgbSwitch << 1 << false << false;
    QTest::newRow("spinner type switch") << Source::SpinnerTypeSwitch << 0 << false << false;
    QTest::newRow("reset") << Source::Reset << 1 << false << false;
    QTest::newRow("complementary") << Source::Complementary << 1 << false << true;
    QTest::newRow("invert") << Source::Invert << 1 << false << true;
    QTest::newRow("harmony mode") << Source::HarmonyMode << 0 << false << false;
    QTest::newRow("angle") << Source::Angle << 0 << false << false;
    QTest::newRow("channel button") << Source::ChannelButton << 0 << false << false;
    QTest::newRow("view while dragging") << Source::ViewLoud << 1 << false << true;
    QTest::newRow("silent view") << Source::ViewSilent << 0 << false << true;
    QTest::newRow("slider step") << Source::SliderStep << 0 << false << true;
    QTest::newRow("slider release") << Source::SliderRelease << 1 << false << true;
}

void tst_ColorDorvoDialog::hostHearsOfEachSource()
{
    QFETCH(Source, source);
    QFETCH(int, heardAtOnce);
    QFETCH(bool, timerStarted);
    QFETCH(bool, colorChanges);
    open(QColor(200, 100, 50));
    const AColor before = current();

    switch (source) {
    case Source::Spinner:
        typeInto(intSpinner("greenIntSpinner"), QStringLiteral("20"));
        break;
    case Source::AlphaSpinner:
        typeInto(intSpinner("alphaIntSpinner"), QStringLiteral("20"));
        break;
    case Source::Hex:
        typeHex(QStringLiteral("102030"));
        break;
    case Source::SRgbSwitch:
        setSRgb(false);
        break;
    case Source::SpinnerTypeSwitch:
        useFloatSpinners();
        break;
    case Source::Reset:
        click("resetBtn");
        break;
    case Source::Complementary:
        click("complementarySwitchBtn");
        break;
    case Source::Invert:
        click("invertSwitchBtn");
        break;
    case Source::HarmonyMode:
        click("triadRdBtn");
        break;
    case Source::Angle:
        click("triadRdBtn");
        typeInto(find<QSpinBox>("angleSpn"), QStringLiteral("45"));
        break;
    case Source::ChannelButton:
        click("redRdBtn");
        break;
    case Source::ViewLoud:
        dialog->ViewColorChanged(ColorValue(1, 2, 3, 255), false);
        break;
    case Source::ViewSilent:
        dialog->ViewColorChanged(ColorValue(1, 2, 3, 255), true);
        break;
    case Source::SliderStep:
        dialog->SliderValueChanged(10, ColorChannel::Red, false);
        break;
    case Source::SliderRelease:
        dialog->SliderValueChanged(10, ColorChannel::Red, true);
        break;
    }

    QCOMPARE(host->callback.changedCount(), heardAtOnce);
    QCOMPARE(updateTimer()->isActive(), timerStarted);
    QCOMPARE(!sameColor(current(), before), colorChanges);
    if (heardAtOnce && source != Source::SliderRelease)
        QVERIFY2(sameColor(host->callback.last().color, current()),
                 qPrintable(describe(host->callback.last().color)));
    // The host hears the end of a drag with the color shown before the final step.
    if (source == Source::SliderRelease)
        QVERIFY(sameColor(host->callback.last().color, before));
}

void tst_ColorDorvoDialog::applyColorDoesNotReenterThroughSpinners()
{
    open(QColor(0, 0, 0));
    // A hue kept for a grey: if any spinner written during the update ran its handler,
    // the color would be rebuilt from that spinner's space and the hue lost. The writes are
    // quiet: no spinner reports a value the dialog wrote.
    const ColorValue grey(HsvColor(200, 0, 50));
    int signals_ = 0;
    for (QSpinBox* spinner : dialog->findChildren<QSpinBox*>())
        connect(spinner, QOverload<int>::of(&QSpinBox::valueChanged), this, [&] { ++signals_; });
    dialog->ViewColorChanged(grey, true);
    QCOMPARE(signals_, 0);
    QCOMPARE(dialog->GetCurrentHsv().hue(), 200);
    QCOMPARE(intSpinner("hueIntSpinner")->value(), 200);
    QCOMPARE(dialog->GetCurrentRgb().red(), grey.rgb().red());
    QVERIFY(!updateTimer()->isActive());
    QVERIFY(host->callback.notifications.empty());
}

void tst_ColorDorvoDialog::sliderWritesSpinnersWithoutTimer_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<bool>("sRgb");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("floatSpinner");
    QTest::addColumn<double>("floatShown");
    QTest::newRow("red") << ColorChannel::Red << true << 128 << "redIntSpinner" << 128
                         << "redFloatSpinner" << 0.502;
    QTest::newRow("red linear") << ColorChannel::Red << false << 128 << "redIntSpinner" << 56
                                << "redFloatSpinner" << 0.220;
    QTest::newRow("value linear") << ColorChannel::Value << false << 51 << "valueIntSpinner" << 23
                                  << "valueFloatSpinner" << 0.230;
    QTest::newRow("hue") << ColorChannel::Hue << true << 180 << "hueIntSpinner" << 180
                         << "hueFloatSpinner" << 0.5;
    QTest::newRow("b") << ColorChannel::BlueYellow << true << -128 << "blueYellowIntSpinner" << -128
                       << "blueYellowFloatSpinner" << 0.0;
}

void tst_ColorDorvoDialog::sliderWritesSpinnersWithoutTimer()
{
    QFETCH(ColorChannel, channel);
    QFETCH(bool, sRgb);
    QFETCH(int, value);
    QFETCH(QString, spinner);
    QFETCH(int, shown);
    QFETCH(QString, floatSpinner);
    QFETCH(double, floatShown);
    open(QColor(40, 200, 90));
    setSRgb(sRgb);
    clearNotifications();

    dialog->SliderValueChanged(value, channel, false);
    QCOMPARE(dialog->findChild<QSpinBox*>(spinner)->value(), shown);
    QCOMPARE(dialog->findChild<QDoubleSpinBox*>(floatSpinner)->value(), floatShown);
    QVERIFY(!updateTimer()->isActive());
    QVERIFY(host->callback.notifications.empty());

    // None and group codes are ignored.
    const AColor before = current();
    dialog->SliderValueChanged(17, ColorChannel::None, true);
    dialog->SliderValueChanged(17, ColorChannel::RgbGroup, false);
    QVERIFY(sameColor(current(), before));
    QVERIFY(host->callback.notifications.empty());
}

void tst_ColorDorvoDialog::displayForms_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<bool>("sRgb");
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("text");
    QTest::newRow("red stored") << QColor(128, 0, 0) << true << "redIntSpinner"
                                << "128";
    QTest::newRow("red linear") << QColor(128, 0, 0) << false << "redIntSpinner"
                                << "56";
    QTest::newRow("red linear float") << QColor(128, 0, 0) << false << "redFloatSpinner"
                                      << "0.220";
    QTest::newRow("red float") << QColor(128, 0, 0) << true << "redFloatSpinner"
                               << "0.502";
    QTest::newRow("value stored") << QColor(128, 128, 128) << true << "valueIntSpinner"
                                  << "51";
    QTest::newRow("value linear") << QColor(128, 128, 128) << false << "valueIntSpinner"
                                  << "23";
    QTest::newRow("hue ignores switch") << QColor(0, 255, 255) << false << "hueIntSpinner"
                                        << "180";
    QTest::newRow("hue float") << QColor(0, 255, 255) << true << "hueFloatSpinner"
                               << "0.500";
    QTest::newRow("alpha float") << QColor(10, 10, 10, 100) << true << "alphaFloatSpinner"
                                 << "0.392";
    // Each Lab float spinner shows its own channel: a and b differ for this color.
    QTest::newRow("a float") << QColor(200, 100, 50) << true << "redGreenFloatSpinner"
                             << "0.643";
    QTest::newRow("b float") << QColor(200, 100, 50) << true << "blueYellowFloatSpinner"
                             << "0.678";
}

void tst_ColorDorvoDialog::displayForms()
{
    QFETCH(QColor, color);
    QFETCH(bool, sRgb);
    QFETCH(QString, spinner);
    QFETCH(QString, text);
    open(color);
    setSRgb(sRgb);
    dialog->WriteHiddenSpinners();
    auto* box = dialog->findChild<QAbstractSpinBox*>(spinner);
    QVERIFY(box);
    QCOMPARE(box->text(), text);
}

void tst_ColorDorvoDialog::typedValueIsStored_data()
{
    // Every spinner of the column: what typing into it stores in its channel, and what its
    // twin (the other form of the same channel) shows afterwards. RGB, HSV, CIE-Lab and alpha
    // edits leave their group as typed, so the twin keeps its old text; a CMYK edit rewrites
    // its whole group.
    QTest::addColumn<QColor>("start");
    QTest::addColumn<bool>("sRgb");
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("twin");
    QTest::addColumn<QString>("twinText");
    using C = ColorChannel;
    const QColor grey(128, 128, 128);
    const QColor rust(200, 100, 50);
    // Integer spinners.
    QTest::newRow("hue") << rust << true << "hueIntSpinner"
                         << "200" << C::Hue << 200 << "hueFloatSpinner"
                         << "0.056";
    QTest::newRow("saturation") << rust << true << "saturationIntSpinner"
                                << "40" << C::Saturation << 40 << "saturationFloatSpinner"
                                << "0.750";
    QTest::newRow("value") << rust << true << "valueIntSpinner"
                           << "90" << C::Value << 90 << "valueFloatSpinner"
                           << "0.790";
    QTest::newRow("red") << grey << true << "redIntSpinner"
                         << "56" << C::Red << 56 << "redFloatSpinner"
                         << "0.502";
    QTest::newRow("green") << grey << true << "greenIntSpinner"
                           << "7" << C::Green << 7 << "greenFloatSpinner"
                           << "0.502";
    QTest::newRow("blue") << grey << true << "blueIntSpinner"
                          << "255" << C::Blue << 255 << "blueFloatSpinner"
                          << "0.502";
    QTest::newRow("lightness") << rust << true << "lightnessIntSpinner"
                               << "30" << C::Lightness << 30 << "lightnessFloatSpinner"
                               << "0.540";
    QTest::newRow("a") << rust << true << "redGreenIntSpinner"
                       << "-20" << C::RedGreen << -20 << "redGreenFloatSpinner"
                       << "0.643";
    QTest::newRow("b") << rust << true << "blueYellowIntSpinner"
                       << "10" << C::BlueYellow << 10 << "blueYellowFloatSpinner"
                       << "0.678";
    QTest::newRow("cyan") << grey << true << "cyanIntSpinner"
                          << "40" << C::Cyan << 40 << "cyanFloatSpinner"
                          << "0.400";
    QTest::newRow("magenta") << grey << true << "magentaIntSpinner"
                             << "30" << C::Magenta << 30 << "magentaFloatSpinner"
                             << "0.300";
    QTest::newRow("yellow") << grey << true << "yellowIntSpinner"
                            << "20" << C::Yellow << 20 << "yellowFloatSpinner"
                            << "0.200";
    QTest::newRow("key") << grey << true << "keyIntSpinner"
                         << "10" << C::Key << 10 << "keyFloatSpinner"
                         << "0.100";
    QTest::newRow("alpha") << grey << true << "alphaIntSpinner"
                           << "77" << C::Alpha << 77 << "alphaFloatSpinner"
                           << "1.000";
    QTest::newRow("temperature") << grey << true << "temperatureSpinner"
                                 << "6600" << C::Temperature << 6600 << "temperatureSpinner"
                                 << "6600";
    // Linear forms: 56 shown is 128 stored, and back.
    QTest::newRow("red linear") << grey << false << "redIntSpinner"
                                << "56" << C::Red << 128 << "redFloatSpinner"
                                << "0.220";
    QTest::newRow("saturation linear") << rust << false << "saturationIntSpinner"
                                       << "22" << C::Saturation << 50 << "saturationFloatSpinner"
                                       << "0.531";
    QTest::newRow("above range") << grey << true << "redIntSpinner"
                                 << "999" << C::Red << 99 << "redFloatSpinner"
                                 << "0.502";
    // Float spinners.
    QTest::newRow("hue float") << rust << true << "hueFloatSpinner"
                               << "1.000" << C::Hue << 360 << "hueIntSpinner"
                               << "20";
    QTest::newRow("saturation float") << rust << true << "saturationFloatSpinner"
                                      << "0.5" << C::Saturation << 50 << "saturationIntSpinner"
                                      << "75";
    QTest::newRow("value float") << rust << true << "valueFloatSpinner"
                                 << "0.25" << C::Value << 25 << "valueIntSpinner"
                                 << "79";
    QTest::newRow("red float") << grey << true << "redFloatSpinner"
                               << "0.2" << C::Red << 51 << "redIntSpinner"
                               << "128";
    QTest::newRow("green float") << grey << true << "greenFloatSpinner"
                                 << "1" << C::Green << 255 << "greenIntSpinner"
                                 << "128";
    QTest::newRow("blue float") << grey << true << "blueFloatSpinner"
                                << "0.1" << C::Blue << 26 << "blueIntSpinner"
                                << "128";
    QTest::newRow("lightness float") << rust << true << "lightnessFloatSpinner"
                                     << "0.3" << C::Lightness << 30 << "lightnessIntSpinner"
                                     << "54";
    QTest::newRow("a float") << rust << true << "redGreenFloatSpinner"
                             << "0.5" << C::RedGreen << 0 << "redGreenIntSpinner"
                             << "36";
    QTest::newRow("b float") << rust << true << "blueYellowFloatSpinner"
                             << "0.25" << C::BlueYellow << -64 << "blueYellowIntSpinner"
                             << "45";
    QTest::newRow("cyan float") << grey << true << "cyanFloatSpinner"
                                << "0.25" << C::Cyan << 25 << "cyanIntSpinner"
                                << "25";
    QTest::newRow("magenta float") << grey << true << "magentaFloatSpinner"
                                   << "0.5" << C::Magenta << 50 << "magentaIntSpinner"
                                   << "50";
    QTest::newRow("yellow float") << grey << true << "yellowFloatSpinner"
                                  << "0.75" << C::Yellow << 75 << "yellowIntSpinner"
                                  << "75";
    QTest::newRow("key float") << grey << true << "keyFloatSpinner"
                               << "0.25" << C::Key << 25 << "keyIntSpinner"
                               << "25";
    QTest::newRow("alpha float") << grey << true << "alphaFloatSpinner"
                                 << "0.5" << C::Alpha << 128 << "alphaIntSpinner"
                                 << "255";
    QTest::newRow("red float linear") << grey << false << "redFloatSpinner"
                                      << "0.22" << C::Red << 128 << "redIntSpinner"
                                      << "56";
}

void tst_ColorDorvoDialog::typedValueIsStored()
{
    QFETCH(QColor, start);
    QFETCH(bool, sRgb);
    QFETCH(QString, spinner);
    QFETCH(QString, typed);
    QFETCH(ColorChannel, channel);
    QFETCH(int, stored);
    QFETCH(QString, twin);
    QFETCH(QString, twinText);
    open(start);
    setSRgb(sRgb);
    if (spinner.contains(QLatin1String("Float")))
        useFloatSpinners();
    auto* box = dialog->findChild<QAbstractSpinBox*>(spinner);
    QVERIFY(box && box->isVisible());
    typeInto(box, typed);

    QCOMPARE(dialog->GetCurrentColorValue().channel(channel), stored);
    dialog->WriteHiddenSpinners();
    auto* other = dialog->findChild<QAbstractSpinBox*>(twin);
    QVERIFY(other);
    QCOMPARE(other->text(), twinText);
}

void tst_ColorDorvoDialog::switchingSpinnerTypeChangesNothingStored()
{
    open(QColor(12, 34, 56));
    const ColorValue before = dialog->GetCurrentColorValue();
    useFloatSpinners();
    for (QStackedWidget* stack : dialog->findChildren<QStackedWidget*>(
             QRegularExpression(QStringLiteral("StackedSpinners$"))))
        QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(floatSpinner("blueFloatSpinner")->text(), QStringLiteral("0.220"));
    click("integerSpinnersRdBtn");
    QCOMPARE(find<QStackedWidget>("alphaStackedSpinners")->currentIndex(), 0);
    QVERIFY(dialog->GetCurrentColorValue() == before);
    QVERIFY(host->callback.notifications.empty());
    QVERIFY(!updateTimer()->isActive());
}

void tst_ColorDorvoDialog::sRgbSwitchRedisplaysAndNotifies()
{
    open(QColor(128, 128, 128));
    setSRgb(false);
    QCOMPARE(intSpinner("redIntSpinner")->value(), 56);
    QCOMPARE(intSpinner("valueIntSpinner")->value(), 23);
    QCOMPARE(dialog->GetCurrentQColor(), QColor(128, 128, 128));
    QCOMPARE(host->callback.changedCount(), 1);
    setSRgb(true);
    QCOMPARE(intSpinner("redIntSpinner")->value(), 128);
    QCOMPARE(host->callback.changedCount(), 2);
}

void tst_ColorDorvoDialog::hexEntry_data()
{
    // An invalid QColor: the text is refused and the color stays as it was.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QColor>("color");
    QTest::newRow("web hex") << "#3a7bd5" << QColor(0x3a, 0x7b, 0xd5);
    QTest::newRow("no '#', upper case") << "3A7BD5" << QColor(0x3a, 0x7b, 0xd5);
    QTest::newRow("CSS shorthand") << "#3a7" << QColor(0x33, 0xaa, 0x77);
    QTest::newRow("alpha last") << "#3a7bd580" << QColor(0x3a, 0x7b, 0xd5, 0x80);
    QTest::newRow("CSS rgb()") << "rgb(58 123 213)" << QColor(58, 123, 213);
    QTest::newRow("CSS oklch()") << "oklch(62.8% 0.2577 29.23)" << QColor(255, 0, 0);
    QTest::newRow("outside sRGB, clipped") << "color(display-p3 1 0 0)" << QColor(255, 0, 0);
    QTest::newRow("script form") << "(color 58 123 213)" << QColor(58, 123, 213);
    QTest::newRow("five digits") << "3a7bd" << QColor();
    QTest::newRow("a seventh character") << "#3a7bd5x" << QColor();
    QTest::newRow("not hex") << "zzzzzz" << QColor();
    QTest::newRow("empty") << "" << QColor();
}

void tst_ColorDorvoDialog::hexEntry()
{
    QFETCH(QString, typed);
    QFETCH(QColor, color);
    const QColor before(9, 9, 9);
    open(before);
    typeHex(typed);
    const QString status = find<QLabel>("pasteStatusLbl")->text();
    if (!color.isValid()) {
        QCOMPARE(dialog->GetCurrentQColor(), before);
        QVERIFY(host->callback.notifications.empty());
        QCOMPARE(find<QLineEdit>("hexEditLine")->text(), typed);
        QVERIFY2(status.contains(QStringLiteral("not a color"), Qt::CaseInsensitive),
                 qPrintable(status));
        return;
    }
    QCOMPARE(dialog->GetCurrentQColor(), color);
    // Six digits again once taken, whatever was typed.
    QCOMPARE(find<QLineEdit>("hexEditLine")->text(), ColorValue(color).hex().text());
    QCOMPARE(intSpinner("redIntSpinner")->value(), color.red());
    // Reported at once, not through the timer.
    QCOMPARE(host->callback.changedCount(), 1);
    QVERIFY(sameColor(host->callback.last().color,
                      unitColor(color.red(), color.green(), color.blue(), color.alpha())));
    QVERIFY(!updateTimer()->isActive());
    QCOMPARE(status.isEmpty(), !typed.contains(QStringLiteral("display-p3")));
}

void tst_ColorDorvoDialog::hexLineShowsAllSixDigits_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::newRow("small font") << 6;
    QTest::newRow("large font") << 20;
}

// Fonts wider than the host's must not push digits out of the 50-pixel line; a font that fits
// keeps the form's width.
void tst_ColorDorvoDialog::hexLineShowsAllSixDigits()
{
    QFETCH(int, pointSize);
    const QFont before = QApplication::font();
    QFont font = before;
    font.setPointSize(pointSize);
    QApplication::setFont(font);
    open(QColor(0xdd, 0xdd, 0xdd));
    QLineEdit* line = find<QLineEdit>("hexEditLine");
    const int width = line->width();
    const int maximum = line->maximumWidth();
    const int text = line->fontMetrics().horizontalAdvance(line->text().toUpper());
    QApplication::setFont(before);
    QCOMPARE(line->text(), QStringLiteral("dddddd"));
    // Frame and QLineEdit's own margins take at least 2 + 2 pixels a side.
    QVERIFY2(width - 8 >= text,
             qPrintable(QStringLiteral("%1 px for %2 px of text").arg(width).arg(text)));
    if (pointSize == 6) {
        QCOMPARE(maximum, 50);
    }
}

void tst_ColorDorvoDialog::hexLineLeftUneditedChangesNothing()
{
    open(QColor(10, 20, 30));
    typeInto(intSpinner("alphaIntSpinner"), QStringLiteral("100"));
    QVERIFY(fireUpdateTimer());
    clearNotifications();
    QLineEdit* line = find<QLineEdit>("hexEditLine");
    QTest::keyClick(line, Qt::Key_Return);
    QTest::keyClick(line, Qt::Key_Home);
    QVERIFY(QMetaObject::invokeMethod(line, "editingFinished"));
    QCOMPARE(dialog->GetCurrentQColor(), QColor(10, 20, 30, 100));
    QVERIFY(host->callback.notifications.empty());
    // A real edit still counts, alpha and all: a typed hex color is opaque.
    typeHex(QStringLiteral("0a141e"));
    QCOMPARE(dialog->GetCurrentQColor(), QColor(10, 20, 30, 255));
    QCOMPARE(host->callback.changedCount(), 1);
}

void tst_ColorDorvoDialog::fieldChoiceIsPrintedAndRemembered()
{
    open();
    auto* fields = find<QComboBox>("colorFieldComboBox");
    fields->setCurrentIndex(2);
    QVERIFY(HostRuntime::ListenerOutput().contains(QStringLiteral("Set color field Hue Wheel\n")));
    QVERIFY(host->callback.notifications.empty());
    delete dialog;
    QVariant page = -1;
    ReadSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("ColorField"), page);
    QCOMPARE(page.toInt(), 2);
    open();
    QCOMPARE(find<QComboBox>("colorFieldComboBox")->currentIndex(), 2);
}

void tst_ColorDorvoDialog::alphaEditSticks_data()
{
    QTest::addColumn<bool>("floats");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("alpha");
    QTest::newRow("integer") << false << "100" << 100;
    QTest::newRow("float") << true << "0.5" << 128;
}

void tst_ColorDorvoDialog::alphaEditSticks()
{
    QFETCH(bool, floats);
    QFETCH(QString, typed);
    QFETCH(int, alpha);
    open(QColor(10, 20, 30));
    if (floats)
        useFloatSpinners();
    typeInto(floats ? static_cast<QAbstractSpinBox*>(floatSpinner("alphaFloatSpinner"))
                    : intSpinner("alphaIntSpinner"),
             typed);
    QCOMPARE(dialog->GetCurrentRgb().alpha(), alpha);
    QCOMPARE(dialog->GetCurrentQColor(), QColor(10, 20, 30, alpha));
    QCOMPARE(intSpinner("redIntSpinner")->value(), 10);
    QVERIFY(host->callback.notifications.empty());
    QVERIFY(fireUpdateTimer());
    QCOMPARE(intSpinner("alphaIntSpinner")->value(), alpha);
    QCOMPARE(host->callback.changedCount(), 1);
    QVERIFY(sameColor(host->callback.last().color, unitColor(10, 20, 30, alpha)));
}

void tst_ColorDorvoDialog::channelButtonSelectsSliderChannel()
{
    open(QColor(10, 200, 30));
    auto* field = dialog->findChild<ColorField*>();
    auto* slider = dialog->findChild<ColorSlider*>();
    QVERIFY(field && field->isVisible());
    QVERIFY(slider && slider->isVisible());
    QCOMPARE(field->shownChannel(), ColorChannel::Value);
    QCOMPARE(slider->shownChannel(), ColorChannel::Value);

    click("redRdBtn");
    QCOMPARE(find<QButtonGroup>("colorSliderBtnGrp")->checkedId(), kRed);
    QCOMPARE(field->shownChannel(), ColorChannel::Red);
    QCOMPARE(slider->shownChannel(), ColorChannel::Red);
    for (QAbstractButton* button : find<QButtonGroup>("colorSliderBtnGrp")->buttons())
        QVERIFY(button->isEnabled());
    QVERIFY(host->callback.notifications.empty());
    delete dialog;
    // The choice is remembered for the next dialog.
    open();
    QVERIFY(find<QRadioButton>("redRdBtn")->isChecked());
    QCOMPARE(dialog->findChild<ColorSlider*>()->shownChannel(), ColorChannel::Red);
}

void tst_ColorDorvoDialog::sliderDragTellsHostAtRelease()
{
    open(QColor(10, 200, 30));
    click("redRdBtn");
    auto* slider = dialog->findChild<ColorSlider*>();
    const int x = slider->width() / 2;
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 200));
    dragTo(slider, QPoint(x, 100));
    // Each step lands in the red spinner at once; nothing is reported during the drag.
    const int dragged = slider->valueAt(100);
    QCOMPARE(intSpinner("redIntSpinner")->value(), dragged);
    QCOMPARE(dialog->GetCurrentRgb().red(), dragged);
    QVERIFY(host->callback.notifications.empty());
    QVERIFY(!updateTimer()->isActive());

    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 100));
    QCOMPARE(host->callback.notifications.size(), size_t(1));
    QVERIFY(sameColor(host->callback.last().color, unitColor(dragged, 200, 30)));
    QVERIFY(!updateTimer()->isActive());
}

void tst_ColorDorvoDialog::fieldDragTellsHostAtEachStep()
{
    open(QColor(10, 200, 30));
    auto* field = dialog->findChild<ColorField*>();
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    const size_t afterPress = host->callback.notifications.size();
    QCOMPARE(afterPress, size_t(1));
    dragTo(field, QPoint(200, 180));
    QCOMPARE(host->callback.notifications.size(), size_t(2));
    const QColor picked = field->colorAt(QPoint(200, 180)).toQColor();
    QCOMPARE(dialog->GetCurrentQColor(), picked);
    QVERIFY(sameColor(host->callback.last().color, current()));
    QCOMPARE(intSpinner("greenIntSpinner")->value(), picked.green());
    // The release picks once more but tells the host nothing new.
    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, QPoint(200, 180));
    QCOMPARE(host->callback.notifications.size(), size_t(2));
    QCOMPARE(dialog->GetCurrentQColor(), picked);
}

void tst_ColorDorvoDialog::harmonyModeAndAngle()
{
    open(QColor(255, 0, 0));
    auto* angle = find<QSpinBox>("angleSpn");
    auto* strip = find<ColorPaletteLayout>("colorPaletteWidget");
    QCOMPARE(strip->harmonyType(), 0);
    click("tetradRdBtn");
    QVERIFY(angle->isEnabled());
    QCOMPARE(strip->harmonyType(), 3);
    const int hueAt30 = strip->palette(1)->shownColor().hue();
    typeInto(angle, QStringLiteral("45"));
    QCOMPARE(angle->value(), 45);
    QCOMPARE(strip->palette(1)->shownColor().hue() - hueAt30, 15);
    click("monochromaticRdBtn");
    QVERIFY(!angle->isEnabled());
    QCOMPARE(strip->harmonyType(), 0);
    QCOMPARE(angle->value(), 45);
    // The strip follows the color; the color does not follow the strip's settings.
    QCOMPARE(dialog->GetCurrentQColor(), QColor(255, 0, 0));
    QVERIFY(host->callback.notifications.empty());
    QVERIFY(!updateTimer()->isActive());
    typeInto(intSpinner("hueIntSpinner"), QStringLiteral("120"));
    QCOMPARE(strip->palette(0)->shownColor().hue(), 120);
}

void tst_ColorDorvoDialog::complementaryAndInvert()
{
    open(QColor(255, 0, 0));
    auto* complementary = find<QPushButton>("complementarySwitchBtn");
    QTest::mouseClick(complementary, Qt::LeftButton);
    QCOMPARE(dialog->GetCurrentHsv().hue(), 180);
    QCOMPARE(intSpinner("hueIntSpinner")->value(), 180);
    QTest::mouseClick(complementary, Qt::LeftButton);
    QCOMPARE(dialog->GetCurrentHsv().hue(), 0);

    dialog->ViewColorChanged(ColorValue(10, 20, 30, 40), true);
    click("invertSwitchBtn");
    QCOMPARE(dialog->GetCurrentQColor(), QColor(245, 235, 225, 255));
    QCOMPARE(intSpinner("alphaIntSpinner")->value(), 255);
    QCOMPARE(host->callback.changedCount(), 3);
}

void tst_ColorDorvoDialog::damagedSettingsFallBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("checkedButton");
    QTest::addColumn<int>("comboIndex");
    QTest::newRow("slider channel is a group code")
        << "ColorSlider" << QVariant(5) << "valueRdBtn" << 0;
    QTest::newRow("slider channel out of range")
        << "ColorSlider" << QVariant(99) << "valueRdBtn" << 0;
    QTest::newRow("slider channel text") << "ColorSlider" << QVariant("blue") << "valueRdBtn" << 0;
    QTest::newRow("slider channel valid")
        << "ColorSlider" << QVariant(12) << "blueYellowRdBtn" << 0;
    QTest::newRow("harmony out of range")
        << "PaletteAngleType" << QVariant(4) << "monochromaticRdBtn" << 0;
    QTest::newRow("harmony negative")
        << "PaletteAngleType" << QVariant(-1) << "monochromaticRdBtn" << 0;
    QTest::newRow("harmony valid") << "PaletteAngleType" << QVariant(3) << "tetradRdBtn" << 0;
    QTest::newRow("spinner type out of range")
        << "ColorSpinnerType" << QVariant(2) << "integerSpinnersRdBtn" << 0;
    QTest::newRow("spinner type valid")
        << "ColorSpinnerType" << QVariant(1) << "floatSpinnersRdBtn" << 0;
    QTest::newRow("field page out of range") << "ColorField" << QVariant(4) << "valueRdBtn" << 0;
    QTest::newRow("field page negative") << "ColorField" << QVariant(-3) << "valueRdBtn" << 0;
    QTest::newRow("field page of the canvas") << "ColorField" << QVariant(3) << "valueRdBtn" << 3;
}

void tst_ColorDorvoDialog::damagedSettingsFallBack()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QString, checkedButton);
    QFETCH(int, comboIndex);
    WriteSetting(QStringLiteral("ColorDorvoDialog"), key, stored);
    open();
    QVERIFY2(dialog->findChild<QRadioButton*>(checkedButton)->isChecked(),
             qPrintable(checkedButton));
    for (const char* group : {"colorSliderBtnGrp", "colorPaletteBtnGrp", "colorSpinnerRangeBtnGrp"})
        QVERIFY2(find<QButtonGroup>(group)->checkedButton(), group);
    QCOMPARE(find<QComboBox>("colorFieldComboBox")->currentIndex(), comboIndex);
    QCOMPARE(find<QStackedWidget>("alphaStackedSpinners")->currentIndex(),
             find<QButtonGroup>("colorSpinnerRangeBtnGrp")->checkedId());
    QCOMPARE(find<QSpinBox>("angleSpn")->isEnabled(),
             find<QButtonGroup>("colorPaletteBtnGrp")->checkedId() != 0);
}

void tst_ColorDorvoDialog::settingsSurviveReopening()
{
    open();
    click("triadRdBtn");
    typeInto(find<QSpinBox>("angleSpn"), QStringLiteral("45"));
    click("hueRdBtn");
    useFloatSpinners();
    setSRgb(false);
    delete dialog;
    // Through the file, as after a restart of the host.
    CloseSettingsStore();
    OpenSettingsStore();

    open();
    QVERIFY(find<QRadioButton>("triadRdBtn")->isChecked());
    QCOMPARE(find<QSpinBox>("angleSpn")->value(), 45);
    QVERIFY(find<QSpinBox>("angleSpn")->isEnabled());
    QVERIFY(find<QRadioButton>("hueRdBtn")->isChecked());
    QVERIFY(find<QRadioButton>("floatSpinnersRdBtn")->isChecked());
    QCOMPARE(find<QStackedWidget>("redStackedSpinners")->currentIndex(), 1);
    QVERIFY(!find<QCheckBox>("sRgbCheckBox")->isChecked());
    QVariant page = -1;
    ReadSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("ColorSlider"), page);
    QCOMPARE(page.toInt(), 6);
}

void tst_ColorDorvoDialog::acceptReportsCurrentColor()
{
    open(QColor(1, 2, 3));
    typeInto(intSpinner("redIntSpinner"), QStringLiteral("250"));
    click("acceptBtn");
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(host->callback.notifications.size(), size_t(1));
    QVERIFY(sameColor(host->callback.last().color, unitColor(250, 2, 3)));
    // The pending report would only repeat what accepting said.
    QVERIFY(!updateTimer()->isActive());
}

void tst_ColorDorvoDialog::acceptWithoutCallbackIsSilent()
{
    open(QColor(1, 2, 3), nullptr);
    typeInto(intSpinner("blueIntSpinner"), QStringLiteral("99"));
    QVERIFY(fireUpdateTimer());
    click("acceptBtn");
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(sameColor(dialog->GetAColor(), unitColor(1, 2, 99)));
    QVERIFY(host->callback.notifications.empty());
}

void tst_ColorDorvoDialog::cancelAfterEditsRestoresHost_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel button") << "cancel";
    QTest::newRow("Escape") << "escape";
    // The title bar's close or Alt+F4: the window system asks the dialog to close.
    QTest::newRow("closed by the window system") << "close";
}

void tst_ColorDorvoDialog::cancelAfterEditsRestoresHost()
{
    QFETCH(QString, how);
    open(QColor(50, 60, 70));
    typeInto(intSpinner("redIntSpinner"), QStringLiteral("200"));
    QVERIFY(fireUpdateTimer());
    typeInto(intSpinner("greenIntSpinner"), QStringLiteral("210"));
    QVERIFY(updateTimer()->isActive());
    if (how == QLatin1String("cancel")) {
        click("cancelBtn");
    } else if (how == QLatin1String("escape")) {
        QTest::keyClick(intSpinner("greenIntSpinner"), Qt::Key_Escape);
    } else {
        QCloseEvent close;
        QApplication::sendEvent(dialog, &close);
    }
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(host->callback.changedCount(), 2);
    QVERIFY(sameColor(host->callback.last().color, unitColor(50, 60, 70)));
    // The edit still waiting to be reported must not overwrite the restored color.
    QVERIFY(!updateTimer()->isActive());
}

void tst_ColorDorvoDialog::oneRefreshPerChange_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("slider step") << "slider";
    QTest::newRow("slider step, sRGB off") << "linear slider";
    QTest::newRow("typed digit") << "spinner";
    QTest::newRow("typed float digit") << "float spinner";
    QTest::newRow("hex entry") << "hex";
    QTest::newRow("key on the field") << "key";
    QTest::newRow("click on the field") << "click";
}

// Every change of color brings the views up to date once: a slider step goes into its
// spinners as typed there, but the model and views follow once, not per spinner.
void tst_ColorDorvoDialog::oneRefreshPerChange()
{
    QFETCH(QString, source);
    open(QColor(200, 100, 50));
    click("redRdBtn");
    auto* slider = dialog->findChild<ColorSlider*>(QStringLiteral("channelSlider"));
    const int x = slider->width() / 2;
    if (source.contains(QLatin1String("slider"))) {
        setSRgb(!source.contains(QLatin1String("linear")));
        QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 200));
    }
    if (source == QLatin1String("float spinner"))
        useFloatSpinners();
    const int before = dialog->ViewRefreshCount();
    if (source.contains(QLatin1String("slider"))) {
        dragTo(slider, QPoint(x, 60));
    } else if (source == QLatin1String("spinner")) {
        intSpinner("greenIntSpinner")->selectAll();
        QTest::keyClick(intSpinner("greenIntSpinner"), Qt::Key_7);
    } else if (source == QLatin1String("float spinner")) {
        floatSpinner("greenFloatSpinner")->selectAll();
        QTest::keyClick(floatSpinner("greenFloatSpinner"), Qt::Key_1);
    } else if (source == QLatin1String("key")) {
        QTest::keyClick(dialog->findChild<ColorField*>(), Qt::Key_Up);
    } else if (source == QLatin1String("click")) {
        auto* field = dialog->findChild<ColorField*>();
        QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
        QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
    } else {
        typeHex(QStringLiteral("123456"));
    }
    QCOMPARE(dialog->ViewRefreshCount() - before, 1);
    // The stored value is what the integer spinner shows, read back as typed.
    const int shown = intSpinner("redIntSpinner")->value();
    const bool sRgb = find<QCheckBox>("sRgbCheckBox")->isChecked();
    if (source.contains(QLatin1String("slider")))
        QCOMPARE(dialog->GetCurrentRgb().red(), sRgb ? shown : channelFromLinear(shown));
}

void tst_ColorDorvoDialog::growsWithItsContent()
{
    open();
    const QSize before = dialog->size();
    QCOMPARE(before, before.expandedTo(dialog->layout()->totalMinimumSize()));
    QCOMPARE(dialog->minimumSize(), before);
    QCOMPARE(dialog->maximumSize(), before);
    // Content added after construction (an expanded group, the swatch panel) gets its room...
    auto* extra = new QWidget;
    extra->setFixedSize(300, before.height() + 100);
    dialog->layout()->addWidget(extra);
    extra->show();
    dialog->FixSize();
    QVERIFY(dialog->width() >= before.width());
    QVERIFY(dialog->height() >= before.height() + 100);
    QCOMPARE(dialog->minimumSize(), dialog->size());
    QCOMPARE(dialog->maximumSize(), dialog->size());
    // Nothing is squeezed below what the layout needs.
    QCOMPARE(dialog->size(), dialog->size().expandedTo(dialog->layout()->minimumSize()));
    // ...and gives it back when it goes.
    delete extra;
    dialog->FixSize();
    QCOMPARE(dialog->size(), before);
}

void tst_ColorDorvoDialog::infoLineFollowsTheColor()
{
    open(QColor(0, 0, 0));
    auto* line = dialog->findChild<ColorInfoLine*>();
    QVERIFY(line && line->isVisible());
    // In the paste status's row, under the status: no row of its own.
    QCOMPARE(line->geometry(), find<QLabel>("pasteStatusLbl")->geometry());
    QCOMPARE(line->text(), QString::fromUtf8("≈ black · 1:1"));

    int heard = 0;
    AccessibilityEvents::setObserver([&heard, line](QAccessibleEvent& event) {
        heard += event.object() == line && event.type() == QAccessible::NameChanged;
    });
    // Lab a = 127 at lightness 0 lies far outside sRGB.
    find<QSpinBox>("redGreenIntSpinner")->setValue(127);
    AccessibilityEvents::setObserver(nullptr);
    QVERIFY(line->clipMarked());
    QCOMPARE(heard, 1);

    typeHex(QStringLiteral("ffffff"));
    QCOMPARE(line->text(), QString::fromUtf8("≈ white · 21:1"));
}

void tst_ColorDorvoDialog::resetReturnsToInitialColor()
{
    open(QColor(50, 60, 70));
    typeHex(QStringLiteral("ffffff"));
    click("resetBtn");
    QCOMPARE(dialog->GetCurrentQColor(), QColor(50, 60, 70));
    QCOMPARE(intSpinner("redIntSpinner")->value(), 50);
    QVERIFY(dialog->isVisible());
    QVERIFY(sameColor(host->callback.last().color, unitColor(50, 60, 70)));
}

// Spinners already showing a value are not rewritten on a refresh, but one whose text was
// erased still shows its value again when the color comes round, even an unchanged one.
void tst_ColorDorvoDialog::refreshRewritesHalfTypedSpinner()
{
    open(QColor(50, 60, 70));
    QSpinBox* green = intSpinner("greenIntSpinner");
    green->setFocus();
    green->selectAll();
    QTest::keyClick(green, Qt::Key_Backspace);
    QCOMPARE(green->text(), QString());
    dialog->ViewColorChanged(ColorValue(50, 60, 70, 255), true);
    QCOMPARE(green->text(), QStringLiteral("60"));
    QCOMPARE(green->value(), 60);
}

void tst_ColorDorvoDialog::installNewCallbackWhileOneIsInstalled()
{
    open(QColor(10, 10, 10));
    dialog->ViewColorChanged(ColorValue(20, 30, 40, 255), true);
    clearNotifications();
    RecordingCallback incoming;
    dialog->InstallNewCB(unitColor(255, 0, 0), &incoming, L"Light Color");

    QCOMPARE(host->callback.notifications.size(), size_t(1));
    QVERIFY(sameColor(host->callback.last().color, unitColor(20, 30, 40)));
    QCOMPARE(incoming.notifications.size(), size_t(1));
    QVERIFY(sameColor(incoming.last().color, unitColor(255, 0, 0)));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Light Color"));
    QCOMPARE(find<QLabel>("initColorLbl")->palette().color(QPalette::Window), QColor(255, 0, 0));

    // The new owner hears everything from now on, including the end of the dialog.
    click("invertSwitchBtn");
    delete dialog;
    QCOMPARE(host->callback.notifications.size(), size_t(1));
    QCOMPARE(incoming.notifications.size(), size_t(3));
    QCOMPARE(int(incoming.last().kind), int(RecordingCallback::Notification::Destroyed));
}

void tst_ColorDorvoDialog::setNewColorPackedWidensAlpha()
{
    open(QColor(1, 2, 3));
    dialog->SetNewColor(DWORD(0x000000FF), L"Packed");
    QCOMPARE(dialog->GetCurrentQColor(), QColor(255, 0, 0, 255));
    QCOMPARE(dialog->GetColor(), DWORD(0x000000FF));
    QCOMPARE(host->callback.changedCount(), 1);
    QVERIFY(sameColor(host->callback.last().color, AColor(1.0f, 0.0f, 0.0f, 1.0f)));
    // The new color is also the one to reset to.
    dialog->ViewColorChanged(ColorValue(5, 5, 5, 255), true);
    click("resetBtn");
    QCOMPARE(dialog->GetCurrentQColor(), QColor(255, 0, 0));
}

void tst_ColorDorvoDialog::modifyColorKeepsInitialAndDoesNotEcho()
{
    open(QColor(1, 2, 3));
    typeInto(intSpinner("redIntSpinner"), QStringLiteral("9"));
    dialog->ModifyColor(DWORD(0x00FF8000));
    QCOMPARE(dialog->GetCurrentQColor(), QColor(0, 128, 255));
    QCOMPARE(intSpinner("blueIntSpinner")->value(), 255);
    QCOMPARE(find<QLabel>("initColorLbl")->palette().color(QPalette::Window), QColor(1, 2, 3));
    QVERIFY(host->callback.notifications.empty());
    QVERIFY(!updateTimer()->isActive());
    click("resetBtn");
    QCOMPARE(dialog->GetCurrentQColor(), QColor(1, 2, 3));
}

void tst_ColorDorvoDialog::refreshAndGetters()
{
    open(QColor(1, 2, 3));
    dialog->move(40, 50);
    QCOMPARE(dialog->GetPosition(), IPoint2(dialog->pos().x(), dialog->pos().y()));
    QCOMPARE(dialog->GetColor(), DWORD(1 + 2 * 256 + 3 * 65536));
    QVERIFY(sameColor(dialog->GetAColor(), unitColor(1, 2, 3)));
    dialog->hide();
    dialog->ShowDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->windowHandle());
    dialog->RefreshUI();
    QCOMPARE(intSpinner("blueIntSpinner")->value(), 3);
    QVERIFY(host->callback.notifications.empty());
    QCOMPARE(qobject_cast<ColorDorvoDialog*>(static_cast<QObject*>(dialog)), dialog.data());
    QVERIFY(dialog->qt_metacast("ColorPicker"));
}

void tst_ColorDorvoDialog::destroyClosesAndReportsOnce()
{
    open(QColor(1, 2, 3));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    ColorPicker* picker = dialog.data();
    picker->Destroy();
    QVERIFY(QTest::qWaitFor([this] { return dialog.isNull(); }, 5000));
    QCOMPARE(host->callback.notifications.size(), size_t(1));
    QCOMPARE(int(host->callback.last().kind), int(RecordingCallback::Notification::Destroyed));
}

void tst_ColorDorvoDialog::destructionReportsPositionOnce()
{
    open(QColor(1, 2, 3));
    const IPoint2 position(dialog->pos().x(), dialog->pos().y());
    typeInto(intSpinner("redIntSpinner"), QStringLiteral("7"));
    delete dialog;
    QCOMPARE(host->callback.notifications.size(), size_t(1));
    QCOMPARE(int(host->callback.last().kind), int(RecordingCallback::Notification::Destroyed));
    QCOMPARE(host->callback.last().position, position);
}

void tst_ColorDorvoDialog::execReturnsResult()
{
    dialog = new ColorDorvoDialog(&host->mainWindow, QColor(1, 2, 3), 0, nullptr, nullptr,
                                  QStringLiteral("Modal"));
    QTimer::singleShot(0, dialog, [this] { click("acceptBtn"); });
    QCOMPARE(dialog->ExecDialog(), int(QDialog::Accepted));
    QTimer::singleShot(0, dialog, [this] { click("cancelBtn"); });
    QCOMPARE(dialog->ExecDialog(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_ColorDorvoDialog)
#include "tst_ColorDorvoDialog.moc"
