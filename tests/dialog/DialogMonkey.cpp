#include "DialogMonkey.h"

#include "MouseSupport.h"
#include "RecordingCallback.h"

#include "dialog/ColorDorvoDialog.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
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

constexpr int kRecentEvents = 40;
// Where a field's 16 x 16 marker label stands relative to the position it marks.
const QPoint kFieldMarkerOffset(-8, -8);
// The vertical slider's arrows relative to the strip's edges at the marker coordinate.
const QPoint kLeftArrowOffset(-22, -16);
const QPoint kRightArrowOffset(-9, -16);

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

QImage pixmapImage(const QLabel* label)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
#else
    const QPixmap pixmap = label->pixmap() ? *label->pixmap() : QPixmap();
#endif
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
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

DialogMonkey::DialogMonkey(ColorDorvoDialog* dialog, RecordingCallback* host, std::uint64_t seed)
    : dialog(dialog), host(host), state(seed)
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
    if (!field || !hsvWheel || !hueWheel)
        qFatal("the color field stack does not hold the field, the HSV wheel and the hue wheel");
    innerField = hueWheel->field();
    slider = child<ColorSlider>(dialog, QStringLiteral("channelSlider"));
    strip = child<ColorPaletteLayout>(dialog, QStringLiteral("colorPaletteWidget"));
    currentSwatch = child<QLabel>(dialog, QStringLiteral("currentColorLbl"));
    updateTimer = dialog->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!updateTimer)
        qFatal("the dialog has no debounce timer");
    channelButtons = child<QButtonGroup>(dialog, QStringLiteral("colorSliderBtnGrp"));
    harmonyButtons = child<QButtonGroup>(dialog, QStringLiteral("colorPaletteBtnGrp"));
    spinnerTypeButtons = child<QButtonGroup>(dialog, QStringLiteral("colorSpinnerRangeBtnGrp"));
    sRgbBox = child<QCheckBox>(dialog, QStringLiteral("sRgbCheckBox"));
    complementaryButton = child<QAbstractButton>(dialog, QStringLiteral("complementarySwitchBtn"));
    invertButton = child<QAbstractButton>(dialog, QStringLiteral("invertSwitchBtn"));
    resetButton = child<QAbstractButton>(dialog, QStringLiteral("resetBtn"));
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

QString DialogMonkey::step()
{
    colorBefore = dialog->GetCurrentColorValue();
    hostColorBefore = dialog->GetAColor();
    notificationsBefore = host->notifications.size();
    refreshesBefore = dialog->ViewRefreshCount();
    for (SpinnerView& view : spinners)
        view.textBefore = view.box->text();
    expect = Expectation();

    const QString event = perform();
    settle();
    recent.append(event);
    if (recent.size() > kRecentEvents)
        recent.removeFirst();
    return event;
}

QString DialogMonkey::perform()
{
    if (held.widget) {
        // A hand on the mouse, the other now and then on the keyboard.
        if (chance(5))
            return keyEvent();
        return chance(85) ? moveHeld() : releaseHeld();
    }
    const int r = below(1000);
    if (r < 280)
        return pressOnFieldPage();
    if (r < 400)
        return slider->isVisible() ? pressOnSlider() : pressOnFieldPage();
    if (r < 680)
        return keyEvent();
    if (r < 730)
        return focusEvent();
    if (r < 780)
        return spinnerArrowClick();
    if (r < 840)
        return paletteClick();
    if (r < 880)
        return clickButton(channelButtons->buttons().at(below(channelButtons->buttons().size())));
    if (r < 900)
        return clickButton(harmonyButtons->buttons().at(below(harmonyButtons->buttons().size())));
    if (r < 925)
        return changePage();
    if (r < 940) {
        const QList<QAbstractButton*> types = spinnerTypeButtons->buttons();
        return clickButton(types.at(below(types.size())));
    }
    if (r < 955)
        return clickButton(sRgbBox);
    if (r < 972)
        return clickButton(complementaryButton);
    if (r < 990)
        return clickButton(invertButton);
    return clickButton(resetButton);
}

QString DialogMonkey::pressOnFieldPage()
{
    QWidget* widget = stack->currentWidget();
    QPoint pos = randomPointIn(widget, 0);
    if (widget == hueWheel && innerField->geometry().contains(pos)) {
        // The square inside the ring takes the presses that land on it.
        pos -= innerField->pos();
        widget = innerField;
    }
    const bool square = widget == field || widget == innerField;
    // The wheels answer the left button only; a right press on a square picks at its release.
    const Qt::MouseButton button = square && chance(10) ? Qt::RightButton : Qt::LeftButton;
    press(widget, pos, button);
    held = {widget, button, pos, pos};
    if (square && button == Qt::LeftButton)
        expect.host = HostRule::Immediate;
    else if (!square)
        expect.host = HostRule::Immediate;
    return QStringLiteral("press %1 on %2 at %3")
        .arg(buttonName(button),
             widget->objectName().isEmpty() ? QLatin1String(widget->metaObject()->className())
                                            : widget->objectName(),
             point(pos));
}

QString DialogMonkey::pressOnSlider()
{
    const QPoint pos = randomPointIn(slider, 0);
    const Qt::MouseButton button = chance(8) ? Qt::RightButton : Qt::LeftButton;
    press(slider, pos, button);
    held = {slider, button, pos, QPoint(0, std::clamp(pos.y(), 0, slider->height()))};
    if (button == Qt::LeftButton) {
        expect.host = HostRule::Silent;
        expectSpinnerEdit(nullptr);
    }
    return QStringLiteral("press %1 on the slider at %2").arg(buttonName(button), point(pos));
}

QString DialogMonkey::moveHeld()
{
    QWidget* widget = held.widget;
    QPoint pos;
    const int how = below(10);
    if (how < 6)
        pos = held.pos + QPoint(below(61) - 30, below(61) - 30);
    else if (how < 9)
        pos = randomPointIn(widget, 30);
    else
        pos = randomPointIn(widget, 200);
    sendMouse(widget, QEvent::MouseMove, Qt::NoButton, held.button, pos);
    held.pos = pos;
    if (held.button == Qt::LeftButton) {
        if (widget == slider) {
            held.marker = QPoint(0, std::clamp(pos.y(), 0, slider->height()));
            expect.host = HostRule::Silent;
            expectSpinnerEdit(nullptr);
        } else {
            if (widget == field || widget == innerField)
                held.marker = QPoint(std::clamp(pos.x(), 0, widget->width()),
                                     std::clamp(pos.y(), 0, widget->height()));
            expect.host = HostRule::Immediate;
        }
    }
    return QStringLiteral("drag to %1").arg(point(pos));
}

QString DialogMonkey::releaseHeld()
{
    QWidget* widget = held.widget;
    const Qt::MouseButton button = held.button;
    // The pointer cannot jump: the release comes where the last move left it.
    release(widget, held.pos, button);
    if (widget == slider) {
        expect.host = HostRule::SliderRelease;
        expectSpinnerEdit(nullptr);
    } else if (widget == field || widget == innerField) {
        expect.host = HostRule::Silent;
    } else {
        expect.host = HostRule::Immediate;
    }
    const QString event =
        QStringLiteral("release %1 at %2").arg(buttonName(button), point(held.pos));
    held = Drag();
    return event;
}

QString DialogMonkey::finishDrag()
{
    if (!held.widget)
        return QString();
    colorBefore = dialog->GetCurrentColorValue();
    hostColorBefore = dialog->GetAColor();
    notificationsBefore = host->notifications.size();
    refreshesBefore = dialog->ViewRefreshCount();
    for (SpinnerView& view : spinners)
        view.textBefore = view.box->text();
    expect = Expectation();
    const QString event = releaseHeld();
    settle();
    recent.append(event);
    return event;
}

void DialogMonkey::expectSpinnerEdit(QAbstractSpinBox* box)
{
    if (!box) {
        // A slider step writes both spinners of its channel, then takes the spinner path.
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

QString DialogMonkey::keyEvent()
{
    if (!target || !target->isVisible())
        return focusEvent();
    auto* box = qobject_cast<QAbstractSpinBox*>(target);
    const bool hex = target == hexLine;
    const QString name = target->objectName();

    const int r = below(100);
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;
    if (r < 48) {
        text = QString(QChar('0' + below(10)));
    } else if (r < 58) {
        static const char kHexLetters[] = "abcdefABCDEF";
        static const char kSpinnerMarks[] = ".-.-+,e";
        text =
            hex ? QString(QChar(kHexLetters[below(12)])) : QString(QChar(kSpinnerMarks[below(7)]));
    } else if (r < 64) {
        static const char kJunk[] = "xzQg #-.%";
        text = QString(QChar(kJunk[below(9)]));
    } else if (r < 71) {
        key = chance(70) ? Qt::Key_Backspace : Qt::Key_Delete;
    } else if (r < 80) {
        static const Qt::Key kSteps[] = {Qt::Key_Up,   Qt::Key_Down,   Qt::Key_Up,
                                         Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
        key = kSteps[below(6)];
    } else if (r < 84) {
        static const Qt::Key kMoves[] = {Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right};
        key = kMoves[below(4)];
    } else if (r < 88) {
        key = Qt::Key_A;
        modifiers = Qt::ControlModifier;
    } else if (r < 97) {
        key = Qt::Key_Return;
    } else {
        key = Qt::Key_Tab;
    }

    QString event;
    if (!text.isEmpty()) {
        QTest::keyClicks(target, text);
        event = QStringLiteral("type \"%1\" in %2").arg(text, name);
    } else {
        QTest::keyClick(target, key, modifiers);
        event = QStringLiteral("key %1 in %2")
                    .arg(QKeySequence(static_cast<int>(key) | static_cast<int>(modifiers))
                             .toString(QKeySequence::PortableText),
                         name);
    }

    const bool edits = !text.isEmpty() || key == Qt::Key_Backspace || key == Qt::Key_Delete;
    if (hex) {
        // The line is read when its edit finishes, on Return or when the focus leaves it.
        if (key == Qt::Key_Return || key == Qt::Key_Tab)
            expect.host = HostRule::Immediate;
        if (edits)
            hexTyped = true;
    } else if (box) {
        expectSpinnerEdit(box);
    }
    if (key == Qt::Key_Tab) {
        dropTarget();
    } else if (edits) {
        typing = true;
    } else if (key != Qt::Key_A && key != Qt::Key_Home && key != Qt::Key_End &&
               key != Qt::Key_Left && key != Qt::Key_Right) {
        typing = false;
    }
    return event;
}

QString DialogMonkey::focusEvent()
{
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
    // The click lands on the text: the spinner's line edit, or the hex line itself.
    QWidget* text = next == hexLine ? next : next->findChild<QLineEdit*>();
    const QPoint pos(below(std::max(1, text->width() - 4)) + 2, text->height() / 2);
    QTest::mouseClick(text, Qt::LeftButton, Qt::NoModifier, pos);
    // Leaving the hex line finishes its edit.
    expect.host = HostRule::Immediate;
    dropTarget();
    target = next;
    typing = false;
    QString event = QStringLiteral("click into %1 at %2").arg(next->objectName(), point(pos));
    if (chance(70)) {
        QTest::keyClick(next, Qt::Key_A, Qt::ControlModifier);
        event += QStringLiteral(" and select all");
    }
    return event;
}

QString DialogMonkey::spinnerArrowClick()
{
    auto* box = qobject_cast<QAbstractSpinBox*>(target);
    if (!box || !box->isVisible())
        return focusEvent();
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.buttonSymbols = box->buttonSymbols();
    option.frame = box->hasFrame();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const bool up = chance(50);
    const QRect arrow = box->style()->subControlRect(
        QStyle::CC_SpinBox, &option, up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, box);
    // A right click on the host's arrows puts the spinner back to its reset value.
    const Qt::MouseButton button = chance(10) ? Qt::RightButton : Qt::LeftButton;
    QTest::mouseClick(box, button, Qt::NoModifier, arrow.center());
    expectSpinnerEdit(box);
    typing = false;
    return QStringLiteral("click %1 on the %2 arrow of %3")
        .arg(buttonName(button), up ? QStringLiteral("up") : QStringLiteral("down"),
             box->objectName());
}

QString DialogMonkey::paletteClick()
{
    std::vector<ColorPalette*> tiles;
    for (int i = 0; i < ColorPaletteLayout::TileCount; ++i) {
        if (strip->palette(i)->isVisible())
            tiles.push_back(strip->palette(i));
    }
    const int tileIndex = below(static_cast<int>(tiles.size()));
    ColorPalette* tile = tiles.at(tileIndex);
    QWidget* widget = tile;
    QPoint pos;
    QString what;
    if (chance(65)) {
        // Above the row of shades.
        pos = QPoint(below(tile->width()), below(ColorPalette::TileHeight / 2));
        what = QStringLiteral("tile %1").arg(tileIndex);
    } else {
        const int shade = below(ColorPalette::StepCount);
        widget = tile->step(shade);
        pos = randomPointIn(widget, 0);
        what = QStringLiteral("shade %1 of tile %2").arg(shade).arg(tileIndex);
    }
    const Qt::MouseButton button =
        chance(90) ? Qt::LeftButton : (chance(50) ? Qt::RightButton : Qt::MiddleButton);
    QTest::mouseClick(widget, button, Qt::NoModifier, pos);
    expect.host = HostRule::Silent;
    return QStringLiteral("click %1 on palette %2 at %3").arg(buttonName(button), what, point(pos));
}

QString DialogMonkey::clickButton(QAbstractButton* button)
{
    // Radio buttons and check boxes answer on their indicator, at their left.
    const bool indicator = qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
    const QPoint pos = indicator ? QPoint(8, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, pos);
    // The button takes the focus, which finishes an edit of the hex line.
    expect.host = HostRule::Immediate;
    dropTarget();
    return QStringLiteral("click %1%2")
        .arg(button->objectName(), button->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
}

QString DialogMonkey::changePage()
{
    const Qt::Key key = chance(50) ? Qt::Key_Down : Qt::Key_Up;
    QTest::keyClick(pageBox, key);
    expect.host = HostRule::NoChange;
    return QStringLiteral("key %1 on the page box (now %2)")
        .arg(key == Qt::Key_Down ? QStringLiteral("Down") : QStringLiteral("Up"))
        .arg(pageBox->currentText());
}

void DialogMonkey::settle()
{
    if (dialog->ViewRefreshCount() != refreshesBefore) {
        // Every view was rewritten from the color: the hex line forgets what was typed, and every
        // group but the one kept as typed forgets the user's values.
        hexTyped = false;
        const ChannelInfo& info = channelInfo(expect.spinnerPath);
        if (expect.spinnerPath != ColorChannel::None && info.editKeeps == info.group) {
            if (keptGroup != info.group)
                keptChannels.clear();
            keptGroup = info.group;
            keptChannels.insert(static_cast<int>(expect.spinnerPath));
        } else {
            keptGroup = ColorChannel::None;
            keptChannels.clear();
        }
        QSet<QAbstractSpinBox*> kept;
        for (QAbstractSpinBox* box : qAsConst(userWritten)) {
            if (channelInfo(viewOf(box)->channel).group == keptGroup)
                kept.insert(box);
        }
        userWritten = kept;
    }
    userWritten += expect.writes;
}

QString DialogMonkey::check()
{
    if (!dialog->isVisible())
        return QStringLiteral("the dialog closed");
    QString fault = checkHost();
    if (fault.isEmpty())
        fault = checkSpinners(false);
    if (fault.isEmpty())
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
        const bool kept = !strict && keptGroup != ColorChannel::None &&
                          channelInfo(view.channel).group == keptGroup;
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
                .arg(view.box->objectName())
                .arg(view.integer ? view.integer->value() : view.real->value())
                .arg(text, describe(color),
                     sRgbBox->isChecked() ? QStringLiteral("on") : QStringLiteral("off"));
        if (!typedIn && text != formatted(view))
            return QStringLiteral("%1 holds %2 but shows \"%3\"")
                .arg(view.box->objectName())
                .arg(view.integer ? view.integer->value() : view.real->value())
                .arg(text);
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
    if (!(strip->palette(0)->shownColor() == color.hsv()))
        return QStringLiteral("the palette's base tile shows hsv %1 %2 %3 for %4")
            .arg(strip->palette(0)->shownColor().hue())
            .arg(strip->palette(0)->shownColor().saturation())
            .arg(strip->palette(0)->shownColor().value())
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
        // Where a wheel of the same size puts the marker of this color.
        HsvWheel reference(nullptr);
        reference.moveMarker(color.hsv());
        const QPoint expected = ownLabel(&reference, "markerLabel")->pos();
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
        HueWheel reference(nullptr);
        reference.moveMarker(color.hsv());
        const QPoint expected = ownLabel(&reference, "markerLabel")->pos();
        const QPoint shown = ownLabel(hueWheel, "markerLabel")->pos();
        if (shown != expected)
            return QStringLiteral("the hue ring's marker stands at %1, not %2, for %3")
                .arg(point(shown), point(expected), describe(color));
        fault = checkField(innerField, color, ColorChannel::Hue);
        break;
    }
    default:
        return QStringLiteral("the field stack shows page %1").arg(page());
    }
    if (fault.isEmpty() && page() != 2)
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
                .arg(square->objectName(), point(shown), point(held.marker));
        return QString();
    }
    if (square->shownChannel() != channel || !(square->shownColor() == color))
        return QStringLiteral("%1 shows channel %2 of %3, not channel %4 of %5")
            .arg(square->objectName())
            .arg(static_cast<int>(square->shownChannel()))
            .arg(describe(square->shownColor()))
            .arg(static_cast<int>(channel))
            .arg(describe(color));
    const QPoint expected = square->markerPosition(color, channel) + kFieldMarkerOffset;
    if (shown != expected)
        return QStringLiteral("%1's marker stands at %2, not %3, for channel %4 of %5")
            .arg(square->objectName(), point(shown), point(expected))
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
    const QWidget* strip = ownLabel(slider, "gradientLabel");
    const QPoint left = QPoint(strip->x(), coordinate) + kLeftArrowOffset;
    const QPoint right = QPoint(strip->x() + strip->width(), coordinate) + kRightArrowOffset;
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

QString DialogMonkey::checkpoint(bool realDelay)
{
    // Let the window system catch up (layout, painting) before anything is measured.
    QCoreApplication::processEvents();
    colorBefore = dialog->GetCurrentColorValue();
    hostColorBefore = dialog->GetAColor();
    notificationsBefore = host->notifications.size();
    refreshesBefore = dialog->ViewRefreshCount();
    for (SpinnerView& view : spinners)
        view.textBefore = view.box->text();
    expect = Expectation();
    expect.host = HostRule::Immediate;
    const bool pending = updateTimer->isActive();
    if (pending) {
        if (!realDelay)
            updateTimer->start(0);
        if (!QTest::qWaitFor([this] { return !updateTimer->isActive(); }, 5000))
            return QStringLiteral("the debounce timer never fired");
    }
    settle();

    QString fault = check();
    if (!fault.isEmpty())
        return fault;
    if (pending) {
        if (!(hostColor() == dialog->GetAColor()))
            return QStringLiteral("after the debounce delay the host last heard %1, not %2")
                .arg(describe(hostColor()), describe(dialog->GetAColor()));
        fault = checkSpinners(true);
        if (!fault.isEmpty())
            return fault;
    }
    return checkPictures();
}

QString DialogMonkey::checkPictures()
{
    // The pictures are compared with what fresh widgets of the same size draw for the color, so
    // a picture kept from an earlier color shows.
    const ColorValue color = dialog->GetCurrentColorValue();
    const auto samePicture = [&](ColorField* square, ColorChannel channel) {
        ColorField reference(square->width(), square->height(), nullptr);
        reference.setColor(color, channel);
        return pixmapImage(ownLabel(square, "fieldLabel")) ==
               pixmapImage(ownLabel(&reference, "fieldLabel"));
    };
    if (page() == 0 && !samePicture(field, sliderChannel()))
        return QStringLiteral("the field's picture is not that of channel %1 of %2")
            .arg(static_cast<int>(sliderChannel()))
            .arg(describe(color));
    if (page() == 2 && !samePicture(innerField, ColorChannel::Hue))
        return QStringLiteral("the hue wheel's square is not that of %1").arg(describe(color));
    if (page() != 2) {
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
