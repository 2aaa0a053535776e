#include "DialogMonkey.h"

#include "MouseSupport.h"
#include "RecordingCallback.h"

#include "dialog/ColorDorvoDialog.h"
#include "fields/CanvasArea.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "fields/pictures/ColorFieldMapping.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTimer>
#include <QtTest>

#include <algorithm>

namespace {

// Where a field's marker label stands relative to the position it marks.
const QPoint kFieldMarkerOffset(-ColorField::MarkerSize / 2, -ColorField::MarkerSize / 2);
// The vertical slider's arrows relative to the strip's edges at the marker coordinate.
const QPoint kLeftArrowOffset(-22, -16);
const QPoint kRightArrowOffset(-9, -16);

// The pointer targets, by the names events carry.
const char kFieldName[] = "colorField";
const char kHsvWheelName[] = "hsvWheel";
const char kHueWheelName[] = "hueWheel";
const char kInnerFieldName[] = "innerField";
const char kSliderName[] = "channelSlider";

const struct
{
    const char* name;
    ColorChannel channel;
} kStackedSpinners[] = {
    {"hue", ColorChannel::Hue},
    {"saturation", ColorChannel::Saturation},
    {"value", ColorChannel::Value},
    {"red", ColorChannel::Red},
    {"green", ColorChannel::Green},
    {"blue", ColorChannel::Blue},
    {"lightness", ColorChannel::Lightness},
    {"redGreen", ColorChannel::RedGreen},
    {"blueYellow", ColorChannel::BlueYellow},
    {"cyan", ColorChannel::Cyan},
    {"magenta", ColorChannel::Magenta},
    {"yellow", ColorChannel::Yellow},
    {"key", ColorChannel::Key},
    {"alpha", ColorChannel::Alpha},
};

// The spinner group of a channel, and whether an edit in it leaves the group as typed (a CMYK
// edit rewrites its own group: four percentages do not survive the trip through RGB).
ColorChannel groupOf(ColorChannel channel)
{
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
        return ColorChannel::RgbGroup;
    case ColorChannel::Hue:
    case ColorChannel::Saturation:
    case ColorChannel::Value:
        return ColorChannel::HsvGroup;
    case ColorChannel::Lightness:
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return ColorChannel::LabGroup;
    case ColorChannel::Cyan:
    case ColorChannel::Magenta:
    case ColorChannel::Yellow:
    case ColorChannel::Key:
        return ColorChannel::CmykGroup;
    default:
        return channel; // alpha and temperature are groups of one
    }
}

bool editKeepsGroup(ColorChannel channel)
{
    return channel != ColorChannel::None && groupOf(channel) != ColorChannel::CmykGroup;
}

template <typename T> T* child(const QObject* parent, const QString& name)
{
    T* found = parent->findChild<T*>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

QLabel* ownLabel(const QWidget* widget, const char* name)
{
    QLabel* label = widget->findChild<QLabel*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (!label)
        qFatal("%s has no label %s", widget->metaObject()->className(), name);
    return label;
}

QString point(const QPoint& p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

QString describe(const AColor& c)
{
    return QStringLiteral("(%1, %2, %3, %4)").arg(c.r).arg(c.g).arg(c.b).arg(c.a);
}

QString describe(const ColorValue& c)
{
    const RgbColor& rgb = c.rgb();
    const HsvColor& hsv = c.hsv();
    const LabColor& lab = c.lab();
    const CmykColor& cmyk = c.cmyk();
    return QStringLiteral("rgba %1 %2 %3 %4, hsv %5 %6 %7, lab %8 %9 %10, cmyk %11 %12 %13 %14, "
                          "%15 K, hex %16")
        .arg(rgb.red())
        .arg(rgb.green())
        .arg(rgb.blue())
        .arg(rgb.alpha())
        .arg(hsv.hue())
        .arg(hsv.saturation())
        .arg(hsv.value())
        .arg(lab.lightness())
        .arg(lab.a())
        .arg(lab.b())
        .arg(cmyk.cyan())
        .arg(cmyk.magenta())
        .arg(cmyk.yellow())
        .arg(cmyk.key())
        .arg(c.temperature().kelvin())
        .arg(c.hex().text());
}

QString buttonName(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return QStringLiteral("left");
    case Qt::RightButton:
        return QStringLiteral("right");
    default:
        return QStringLiteral("middle");
    }
}

QImage rendered(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The text a spinner shows for its value, as QSpinBox and QDoubleSpinBox format it.
QString spinnerText(const QAbstractSpinBox* box, double value, int decimals)
{
    QString text = decimals < 0 ? box->locale().toString(static_cast<int>(value))
                                : box->locale().toString(value, 'f', decimals);
    if (!box->isGroupSeparatorShown())
        text.remove(box->locale().groupSeparator());
    return text;
}

} // namespace

QString DialogMonkey::Event::describe() const
{
    switch (kind) {
    case Press:
        return QStringLiteral("press %1 on %2 at %3").arg(buttonName(button), widget, point(pos));
    case Move:
        return QStringLiteral("drag on %1 to %2").arg(widget, point(pos));
    case Release:
        return QStringLiteral("release %1 on %2 at %3").arg(buttonName(button), widget, point(pos));
    case Type:
        return QStringLiteral("type \"%1\" in %2").arg(text, widget);
    case Key:
        return QStringLiteral("key %1 in %2")
            .arg(QKeySequence(key | static_cast<int>(modifiers))
                     .toString(QKeySequence::PortableText),
                 widget);
    case FocusClick:
        return QStringLiteral("click into %1 at %2%3")
            .arg(widget, point(pos), flag ? QStringLiteral(" and select all") : QString());
    case ArrowClick:
        return QStringLiteral("click %1 on the %2 arrow of %3")
            .arg(buttonName(button), flag ? QStringLiteral("up") : QStringLiteral("down"), widget);
    case PaletteClick:
        return QStringLiteral("click %1 on palette %2 at %3")
            .arg(buttonName(button),
                 shade < 0 ? QStringLiteral("tile %1").arg(tile)
                           : QStringLiteral("shade %1 of tile %2").arg(shade).arg(tile),
                 point(pos));
    case ButtonClick:
        return QStringLiteral("click %1").arg(widget);
    case PageKey:
        return QStringLiteral("key %1 on the page box")
            .arg(QKeySequence(key).toString(QKeySequence::PortableText));
    case Checkpoint:
        return flag ? QStringLiteral("the debounce timer runs out")
                    : QStringLiteral("the debounce timer is let fire");
    }
    return QString();
}

DialogMonkey::DialogMonkey(ColorDorvoDialog* monkeyed, RecordingCallback* recorder,
                           std::uint64_t seed)
    : dialog(monkeyed), host(recorder), state(seed)
{
    for (const auto& stacked : kStackedSpinners) {
        const QString name = QLatin1String(stacked.name);
        auto* integer = child<QSpinBox>(dialog, name + QLatin1String("IntSpinner"));
        auto* real = child<QDoubleSpinBox>(dialog, name + QLatin1String("FloatSpinner"));
        spinners.push_back({stacked.channel, integer, integer, nullptr, {}});
        spinners.push_back({stacked.channel, real, nullptr, real, {}});
    }
    auto* temperature = child<QSpinBox>(dialog, QStringLiteral("temperatureSpinner"));
    spinners.push_back({ColorChannel::Temperature, temperature, temperature, nullptr, {}});

    hexLine = child<QLineEdit>(dialog, QStringLiteral("hexEditLine"));
    angleSpinner = child<QSpinBox>(dialog, QStringLiteral("angleSpn"));
    pageBox = child<QComboBox>(dialog, QStringLiteral("colorFieldComboBox"));
    stack = child<QStackedWidget>(dialog, QStringLiteral("colorFieldStack"));
    field = qobject_cast<ColorField*>(stack->widget(0));
    hsvWheel = qobject_cast<HsvWheel*>(stack->widget(1));
    hueWheel = qobject_cast<HueWheel*>(stack->widget(2));
    canvas = qobject_cast<CanvasArea*>(stack->widget(3));
    if (!field || !hsvWheel || !hueWheel || !canvas)
        qFatal("the color field stack does not hold the field, the two wheels and the canvas");
    innerField = hueWheel->field();
    slider = child<ColorSlider>(dialog, QLatin1String(kSliderName));
    strip = child<ColorPaletteLayout>(dialog, QStringLiteral("colorPaletteWidget"));
    currentSwatch = child<QLabel>(dialog, QStringLiteral("currentColorLbl"));
    updateTimer = dialog->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!updateTimer)
        qFatal("the dialog has no debounce timer");
    channelButtons = child<QButtonGroup>(dialog, QStringLiteral("colorSliderBtnGrp"));
    harmonyButtons = child<QButtonGroup>(dialog, QStringLiteral("colorPaletteBtnGrp"));
    spinnerTypeButtons = child<QButtonGroup>(dialog, QStringLiteral("colorSpinnerRangeBtnGrp"));
    sRgbBox = child<QCheckBox>(dialog, QStringLiteral("sRgbCheckBox"));
    initialHostColor = dialog->GetAColor();
}

DialogMonkey::~DialogMonkey() = default;

std::uint64_t DialogMonkey::roll()
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int DialogMonkey::below(int n)
{
    return n <= 1 ? 0 : static_cast<int>(roll() % static_cast<std::uint64_t>(n));
}

bool DialogMonkey::chance(int percent)
{
    return below(100) < percent;
}

QPoint DialogMonkey::randomPointIn(const QWidget* widget, int margin)
{
    return QPoint(below(widget->width() + 2 * margin) - margin,
                  below(widget->height() + 2 * margin) - margin);
}

QString DialogMonkey::nameOf(const QWidget* widget) const
{
    if (widget == field)
        return QLatin1String(kFieldName);
    if (widget == hsvWheel)
        return QLatin1String(kHsvWheelName);
    if (widget == hueWheel)
        return QLatin1String(kHueWheelName);
    if (widget == innerField)
        return QLatin1String(kInnerFieldName);
    return widget ? widget->objectName() : QString();
}

QWidget* DialogMonkey::widgetNamed(const QString& name) const
{
    if (name == QLatin1String(kFieldName))
        return field;
    if (name == QLatin1String(kHsvWheelName))
        return hsvWheel;
    if (name == QLatin1String(kHueWheelName))
        return hueWheel;
    if (name == QLatin1String(kInnerFieldName))
        return innerField;
    return dialog->findChild<QWidget*>(name);
}

// ---- choosing events

DialogMonkey::Event DialogMonkey::next()
{
    if (held.widget) {
        // A hand on the mouse, the other now and then on the keyboard.
        if (chance(5) && target)
            return nextKey();
        return chance(75) ? nextMove() : endOfDrag();
    }
    const auto buttonOf = [this](const QButtonGroup* group) {
        Event event;
        event.kind = Event::ButtonClick;
        const QList<QAbstractButton*> buttons = group->buttons();
        event.widget = buttons.at(below(buttons.size()))->objectName();
        return event;
    };
    const auto named = [](Event::Kind kind, const char* name) {
        Event event;
        event.kind = kind;
        event.widget = QLatin1String(name);
        return event;
    };
    const int r = below(1000);
    if (r < 180)
        return nextPress();
    if (r < 600)
        return target ? nextKey() : nextFocusClick();
    if (r < 660)
        return nextFocusClick();
    if (r < 710) {
        if (!qobject_cast<QAbstractSpinBox*>(target))
            return nextFocusClick();
        Event event = named(Event::ArrowClick, "");
        event.widget = target->objectName();
        event.flag = chance(50);
        // A right click on the host's arrows puts the spinner back to its reset value.
        event.button = chance(10) ? Qt::RightButton : Qt::LeftButton;
        return event;
    }
    if (r < 780)
        return nextPaletteClick();
    if (r < 830)
        return buttonOf(channelButtons);
    if (r < 850)
        return buttonOf(harmonyButtons);
    if (r < 880) {
        Event event = named(Event::PageKey, "");
        event.key = chance(50) ? Qt::Key_Down : Qt::Key_Up;
        return event;
    }
    if (r < 900)
        return buttonOf(spinnerTypeButtons);
    if (r < 925)
        return named(Event::ButtonClick, "sRgbCheckBox");
    if (r < 950)
        return named(Event::ButtonClick, "complementarySwitchBtn");
    if (r < 985)
        return named(Event::ButtonClick, "invertSwitchBtn");
    return named(Event::ButtonClick, "resetBtn");
}

DialogMonkey::Event DialogMonkey::nextPress()
{
    Event event;
    event.kind = Event::Press;
    const bool onSlider = slider->isVisible() && chance(30);
    QWidget* widget = onSlider ? static_cast<QWidget*>(slider) : stack->currentWidget();
    event.pos = randomPointIn(widget, 0);
    if (widget == hueWheel && innerField->geometry().contains(event.pos)) {
        // The square inside the ring takes the presses that land on it.
        event.pos -= innerField->pos();
        widget = innerField;
    }
    // The wheels answer the left button only; the others pick or set at a right release.
    const bool wheel = widget == hsvWheel || widget == hueWheel;
    event.button = !wheel && chance(8) ? Qt::RightButton : Qt::LeftButton;
    event.widget = nameOf(widget);
    return event;
}

DialogMonkey::Event DialogMonkey::nextMove()
{
    Event event;
    event.kind = Event::Move;
    event.widget = nameOf(held.widget);
    const int how = below(10);
    if (how < 6)
        event.pos = held.pos + QPoint(below(61) - 30, below(61) - 30);
    else if (how < 9)
        event.pos = randomPointIn(held.widget, 30);
    else
        event.pos = randomPointIn(held.widget, 200);
    event.button = held.button;
    return event;
}

DialogMonkey::Event DialogMonkey::endOfDrag() const
{
    Event event;
    event.kind = Event::Release;
    event.widget = nameOf(held.widget);
    // The pointer cannot jump: the release comes where the last move left it.
    event.pos = held.pos;
    event.button = held.button;
    return event;
}

DialogMonkey::Event DialogMonkey::nextKey()
{
    Event event;
    event.kind = Event::Key;
    event.widget = target->objectName();
    const bool hex = target == hexLine;
    const int r = below(100);
    if (r < 48) {
        event.kind = Event::Type;
        event.text = QString(QChar('0' + below(10)));
    } else if (r < 58) {
        static const char kHexLetters[] = "abcdefABCDEF";
        static const char kSpinnerMarks[] = ".-.-+,e";
        event.kind = Event::Type;
        event.text =
            hex ? QString(QChar(kHexLetters[below(12)])) : QString(QChar(kSpinnerMarks[below(7)]));
    } else if (r < 64) {
        static const char kJunk[] = "xzQg #-.%";
        event.kind = Event::Type;
        event.text = QString(QChar(kJunk[below(9)]));
    } else if (r < 71) {
        event.key = chance(70) ? Qt::Key_Backspace : Qt::Key_Delete;
    } else if (r < 80) {
        static const Qt::Key kSteps[] = {Qt::Key_Up,   Qt::Key_Down,   Qt::Key_Up,
                                         Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
        event.key = kSteps[below(6)];
    } else if (r < 84) {
        static const Qt::Key kMoves[] = {Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right};
        event.key = kMoves[below(4)];
    } else if (r < 88) {
        event.key = Qt::Key_A;
        event.modifiers = Qt::ControlModifier;
    } else if (r < 97) {
        event.key = Qt::Key_Return;
    } else {
        event.key = Qt::Key_Tab;
    }
    return event;
}

DialogMonkey::Event DialogMonkey::nextFocusClick()
{
    Event event;
    event.kind = Event::FocusClick;
    QWidget* next = nullptr;
    const int r = below(100);
    if (r < 15) {
        next = hexLine;
    } else if (r < 20) {
        next = angleSpinner;
    } else {
        std::vector<QAbstractSpinBox*> shown;
        for (const SpinnerView& view : spinners) {
            if (view.box->isVisible())
                shown.push_back(view.box);
        }
        next = shown.at(below(static_cast<int>(shown.size())));
    }
    const QWidget* text = next == hexLine ? next : next->findChild<QLineEdit*>();
    event.widget = next->objectName();
    event.pos = QPoint(below(std::max(1, text->width() - 4)) + 2, text->height() / 2);
    event.flag = chance(70);
    return event;
}

DialogMonkey::Event DialogMonkey::nextPaletteClick()
{
    Event event;
    event.kind = Event::PaletteClick;
    std::vector<int> tiles;
    for (int i = 0; i < ColorPaletteLayout::TileCount; ++i) {
        if (strip->palette(i)->isVisible())
            tiles.push_back(i);
    }
    event.tile = tiles.at(below(static_cast<int>(tiles.size())));
    const ColorPalette* tile = strip->palette(event.tile);
    if (chance(65)) {
        // Above the row of shades.
        event.pos = QPoint(below(tile->width()), below(ColorPalette::TileHeight / 2));
    } else {
        event.shade = below(ColorPalette::StepCount);
        event.pos = randomPointIn(tile->step(event.shade), 0);
    }
    event.button = chance(90) ? Qt::LeftButton : (chance(50) ? Qt::RightButton : Qt::MiddleButton);
    return event;
}

// ---- sending events

QString DialogMonkey::run(const Event& event)
{
    colorBefore = dialog->GetCurrentColorValue();
    hostColorBefore = dialog->GetAColor();
    notificationsBefore = host->notifications.size();
    refreshesBefore = dialog->ViewRefreshCount();
    dialog->WriteHiddenSpinners();
    for (SpinnerView& view : spinners)
        view.textBefore = view.box->text();
    expect = Expectation();
    timerFired = false;

    if (!perform(event))
        return QString();
    settle();
    QString fault = check(false);
    if (fault.isEmpty() && event.kind == Event::Checkpoint) {
        if (timerFired && !(hostColor() == dialog->GetAColor()))
            fault = QStringLiteral("after the debounce delay the host last heard %1, not %2")
                        .arg(describe(hostColor()), describe(dialog->GetAColor()));
        if (fault.isEmpty() && timerFired)
            fault = check(true);
        if (fault.isEmpty())
            fault = checkPictures();
    }
    return fault;
}

bool DialogMonkey::perform(const Event& event)
{
    QWidget* widget = widgetNamed(event.widget);
    switch (event.kind) {
    case Event::Press:
        return press(widget, event);
    case Event::Move:
        return held.widget && widget == held.widget && move(widget, event);
    case Event::Release:
        return held.widget && widget == held.widget && release(widget, event);
    case Event::Type:
    case Event::Key:
        // Keys go where the focus is.
        return widget && widget == target && key(widget, event);
    case Event::FocusClick:
        return focusClick(widget, event);
    case Event::ArrowClick:
        return arrowClick(widget, event);
    case Event::PaletteClick:
        return paletteClick(event);
    case Event::ButtonClick:
        return buttonClick(widget);
    case Event::PageKey:
        QTest::keyClick(pageBox, static_cast<Qt::Key>(event.key));
        return true;
    case Event::Checkpoint:
        return checkpoint(event);
    }
    return false;
}

bool DialogMonkey::press(QWidget* widget, const Event& event)
{
    if (held.widget || !widget || !widget->isVisible())
        return false;
    ::press(widget, event.pos, event.button);
    held = {widget, event.button, event.pos, event.pos};
    // The canvas paints and erases but never changes the color.
    if (widget == canvas)
        return true;
    if (event.button != Qt::LeftButton)
        return true; // nothing until the release
    if (widget == slider) {
        held.marker = QPoint(0, std::clamp(event.pos.y(), 0, slider->height()));
        expect.host = HostRule::Silent;
        expectSpinnerEdit(nullptr);
    } else {
        expect.host = HostRule::Immediate;
    }
    return true;
}

bool DialogMonkey::move(QWidget* widget, const Event& event)
{
    if (!widget)
        return false;
    sendMouse(widget, QEvent::MouseMove, Qt::NoButton, held.button, event.pos);
    held.pos = event.pos;
    if (held.button != Qt::LeftButton || widget == canvas)
        return true;
    if (widget == slider) {
        held.marker = QPoint(0, std::clamp(event.pos.y(), 0, slider->height()));
        expect.host = HostRule::Silent;
        expectSpinnerEdit(nullptr);
    } else {
        if (widget == field || widget == innerField)
            held.marker = QPoint(std::clamp(event.pos.x(), 0, widget->width()),
                                 std::clamp(event.pos.y(), 0, widget->height()));
        expect.host = HostRule::Immediate;
    }
    return true;
}

bool DialogMonkey::release(QWidget* widget, const Event& event)
{
    if (!widget)
        return false;
    ::release(widget, event.pos, held.button);
    held = Drag();
    if (widget == canvas) {
        expect.host = HostRule::NoChange;
    } else if (widget == slider) {
        expect.host = HostRule::SliderRelease;
        expectSpinnerEdit(nullptr);
    } else if (widget == field || widget == innerField) {
        expect.host = HostRule::Silent;
    } else {
        expect.host = HostRule::Immediate;
    }
    return true;
}

bool DialogMonkey::key(QWidget* widget, const Event& event)
{
    if (!widget || !widget->isVisible())
        return false;
    if (event.kind == Event::Type)
        QTest::keyClicks(widget, event.text);
    else
        QTest::keyClick(widget, static_cast<Qt::Key>(event.key), event.modifiers);

    const bool edits =
        event.kind == Event::Type || event.key == Qt::Key_Backspace || event.key == Qt::Key_Delete;
    if (widget == hexLine) {
        // The line is read when its edit finishes, on Return or when the focus leaves it.
        if (event.key == Qt::Key_Return || event.key == Qt::Key_Tab)
            expect.host = HostRule::Immediate;
        if (edits)
            hexTyped = true;
    } else if (auto* box = qobject_cast<QAbstractSpinBox*>(widget)) {
        expectSpinnerEdit(box);
        // Return in a spinner that was not typed in reads back the text it shows, which names
        // the value it already holds: nothing may change.
        if (event.key == Qt::Key_Return && !typing && viewOf(box))
            expect.host = HostRule::NoChange;
    }
    if (event.key == Qt::Key_Tab) {
        followFocus();
    } else if (edits) {
        typing = true;
    } else if (event.key == Qt::Key_Return) {
        typing = false; // the spinner reads its text and shows the value in its own format
    } else if (event.kind == Event::Key && event.modifiers == Qt::NoModifier) {
        stepped(widget);
    }
    return true;
}

void DialogMonkey::stepped(QWidget* widget)
{
    // A step rewrites the spinner's text; one beyond the range leaves what was typed.
    const SpinnerView* view = viewOf(qobject_cast<QAbstractSpinBox*>(widget));
    if (view ? view->box->text() != view->textBefore : widget == angleSpinner)
        typing = false;
}

bool DialogMonkey::focusClick(QWidget* widget, const Event& event)
{
    if (!widget || !widget->isVisible())
        return false;
    // The click lands on the text: the spinner's line edit, or the hex line itself. Leaving the
    // hex line finishes its edit.
    QWidget* text = widget == hexLine ? widget : widget->findChild<QLineEdit*>();
    QTest::mouseClick(text, Qt::LeftButton, Qt::NoModifier, event.pos);
    expect.host = HostRule::Immediate;
    followFocus();
    if (event.flag && widget == target)
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    return true;
}

void DialogMonkey::followFocus()
{
    // Keys go where the focus is: a spinner or line that loses it shows its value in its own
    // format again, and a disabled widget takes none.
    QWidget* focus = QApplication::focusWidget();
    if (focus == target)
        return;
    dropTarget();
    if (focus == hexLine || focus == angleSpinner || viewOf(qobject_cast<QAbstractSpinBox*>(focus)))
        target = focus;
}

bool DialogMonkey::arrowClick(QWidget* widget, const Event& event)
{
    // The arrows of the spinner being typed in.
    auto* box = qobject_cast<QAbstractSpinBox*>(widget);
    if (!box || box != target || !box->isVisible())
        return false;
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.buttonSymbols = box->buttonSymbols();
    option.frame = box->hasFrame();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QRect arrow = box->style()->subControlRect(
        QStyle::CC_SpinBox, &option, event.flag ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown,
        box);
    QTest::mouseClick(box, event.button, Qt::NoModifier, arrow.center());
    stepped(box);
    expectSpinnerEdit(box);
    return true;
}

bool DialogMonkey::paletteClick(const Event& event)
{
    ColorPalette* tile = strip->palette(event.tile);
    if (!tile->isVisible())
        return false;
    QWidget* widget = event.shade < 0 ? static_cast<QWidget*>(tile) : tile->step(event.shade);
    QTest::mouseClick(widget, event.button, Qt::NoModifier, event.pos);
    expect.host = HostRule::Silent;
    return true;
}

bool DialogMonkey::buttonClick(QWidget* widget)
{
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button || !button->isVisible())
        return false;
    // Radio buttons and check boxes answer on their indicator, at their left.
    const bool indicator = qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
    const QPoint pos = indicator ? QPoint(8, button->height() / 2) : button->rect().center();
    // An enabled button takes the focus, which finishes an edit of the hex line.
    expect.host = HostRule::Immediate;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, pos);
    followFocus();
    return true;
}

bool DialogMonkey::checkpoint(const Event& event)
{
    if (held.widget)
        return false;
    expect.host = HostRule::Immediate;
    timerFired = updateTimer->isActive();
    // The window system catches up (layout, painting) before anything is measured.
    QCoreApplication::processEvents();
    if (updateTimer->isActive()) {
        if (!event.flag)
            updateTimer->start(0);
        if (!QTest::qWaitFor([this] { return !updateTimer->isActive(); }, 5000))
            qWarning("the debounce timer did not fire within five seconds");
    }
    return true;
}

void DialogMonkey::expectSpinnerEdit(QAbstractSpinBox* box)
{
    if (!box) {
        const ColorChannel channel = sliderChannel();
        expect.spinnerPath = channel;
        for (const SpinnerView& view : spinners) {
            if (view.channel == channel)
                expect.writes.insert(view.box);
        }
        return;
    }
    const SpinnerView* view = viewOf(box);
    if (!view)
        return; // the angle spinner recolours the palette only
    if (expect.host == HostRule::NoChange)
        expect.host = HostRule::Deferred;
    expect.spinnerPath = view->channel;
    expect.writes.insert(box);
}

void DialogMonkey::dropTarget()
{
    // A spinner that loses the focus shows its value again in its own format.
    if (auto* box = qobject_cast<QAbstractSpinBox*>(target))
        expect.writes.insert(box);
    target = nullptr;
    typing = false;
}

void DialogMonkey::settle()
{
    if (dialog->ViewRefreshCount() != refreshesBefore) {
        // Every view was rewritten from the color: the hex line forgets what was typed, and every
        // group but the one kept as typed forgets the user's values.
        hexTyped = false;
        if (editKeepsGroup(expect.spinnerPath)) {
            if (keptGroup != groupOf(expect.spinnerPath))
                keptChannels.clear();
            keptGroup = groupOf(expect.spinnerPath);
            keptChannels.insert(static_cast<int>(expect.spinnerPath));
        } else {
            keptGroup = ColorChannel::None;
            keptChannels.clear();
        }
        QSet<QAbstractSpinBox*> kept;
        for (QAbstractSpinBox* box : qAsConst(userWritten)) {
            if (groupOf(viewOf(box)->channel) == keptGroup)
                kept.insert(box);
        }
        userWritten = kept;
    }
    for (QAbstractSpinBox* box : qAsConst(expect.writes)) {
        if (viewOf(box))
            userWritten.insert(box);
    }
}

// ---- checking

QString DialogMonkey::check(bool strict)
{
    if (!dialog->isVisible())
        return QStringLiteral("the dialog closed");
    QString fault = strict ? QString() : checkHost();
    if (fault.isEmpty()) {
        dialog->WriteHiddenSpinners();
        fault = checkSpinners(strict);
    }
    if (fault.isEmpty() && !strict)
        fault = checkViews();
    return fault;
}

AColor DialogMonkey::hostColor() const
{
    for (auto note = host->notifications.rbegin(); note != host->notifications.rend(); ++note) {
        if (note->kind == RecordingCallback::Notification::Changed)
            return note->color;
    }
    return initialHostColor;
}

QString DialogMonkey::checkHost()
{
    const AColor now = dialog->GetAColor();
    const bool changed = !(now == hostColorBefore);
    const bool told = host->notifications.size() != notificationsBefore;
    const AColor heard = hostColor();
    switch (expect.host) {
    case HostRule::NoChange:
        if (dialog->GetCurrentColorValue() != colorBefore)
            return QStringLiteral("the color changed from %1 to %2")
                .arg(describe(colorBefore), describe(dialog->GetCurrentColorValue()));
        if (told)
            return QStringLiteral("the host was told of an unchanged color");
        break;
    case HostRule::Immediate:
        if (changed && !(told && heard == now))
            return QStringLiteral("the host was not told of the new color %1 (it last heard %2)")
                .arg(describe(now), describe(heard));
        break;
    case HostRule::Deferred:
        if (told)
            return QStringLiteral("a spinner edit reached the host before the debounce delay");
        if (changed && !updateTimer->isActive())
            return QStringLiteral("a spinner edit changed the color without starting the timer");
        break;
    case HostRule::Silent:
        if (told)
            return QStringLiteral("the host was told of a silent change (heard %1)")
                .arg(describe(heard));
        break;
    case HostRule::SliderRelease:
        if (!told || !(heard == hostColorBefore))
            return QStringLiteral("the slider's release did not report the color %1 (heard %2)")
                .arg(describe(hostColorBefore), describe(heard));
        break;
    }
    if (told && heard == now)
        hostMayLag = false;
    else if (changed)
        hostMayLag = true;
    if (!hostMayLag && !updateTimer->isActive() && !(heard == now))
        return QStringLiteral("the host last heard %1 but the color is %2")
            .arg(describe(heard), describe(now));
    return QString();
}

const DialogMonkey::SpinnerView* DialogMonkey::viewOf(const QAbstractSpinBox* box) const
{
    for (const SpinnerView& view : spinners) {
        if (view.box == box)
            return &view;
    }
    return nullptr;
}

bool DialogMonkey::showsDisplayForm(const SpinnerView& view, const ColorValue& color) const
{
    const bool sRgb = sRgbBox->isChecked();
    // A spinner shows what its range holds: the temperature spinner starts at 1500 K, while the
    // color's temperature goes down to 1000 K.
    if (view.integer)
        return view.integer->value() ==
               std::clamp(shownFromStored(view.channel, color.channel(view.channel), sRgb),
                          view.integer->minimum(), view.integer->maximum());
    // The spinner keeps its value rounded to the decimals it shows.
    const double shown =
        QString::number(shownFloat(color, view.channel, sRgb), 'f', view.real->decimals())
            .toDouble();
    return view.real->value() == shown;
}

bool DialogMonkey::storesWhatItShows(const SpinnerView& view, const ColorValue& color) const
{
    const int shown = view.integer
                          ? view.integer->value()
                          : integerFromFloat(view.channel, static_cast<float>(view.real->value()));
    return color.channel(view.channel) ==
           storedFromShown(view.channel, shown, sRgbBox->isChecked());
}

QString DialogMonkey::valueText(const SpinnerView& view) const
{
    return view.integer ? QString::number(view.integer->value())
                        : QString::number(view.real->value(), 'g', 10);
}

QString DialogMonkey::formatted(const SpinnerView& view) const
{
    return view.integer ? spinnerText(view.box, view.integer->value(), -1)
                        : spinnerText(view.box, view.real->value(), view.real->decimals());
}

QString DialogMonkey::checkSpinners(bool strict)
{
    const ColorValue color = dialog->GetCurrentColorValue();
    for (const SpinnerView& view : spinners) {
        const bool typedIn = view.box == target && typing;
        if (typedIn && !view.box->hasAcceptableInput())
            continue; // half-typed
        const bool kept =
            !strict && keptGroup != ColorChannel::None && groupOf(view.channel) == keptGroup;
        const QString text = view.box->text();
        if (kept && !expect.writes.contains(view.box) && text != view.textBefore)
            return QStringLiteral("%1 was rewritten from \"%2\" to \"%3\" while its group is "
                                  "being typed in")
                .arg(view.box->objectName(), view.textBefore, text);
        bool agrees = showsDisplayForm(view, color);
        if (!agrees && !strict && (userWritten.contains(view.box) || typedIn))
            agrees = storesWhatItShows(view, color);
        if (!agrees && kept && keptChannels.contains(static_cast<int>(view.channel)) &&
            !expect.writes.contains(view.box))
            continue; // the twin of a typed spinner keeps its text
        if (!agrees)
            return QStringLiteral("%1 shows %2 (\"%3\") for %4 (sRGB %5)")
                .arg(view.box->objectName(), valueText(view), text, describe(color),
                     sRgbBox->isChecked() ? QStringLiteral("on") : QStringLiteral("off"));
        if (!typedIn && text != formatted(view))
            return QStringLiteral("%1 holds %2 but shows \"%3\"")
                .arg(view.box->objectName(), valueText(view), text);
    }
    if (!hexTyped && hexLine->text() != color.hex().text())
        return QStringLiteral("the hex line shows \"%1\" for %2")
            .arg(hexLine->text(), describe(color));
    return QString();
}

int DialogMonkey::page() const
{
    return stack->currentIndex();
}

ColorChannel DialogMonkey::sliderChannel() const
{
    // Beside the HSV wheel the slider always drives the value.
    return page() == 1 ? ColorChannel::Value
                       : static_cast<ColorChannel>(channelButtons->checkedId());
}

QString DialogMonkey::checkViews()
{
    const ColorValue color = dialog->GetCurrentColorValue();
    if (page() != pageBox->currentIndex())
        return QStringLiteral("the field stack shows page %1 while the box names page %2")
            .arg(page())
            .arg(pageBox->currentIndex());
    if (currentSwatch->palette().color(QPalette::Window) != color.toQColor())
        return QStringLiteral("the current swatch shows %1 for %2")
            .arg(currentSwatch->palette().color(QPalette::Window).name(QColor::HexArgb),
                 describe(color));
    const HsvColor base = strip->palette(0)->shownColor();
    if (!(base == color.hsv()))
        return QStringLiteral("the palette's base tile shows hsv %1 %2 %3 for %4")
            .arg(base.hue())
            .arg(base.saturation())
            .arg(base.value())
            .arg(describe(color));

    QString fault;
    switch (page()) {
    case 0:
        fault = checkField(field, color, sliderChannel());
        break;
    case 1: {
        if (!(hsvWheel->shownColor() == color))
            return QStringLiteral("the HSV wheel holds %1 for %2")
                .arg(describe(hsvWheel->shownColor()), describe(color));
        const QPoint expected = hsvWheel->markerCorner(
            color.hsv().hue(), hsvWheel->markerRadius(color.hsv().saturation()));
        const QPoint shown = ownLabel(hsvWheel, "markerLabel")->pos();
        if (shown != expected)
            return QStringLiteral("the HSV wheel's marker stands at %1, not %2, for %3")
                .arg(point(shown), point(expected), describe(color));
        break;
    }
    case 2: {
        if (!(hueWheel->shownColor() == color))
            return QStringLiteral("the hue wheel holds %1 for %2")
                .arg(describe(hueWheel->shownColor()), describe(color));
        const QPoint expected = hueWheel->markerCorner(color.hsv().hue(), HueWheel::RingMiddle);
        const QPoint shown = ownLabel(hueWheel, "markerLabel")->pos();
        if (shown != expected)
            return QStringLiteral("the hue ring's marker stands at %1, not %2, for %3")
                .arg(point(shown), point(expected), describe(color));
        fault = checkField(innerField, color, ColorChannel::Hue);
        break;
    }
    case 3:
        if (canvas->shownPenColor() != color.toQColor())
            return QStringLiteral("the canvas paints with %1 for %2")
                .arg(canvas->shownPenColor().name(QColor::HexArgb), describe(color));
        if (slider->isVisible())
            return QStringLiteral("the slider is shown beside the canvas");
        break;
    default:
        return QStringLiteral("the field stack shows page %1").arg(page());
    }
    // The slider stands beside the square field and the HSV wheel only.
    if (fault.isEmpty() && page() < 2)
        fault = checkSlider(color, sliderChannel());
    return fault;
}

QString DialogMonkey::checkField(ColorField* square, const ColorValue& color, ColorChannel channel)
{
    const QPoint shown = ownLabel(square, "markerLabel")->pos();
    if (held.widget == square && held.button == Qt::LeftButton) {
        // While the button is held the marker stands in for the pointer.
        if (shown != held.marker + kFieldMarkerOffset)
            return QStringLiteral("%1's marker stands at %2 during a drag to %3")
                .arg(nameOf(square), point(shown), point(held.marker));
        return QString();
    }
    if (square->shownChannel() != channel || !(square->shownColor() == color))
        return QStringLiteral("%1 shows channel %2 of %3, not channel %4 of %5")
            .arg(nameOf(square))
            .arg(static_cast<int>(square->shownChannel()))
            .arg(describe(square->shownColor()))
            .arg(static_cast<int>(channel))
            .arg(describe(color));
    const QPoint expected =
        ColorFieldMapping(channel, square->width(), square->height()).markerPosition(color) +
        kFieldMarkerOffset;
    if (shown != expected)
        return QStringLiteral("%1's marker stands at %2, not %3, for channel %4 of %5")
            .arg(nameOf(square), point(shown), point(expected))
            .arg(static_cast<int>(channel))
            .arg(describe(color));
    return QString();
}

QString DialogMonkey::checkSlider(const ColorValue& color, ColorChannel channel)
{
    if (!slider->isVisible())
        return QStringLiteral("the slider is hidden on page %1").arg(page());
    int coordinate;
    if (held.widget == slider && held.button == Qt::LeftButton) {
        coordinate = held.marker.y();
    } else {
        if (slider->shownChannel() != channel || !(slider->shownColor() == color))
            return QStringLiteral("the slider shows channel %1 of %2, not channel %3 of %4")
                .arg(static_cast<int>(slider->shownChannel()))
                .arg(describe(slider->shownColor()))
                .arg(static_cast<int>(channel))
                .arg(describe(color));
        coordinate = std::clamp(slider->markerPosition(color, channel), 0, slider->height());
    }
    const QWidget* gradient = ownLabel(slider, "gradientLabel");
    const QPoint left = QPoint(gradient->x(), coordinate) + kLeftArrowOffset;
    const QPoint right = QPoint(gradient->x() + gradient->width(), coordinate) + kRightArrowOffset;
    const QPoint shownLeft = ownLabel(slider, "leftArrowLabel")->pos();
    const QPoint shownRight = ownLabel(slider, "rightArrowLabel")->pos();
    if (shownLeft != left || shownRight != right)
        return QStringLiteral("the slider's arrows stand at %1 and %2, not %3 and %4 "
                              "(coordinate %5, channel %6 of %7)")
            .arg(point(shownLeft), point(shownRight), point(left), point(right))
            .arg(coordinate)
            .arg(static_cast<int>(channel))
            .arg(describe(color));
    return QString();
}

QString DialogMonkey::checkPictures()
{
    // The pictures are compared with what fresh widgets of the same size draw for the color, so
    // a picture kept from an earlier color shows.
    const ColorValue color = dialog->GetCurrentColorValue();
    const auto samePicture = [&](ColorField* square, ColorChannel channel) {
        ColorField reference(square->width(), square->height(), nullptr);
        reference.setColor(color, channel);
        return square->shownPicture() == reference.shownPicture();
    };
    if (page() == 0 && !samePicture(field, sliderChannel()))
        return QStringLiteral("the field's picture is not that of channel %1 of %2")
            .arg(static_cast<int>(sliderChannel()))
            .arg(describe(color));
    if (page() == 2 && !samePicture(innerField, ColorChannel::Hue))
        return QStringLiteral("the hue wheel's square is not that of %1").arg(describe(color));
    if (page() < 2) {
        ColorSlider reference(nullptr);
        reference.setColor(color, sliderChannel());
        if (rendered(ownLabel(slider, "gradientLabel")) !=
            rendered(ownLabel(&reference, "gradientLabel")))
            return QStringLiteral("the slider's strip is not that of channel %1 of %2")
                .arg(static_cast<int>(sliderChannel()))
                .arg(describe(color));
    }
    // The base tile's own area, above its shades.
    ColorPalette* base = strip->palette(0);
    const QColor painted = rendered(base).pixelColor(base->width() / 2, 4);
    const RgbColor rgb(color.hsv());
    if (painted != QColor(rgb.red(), rgb.green(), rgb.blue()))
        return QStringLiteral("the palette's base tile is painted %1 for %2")
            .arg(painted.name(), describe(color));
    return QString();
}
