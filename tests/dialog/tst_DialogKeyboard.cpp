// The picker from the keyboard and through a screen reader's eyes: keys on the color views act as
// one click each (the views follow, the host hears once, the history takes one step), the Tab
// order and the focus frames, the harmony strip and the label mnemonics, the accessible tree and
// the color announced after a key.

#include "DialogSupport.h"
#include "TestHost.h"

#include "color/ColorNames.h"
#include "dialog/ColorDorvoDialog.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "fields/kit/AccessibilityEvents.h"
#include "fields/pictures/ColorFieldMapping.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(ColorChannel)
Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class tst_DialogKeyboard : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;
    QPointer<ColorDorvoDialog> dialog;
    ColorField* field = nullptr;
    HsvWheel* hsvWheel = nullptr;
    HueWheel* hueWheel = nullptr;
    ColorSlider* slider = nullptr;

    // The dialog shown and active on field page `page`, holding hsv, with nothing heard yet.
    void open(int page, const HsvColor& hsv = HsvColor(100, 50, 60))
    {
        dialog = host->open(QColor(0, 0, 0));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        find<QComboBox>("colorFieldComboBox")->setCurrentIndex(page);
        dialog->ViewColorChanged(ColorValue(hsv), true);
        host->callback.notifications.clear();
        hsvWheel = dialog->findChild<HsvWheel*>();
        hueWheel = dialog->findChild<HueWheel*>();
        slider = find<ColorSlider>("channelSlider");
        for (ColorField* candidate : dialog->findChildren<ColorField*>()) {
            if (candidate != hueWheel->field())
                field = candidate;
        }
    }
    template <typename T> T* find(const char* name) const { return childNamed<T>(dialog, name); }
    QWidget* view(const QString& name) const
    {
        if (name == QLatin1String("field"))
            return field;
        if (name == QLatin1String("hsv"))
            return hsvWheel;
        if (name == QLatin1String("hue"))
            return hueWheel;
        if (name == QLatin1String("square"))
            return hueWheel->field();
        return slider;
    }
    // Where each view's marker stands for the dialog's color, by the view's own mappings.
    QPoint expectedMarker(const QString& name) const
    {
        const ColorValue color = dialog->GetCurrentColorValue();
        const HsvColor& hsv = color.hsv();
        if (name == QLatin1String("hsv"))
            return hsvWheel->markerCorner(hsv.hue(), hsvWheel->markerRadius(hsv.saturation()));
        if (name == QLatin1String("hue"))
            return hueWheel->markerCorner(hsv.hue(), HueWheel::RingMiddle);
        if (name == QLatin1String("slider"))
            return QPoint(0, slider->markerPosition(color, slider->shownChannel()) - 16);
        const auto* square = static_cast<ColorField*>(view(name));
        return ColorFieldMapping(square->shownChannel(), square->width(), square->height())
                   .markerPosition(color) -
               QPoint(8, 8);
    }
    QPoint marker(const QString& name) const
    {
        if (name == QLatin1String("slider"))
            return QPoint(0, slider->findChild<QLabel*>(QStringLiteral("leftArrowLabel"))->y());
        QWidget* shown = view(name);
        for (QLabel* label : shown->findChildren<QLabel*>(QStringLiteral("markerLabel"))) {
            if (label->parentWidget() == shown)
                return label->pos();
        }
        return QPoint(-1000, -1000);
    }
    void undo() const
    {
        QTest::keySequence(QApplication::focusWidget(),
                           QKeySequence::keyBindings(QKeySequence::Undo).first());
    }

private slots:
    void init() { host = std::make_unique<TestHost>(); }
    void cleanup()
    {
        AccessibilityEvents::setObserver(nullptr);
        dialog.clear();
        host.reset();
    }

    void keyIsOneClick_data();
    void keyIsOneClick();
    void sliderKeySkipsRunOfOneLinearValue();
    void tabReachesTheViews_data();
    void tabReachesTheViews();
    void harmonyStripFromTheKeyboard();
    void mnemonicsFocusTheSpinnerShown();
    void accessibleTree();
    void keyEditIsAnnounced();
};

void tst_DialogKeyboard::keyIsOneClick_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("view");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("expected");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    // The dialog holds hue 100, saturation 50, value 60; the square page holds the value.
    QTest::newRow("field") << 0 << "field" << Qt::Key_Right << none << ColorChannel::Hue << 101;
    QTest::newRow("field, fixed channel")
        << 0 << "field" << Qt::Key_PageUp << none << ColorChannel::Value << 61;
    QTest::newRow("slider") << 0 << "slider" << Qt::Key_Up
                            << Qt::KeyboardModifiers(Qt::ShiftModifier) << ColorChannel::Value
                            << 70;
    QTest::newRow("hsv wheel") << 1 << "hsv" << Qt::Key_Up << none << ColorChannel::Saturation
                               << 51;
    QTest::newRow("slider beside the hsv wheel")
        << 1 << "slider" << Qt::Key_PageDown << none << ColorChannel::Value << 50;
    QTest::newRow("hue ring") << 2 << "hue" << Qt::Key_Left << none << ColorChannel::Hue << 99;
    QTest::newRow("hue wheel's square")
        << 2 << "square" << Qt::Key_Down << none << ColorChannel::Value << 59;
}

void tst_DialogKeyboard::keyIsOneClick()
{
    QFETCH(int, page);
    QFETCH(QString, view);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(ColorChannel, channel);
    QFETCH(int, expected);
    open(page);
    const ColorValue before = dialog->GetCurrentColorValue();
    QWidget* target = this->view(view);
    target->setFocus();
    QTest::keyClick(target, key, modifiers);

    const ColorValue after = dialog->GetCurrentColorValue();
    QCOMPARE(after.channel(channel), expected);
    QCOMPARE(host->callback.changedCount(), 1);
    float rgba[4];
    after.toFloats(rgba);
    QCOMPARE(host->callback.last().color.r, rgba[0]);
    QCOMPARE(marker(view), expectedMarker(view));
    // One step of the history per press.
    undo();
    QVERIFY(dialog->GetCurrentColorValue() == before);
}

void tst_DialogKeyboard::sliderKeySkipsRunOfOneLinearValue()
{
    // With the sRGB switch off the red spinner shows the linear form, 0 for stored reds up to 15:
    // a step of one stored unit changes nothing there, and the key goes on to a red it shows.
    open(0);
    dialog->ViewColorChanged(ColorValue(RgbColor(5, 40, 40)), true);
    find<QCheckBox>("sRgbCheckBox")->click();
    find<QAbstractButton>("redRdBtn")->click();
    host->callback.notifications.clear();
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Up);
    QCOMPARE(find<QSpinBox>("redIntSpinner")->value(), 1);
    QVERIFY(dialog->GetCurrentRgb().red() > 5);
    QCOMPARE(host->callback.changedCount(), 1);
}

void tst_DialogKeyboard::tabReachesTheViews_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("square") << 0 << QStringList{"field", "slider"};
    QTest::newRow("hsv wheel") << 1 << QStringList{"hsv", "slider"};
    QTest::newRow("hue wheel") << 2 << QStringList{"hue", "square"};
}

void tst_DialogKeyboard::tabReachesTheViews()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    open(page);
    find<QComboBox>("colorFieldComboBox")->setFocus();
    for (const QString& name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), view(name));
        // The view shows that it has the focus, and only while it has it.
        QVERIFY(view(name)->findChild<QWidget*>(QStringLiteral("focusFrame"))->isVisible());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(),
             find<ColorPaletteLayout>("colorPaletteWidget")->palette(0));
    for (const QString& name : order)
        QVERIFY(!view(name)->findChild<QWidget*>(QStringLiteral("focusFrame"))->isVisible());
}

void tst_DialogKeyboard::harmonyStripFromTheKeyboard()
{
    open(0);
    find<QAbstractButton>("adjacentRdBtn")->click();
    host->callback.notifications.clear();
    const ColorValue before = dialog->GetCurrentColorValue();
    auto* strip = find<ColorPaletteLayout>("colorPaletteWidget");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), strip->palette(0));
    // Right goes through the tile's shades to the next tile, Down into its shades.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), strip->palette(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ColorPaletteStep* shade = strip->palette(1)->step(0);
    QCOMPARE(QApplication::focusWidget(), shade);

    // Return (as Space) takes the shade as a click does, silently for the host, one step of
    // the history; the dialog keeps Return from its buttons, not from the shade.
    const RgbColor shown = shade->shownColor();
    QTest::keyClick(shade, Qt::Key_Return);
    const RgbColor taken = dialog->GetCurrentRgb();
    QCOMPARE(QColor(taken.red(), taken.green(), taken.blue()),
             QColor(shown.red(), shown.green(), shown.blue()));
    QCOMPARE(host->callback.changedCount(), 0);
    // The strip is one stop of the Tab chain, the cell last visited.
    QTest::keyClick(shade, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != shade);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), shade);
    undo();
    QVERIFY(dialog->GetCurrentColorValue() == before);
}

void tst_DialogKeyboard::mnemonicsFocusTheSpinnerShown()
{
    open(0);
    QTest::keyClick(dialog, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), find<QWidget>("cyanIntSpinner"));
    find<QAbstractButton>("floatSpinnersRdBtn")->click();
    QTest::keyClick(dialog, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), find<QWidget>("cyanFloatSpinner"));
    // A button's mnemonic clicks it the way a click is shown, a moment later.
    QTest::keyClick(dialog, Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(field->shownChannel(), ColorChannel::Hue);
    QVERIFY(find<QAbstractButton>("hueRdBtn")->isChecked());
}

void tst_DialogKeyboard::accessibleTree()
{
    open(0);
    // With everything shown: the expanded groups and the swatch panel.
    dialog->ExpandColorGroup(ColorChannel::HsvGroup);
    dialog->ExpandColorGroup(ColorChannel::RgbGroup);
    dialog->ExpandColorGroup(ColorChannel::LabGroup);
    QTest::mouseClick(find<QAbstractButton>("swatchesBtn"), Qt::LeftButton);
    // Every control a user can reach has a name.
    QStringList unnamed;
    QStringList named;
    std::function<void(QAccessibleInterface*)> visit = [&](QAccessibleInterface* node) {
        const QAccessible::State state = node->state();
        if (!state.invisible && state.focusable && node->text(QAccessible::Name).isEmpty())
            unnamed << node->object()->objectName() + QLatin1Char(' ') +
                           QLatin1String(node->object()->metaObject()->className());
        if (!state.invisible)
            named << node->text(QAccessible::Name);
        for (int i = 0; i < node->childCount(); ++i) {
            if (QAccessibleInterface* child = node->child(i))
                visit(child);
        }
    };
    visit(QAccessible::queryAccessibleInterface(dialog));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    QVERIFY(named.contains(QStringLiteral("white, #FFFFFF")));

    QAccessibleInterface* square = QAccessible::queryAccessibleInterface(field);
    QCOMPARE(square->text(QAccessible::Name),
             QStringLiteral("Hue and saturation field; value fixed at 60"));
    QCOMPARE(square->text(QAccessible::Value), QStringLiteral("hue 100, saturation 50"));
    QCOMPARE(square->valueInterface()->currentValue().toInt(), 100);
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(slider);
    QCOMPARE(strip->text(QAccessible::Name), QStringLiteral("Value slider"));
    QCOMPARE(strip->text(QAccessible::Value), QStringLiteral("60 of 100"));
    QCOMPARE(strip->valueInterface()->currentValue().toInt(), 60);
    QCOMPARE(strip->valueInterface()->maximumValue().toInt(), 100);

    // A screen reader setting a value acts as the keys do.
    square->valueInterface()->setCurrentValue(120);
    QCOMPARE(dialog->GetCurrentHsv().hue(), 120);
    QCOMPARE(host->callback.changedCount(), 1);
    QCOMPARE(square->text(QAccessible::Value), QStringLiteral("hue 120, saturation 50"));
    QCOMPARE(QAccessible::queryAccessibleInterface(find<QLabel>("currentColorLbl"))
                 ->text(QAccessible::Name),
             spokenColor(dialog->GetCurrentColorValue()));
}

void tst_DialogKeyboard::keyEditIsAnnounced()
{
    open(0);
    QStringList heard;
    AccessibilityEvents::setObserver([&heard](QAccessibleEvent& event) {
        heard << QStringLiteral("%1 %2")
                     .arg(event.object()->objectName())
                     .arg(event.type() == QAccessible::NameChanged    ? "name"
                          : event.type() == QAccessible::ValueChanged ? "value"
                                                                      : "other");
    });
    field->setObjectName(QStringLiteral("field"));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Right);
    // The field's value, and the color in words on the live region, once each.
    QCOMPARE(heard.count(QStringLiteral("field value")), 1);
    QCOMPARE(heard.count(QStringLiteral("currentColorLbl name")), 1);
    QCOMPARE(QAccessible::queryAccessibleInterface(find<QLabel>("currentColorLbl"))
                 ->text(QAccessible::Name),
             spokenColor(dialog->GetCurrentColorValue()));
}

QTEST_MAIN(tst_DialogKeyboard)
#include "tst_DialogKeyboard.moc"
