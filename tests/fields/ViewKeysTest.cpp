// The color views driven from the keyboard: which channel a key steps and by how much, the ends
// and the turn of the hue, and that each press reaches the dialog as one click does.

#include "RecordingServices.h"

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"

#include <QtTest>

#include <functional>
#include <limits>
#include <memory>

Q_DECLARE_METATYPE(ColorChannel)
Q_DECLARE_METATYPE(ColorValue)
Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

using C = ColorChannel;

// Nothing is reported.
constexpr int kNothing = std::numeric_limits<int>::min();

// The dialog's services as far as a slider needs them: a value it sends becomes the color's,
// as it does in the dialog with the sRGB switch on.
class ApplyingServices : public RecordingServices
{
public:
    using RecordingServices::RecordingServices;
    void SliderValueChanged(int value, ColorChannel channel, bool notify) override
    {
        RecordingServices::SliderValueChanged(value, channel, notify);
        current.setChannel(channel, value);
    }
};

} // namespace

class ViewKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void keyStepsOneChannel_data();
    void keyStepsOneChannel();
    void keyStepsAViewWithoutDialog_data();
    void keyStepsAViewWithoutDialog();
};

void ViewKeysTest::keyStepsOneChannel_data()
{
    // view: "field" (with its fixed channel), "hsv", "hue" (the ring), "vertical" or
    // "horizontal" (a slider of that channel).
    QTest::addColumn<QString>("view");
    QTest::addColumn<ColorChannel>("fixed");
    QTest::addColumn<ColorValue>("start");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<ColorChannel>("changed");
    QTest::addColumn<int>("expected");

    const ColorValue hsv(HsvColor(30, 50, 60, 200));
    const ColorValue rgb(RgbColor(10, 20, 30, 200));
    const ColorValue lab(LabColor(50, 10, -20));
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const auto row = [&](const char* name, const char* view, C fixed, const ColorValue& start,
                         Qt::Key key, Qt::KeyboardModifiers modifiers, C changed, int expected) {
        QTest::newRow(name) << QString::fromLatin1(view) << fixed << start << key << modifiers
                            << changed << expected;
    };
    row("value field: right steps hue", "field", C::Value, hsv, Qt::Key_Right, none, C::Hue, 31);
    row("shift steps ten", "field", C::Value, hsv, Qt::Key_Right, shift, C::Hue, 40);
    row("hue turns below 0", "field", C::Value, ColorValue(HsvColor(3, 50, 60)), Qt::Key_Left,
        shift, C::Hue, 353);
    row("hue turns past 359", "field", C::Value, ColorValue(HsvColor(359, 50, 60)), Qt::Key_Right,
        none, C::Hue, 0);
    row("up steps the vertical channel", "field", C::Value, hsv, Qt::Key_Up, none, C::Saturation,
        51);
    row("stops at 0", "field", C::Value, ColorValue(HsvColor(30, 0, 60)), Qt::Key_Down, none,
        C::Saturation, kNothing);
    row("page up steps the fixed channel", "field", C::Value, hsv, Qt::Key_PageUp, none, C::Value,
        61);
    row("shift page down", "field", C::Value, hsv, Qt::Key_PageDown, shift, C::Value, 50);
    row("home", "field", C::Value, hsv, Qt::Key_Home, none, C::Hue, 0);
    row("end", "field", C::Value, hsv, Qt::Key_End, none, C::Hue, 359);
    row("red field: right steps blue", "field", C::Red, rgb, Qt::Key_Right, none, C::Blue, 31);
    row("red field: up steps green", "field", C::Red, rgb, Qt::Key_Up, none, C::Green, 21);
    row("green stops at 255", "field", C::Red, ColorValue(RgbColor(10, 255, 30)), Qt::Key_Up, shift,
        C::Green, kNothing);
    row("end of blue", "field", C::Red, rgb, Qt::Key_End, none, C::Blue, 255);
    row("lightness field: right steps a", "field", C::Lightness, lab, Qt::Key_Right, none,
        C::RedGreen, 11);
    row("lightness field: up steps b", "field", C::Lightness, lab, Qt::Key_Up, none, C::BlueYellow,
        -19);
    row("a field: right steps b", "field", C::RedGreen, lab, Qt::Key_Right, none, C::BlueYellow,
        -19);
    row("a field: up steps lightness", "field", C::RedGreen, lab, Qt::Key_Up, shift, C::Lightness,
        60);
    row("a field: home is the lowest b", "field", C::RedGreen, lab, Qt::Key_Home, none,
        C::BlueYellow, -128);
    row("control is not the field's", "field", C::Value, hsv, Qt::Key_Right, Qt::ControlModifier,
        C::Hue, kNothing);

    row("hsv wheel: right turns the hue", "hsv", C::None, hsv, Qt::Key_Right, none, C::Hue, 31);
    row("hsv wheel: shift left turns back ten", "hsv", C::None, ColorValue(HsvColor(5, 50, 60)),
        Qt::Key_Left, shift, C::Hue, 355);
    row("hsv wheel: up saturates", "hsv", C::None, hsv, Qt::Key_Up, none, C::Saturation, 51);
    row("hsv wheel: page down darkens", "hsv", C::None, hsv, Qt::Key_PageDown, none, C::Value, 59);
    row("hsv wheel: end", "hsv", C::None, hsv, Qt::Key_End, none, C::Hue, 359);
    row("hue ring: up turns the hue", "hue", C::None, hsv, Qt::Key_Up, none, C::Hue, 31);
    row("hue ring: down turns it back", "hue", C::None, hsv, Qt::Key_Down, shift, C::Hue, 20);

    row("slider: up", "vertical", C::Hue, hsv, Qt::Key_Up, none, C::Hue, 31);
    row("slider: shift down", "vertical", C::Hue, hsv, Qt::Key_Down, shift, C::Hue, 20);
    row("slider: page up", "vertical", C::Saturation, hsv, Qt::Key_PageUp, none, C::Saturation, 60);
    row("slider: hue turns", "vertical", C::Hue, ColorValue(HsvColor(359, 50, 60)), Qt::Key_Up,
        none, C::Hue, 0);
    row("slider: home is the top", "vertical", C::Hue, hsv, Qt::Key_Home, none, C::Hue, 359);
    row("slider: end is the bottom", "vertical", C::Lightness, lab, Qt::Key_End, none, C::Lightness,
        0);
    row("slider: a stops at 127", "vertical", C::RedGreen, ColorValue(LabColor(50, 127, 0)),
        Qt::Key_Up, none, C::RedGreen, kNothing);
    row("vertical slider: right is not its", "vertical", C::Hue, hsv, Qt::Key_Right, none, C::Hue,
        kNothing);
    row("horizontal slider: left goes up", "horizontal", C::Red, rgb, Qt::Key_Left, none, C::Red,
        11);
    row("horizontal slider: right goes down", "horizontal", C::Red, rgb, Qt::Key_Right, shift,
        C::Red, 0);
}

void ViewKeysTest::keyStepsOneChannel()
{
    QFETCH(QString, view);
    QFETCH(ColorChannel, fixed);
    QFETCH(ColorValue, start);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(ColorChannel, changed);
    QFETCH(int, expected);

    ApplyingServices dialog(start);
    std::unique_ptr<QWidget> widget;
    if (view == QLatin1String("field")) {
        auto* field = new ColorField(&dialog);
        field->setColor(start, fixed);
        widget.reset(field);
    } else if (view == QLatin1String("hsv")) {
        auto* wheel = new HsvWheel(&dialog);
        wheel->setColor(start);
        widget.reset(wheel);
    } else if (view == QLatin1String("hue")) {
        auto* wheel = new HueWheel(&dialog);
        wheel->setColor(start);
        widget.reset(wheel);
    } else {
        auto* slider = view == QLatin1String("vertical")
                           ? new ColorSlider(&dialog)
                           : new ColorSlider(&dialog, 145, 20, ColorSlider::Horizontal);
        slider->setColor(start, fixed);
        widget.reset(slider);
    }
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    widget->setFocus();
    QTest::keyClick(widget.get(), key, modifiers);

    const bool slider = view == QLatin1String("vertical") || view == QLatin1String("horizontal");
    if (expected == kNothing) {
        QVERIFY(dialog.viewCalls.empty());
        QVERIFY(dialog.sliderCalls.empty());
        return;
    }
    if (slider) {
        // As a click: the value while the button is held, and again at the release, which
        // alone tells the host.
        QCOMPARE(int(dialog.sliderCalls.size()), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(dialog.sliderCalls[i].value, expected);
            QCOMPARE(dialog.sliderCalls[i].channel, changed);
            QCOMPARE(dialog.sliderCalls[i].notify, i == 1);
        }
        return;
    }
    // Reported once, which tells the host, then ended as a drag is.
    QCOMPARE(int(dialog.viewCalls.size()), 1);
    QVERIFY(!dialog.viewCalls[0].silent);
    QCOMPARE(dialog.dragEnds, 1);
    ColorValue expectedColor = start;
    expectedColor.setChannel(changed, expected);
    for (const RecordingServices::ViewCall& call : dialog.viewCalls) {
        // The channel stepped alone changes; alpha stays.
        QCOMPARE(call.color.channel(changed), expected);
        QVERIFY(call.color == expectedColor);
    }
}

void ViewKeysTest::keyStepsAViewWithoutDialog_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<ColorChannel>("changed");
    QTest::addColumn<int>("expected");

    QTest::newRow("field") << QStringLiteral("field") << Qt::Key_Right << C::Hue << 31;
    QTest::newRow("hsv wheel") << QStringLiteral("hsv") << Qt::Key_Up << C::Saturation << 51;
    QTest::newRow("hue ring") << QStringLiteral("hue") << Qt::Key_Down << C::Hue << 29;
}

// A view without a dialog steps the color it shows, the channel keyed alone, alpha kept.
void ViewKeysTest::keyStepsAViewWithoutDialog()
{
    QFETCH(QString, view);
    QFETCH(Qt::Key, key);
    QFETCH(ColorChannel, changed);
    QFETCH(int, expected);

    const ColorValue start(HsvColor(30, 50, 60, 200));
    std::unique_ptr<QWidget> widget;
    std::function<ColorValue()> shown;
    if (view == QLatin1String("field")) {
        auto* field = new ColorField(nullptr);
        field->setColor(start, C::Value);
        shown = [field] { return field->shownColor(); };
        widget.reset(field);
    } else if (view == QLatin1String("hsv")) {
        auto* wheel = new HsvWheel(nullptr);
        wheel->setColor(start);
        shown = [wheel] { return wheel->shownColor(); };
        widget.reset(wheel);
    } else {
        auto* wheel = new HueWheel(nullptr);
        wheel->setColor(start);
        shown = [wheel] { return wheel->shownColor(); };
        widget.reset(wheel);
    }
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    widget->setFocus();
    QTest::keyClick(widget.get(), key);

    ColorValue expectedColor = start;
    expectedColor.setChannel(changed, expected);
    QVERIFY(shown() == expectedColor);
}

QTEST_MAIN(ViewKeysTest)
#include "ViewKeysTest.moc"
