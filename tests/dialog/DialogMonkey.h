#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "host/services/HostServices.h"

#include <QPoint>
#include <QSet>
#include <QString>

#include <cstdint>
#include <vector>

class CanvasArea;
class ColorDorvoDialog;
class ColorField;
class ColorPaletteLayout;
class ColorSlider;
class HsvWheel;
class HueWheel;
class QAbstractButton;
class QAbstractSpinBox;
class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStackedWidget;
class QTimer;
class QWidget;
class RecordingCallback;

// A user who never stops: seeded random presses, drags and releases on the color field pages and
// the slider, keys typed into the spinners and the hex line, clicks on the radio buttons, the
// palette tiles and the color buttons, and page changes, all sent as mouse and key events to the
// shown picker. After each event it checks that every view shows the dialog's color and that the
// host heard of it as the notify rules say; at checkpoints it lets the debounce timer fire and
// compares the pictures with what fresh widgets draw.
//
// Where the rules allow a view to lag, the check follows them: the spinner group being typed in
// keeps what was typed (the typed spinner must store what it shows, its twin keeps its text), a
// line or spinner being typed in is not judged on its text, a field or slider whose button is
// held shows its marker under the pointer, and silent sources (palette, field release, slider
// steps) leave the host behind until the next notifying change. Return in a spinner that was not
// typed in reads back the value it shows and changes nothing.
//
// Events are data: a failing run can be replayed, whole or in part, on a fresh dialog. An event
// that does not fit the dialog's state when replayed (a drag without its press, a click on a
// hidden widget) is skipped.
class DialogMonkey
{
public:
    struct Event
    {
        enum Kind
        {
            Press,        // widget, pos, button
            Move,         // the held widget to pos
            Release,      // the held widget at pos
            Type,         // text typed into widget
            Key,          // key with modifiers into widget
            FocusClick,   // a click into widget's text at pos, then select all when flag
            ArrowClick,   // button on widget's up (flag) or down arrow
            PaletteClick, // button on tile (its shade when shade >= 0) at pos
            ButtonClick,  // a click on the button named widget
            PageKey,      // key on the field page box
            Checkpoint,   // the debounce timer fires (after its real delay when flag)
        };
        Kind kind = Checkpoint;
        QString widget;
        QPoint pos;
        Qt::MouseButton button = Qt::LeftButton;
        int key = 0;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        QString text;
        int tile = 0;
        int shade = -1;
        bool flag = false;

        QString describe() const;
    };

    DialogMonkey(ColorDorvoDialog* dialog, RecordingCallback* host, std::uint64_t seed);
    ~DialogMonkey();
    DialogMonkey(const DialogMonkey&) = delete;
    DialogMonkey& operator=(const DialogMonkey&) = delete;

    // A random event that fits the dialog's state.
    Event next();
    // The release that ends a drag in progress, where the pointer is.
    Event endOfDrag() const;
    bool buttonHeld() const { return held.widget != nullptr; }

    // Sends the event and checks every view after it; returns what disagrees, empty when all
    // agree (or when the event does not fit the state and is skipped). A Checkpoint lets the
    // window system catch up and the debounce timer fire, then also checks every spinner in
    // display form, the host on the current color, and the field, slider and palette pictures.
    QString run(const Event& event);

private:
    // How the host must hear of what one event does to the color.
    enum class HostRule
    {
        NoChange,      // the color stays as it is and nothing is reported
        Immediate,     // a change is reported at once
        Deferred,      // a spinner edit: reported when the debounce timer fires
        Silent,        // not reported (palette, field release, slider steps)
        SliderRelease, // the release reports the color before its own step
    };

    struct SpinnerView
    {
        ColorChannel channel;
        QAbstractSpinBox* box;
        QSpinBox* integer; // exactly one of these two is set
        QDoubleSpinBox* real;
        QString textBefore;
    };

    struct Drag
    {
        QWidget* widget = nullptr;
        Qt::MouseButton button = Qt::NoButton;
        QPoint pos;
        // Where the held widget's own marker must stand (field position or slider coordinate).
        QPoint marker;
    };

    // Random numbers (splitmix64): the same seed gives the same events on every platform.
    std::uint64_t roll();
    int below(int n);
    bool chance(int percent);
    QPoint randomPointIn(const QWidget* widget, int margin);

    Event nextPress();
    Event nextMove();
    Event nextKey();
    Event nextFocusClick();
    Event nextPaletteClick();

    // Pointer targets go by names of their own (the field has none); the rest by object name.
    QString nameOf(const QWidget* widget) const;
    QWidget* widgetNamed(const QString& name) const;
    // Sends the event; false when it does not fit the state.
    bool perform(const Event& event);
    bool press(QWidget* widget, const Event& event);
    bool move(QWidget* widget, const Event& event);
    bool release(QWidget* widget, const Event& event);
    bool key(QWidget* widget, const Event& event);
    bool focusClick(QWidget* widget, const Event& event);
    bool arrowClick(QWidget* widget, const Event& event);
    bool paletteClick(const Event& event);
    bool buttonClick(QWidget* widget);
    bool checkpoint(const Event& event);

    // The spinner path an event on box may take: its channel, with box written by the user;
    // without a box, a slider step on the slider's channel.
    void expectSpinnerEdit(QAbstractSpinBox* box);
    // After a key or click that may step the spinner being typed in.
    void stepped(QWidget* widget);
    // The focus leaves whatever was typed in.
    void dropTarget();
    // Keys go to the focus widget from now on, if it is one that is typed in.
    void followFocus();
    void settle();

    QString check(bool strict);
    QString checkHost();
    QString checkSpinners(bool strict);
    QString checkViews();
    QString checkField(ColorField* square, const ColorValue& color, ColorChannel channel);
    QString checkSlider(const ColorValue& color, ColorChannel channel);
    QString checkPictures();

    const SpinnerView* viewOf(const QAbstractSpinBox* box) const;
    bool showsDisplayForm(const SpinnerView& view, const ColorValue& color) const;
    bool storesWhatItShows(const SpinnerView& view, const ColorValue& color) const;
    QString valueText(const SpinnerView& view) const;
    QString formatted(const SpinnerView& view) const;
    int page() const;
    ColorChannel sliderChannel() const;
    AColor hostColor() const;

    ColorDorvoDialog* dialog;
    RecordingCallback* host;
    std::uint64_t state;

    std::vector<SpinnerView> spinners;
    QLineEdit* hexLine;
    QSpinBox* angleSpinner;
    QComboBox* pageBox;
    QStackedWidget* stack;
    ColorField* field;
    HsvWheel* hsvWheel;
    HueWheel* hueWheel;
    ColorField* innerField;
    CanvasArea* canvas;
    ColorSlider* slider;
    ColorPaletteLayout* strip;
    QLabel* currentSwatch;
    QTimer* updateTimer;
    QButtonGroup* channelButtons;
    QButtonGroup* harmonyButtons;
    QButtonGroup* spinnerTypeButtons;
    QAbstractButton* sRgbBox;
    AColor initialHostColor;

    // What the event being checked was allowed to do.
    struct Expectation
    {
        HostRule host = HostRule::NoChange;
        ColorChannel spinnerPath = ColorChannel::None;
        QSet<QAbstractSpinBox*> writes;
    } expect;
    // The state before it.
    ColorValue colorBefore;
    AColor hostColorBefore;
    std::size_t notificationsBefore = 0;
    int refreshesBefore = 0;
    bool timerFired = false;

    // The widget keys go to (a spinner or the hex line), and whether text was typed into it since
    // the dialog last rewrote it or the edit was finished.
    QWidget* target = nullptr;
    bool typing = false;
    bool hexTyped = false;
    Drag held;
    // The group left as typed by the last spinner edit, the channels typed in it since, and the
    // spinners holding a user's value that no refresh has rewritten since.
    ColorChannel keptGroup = ColorChannel::None;
    QSet<int> keptChannels;
    QSet<QAbstractSpinBox*> userWritten;
    // The color changed silently (or with its report still pending) after the host last heard.
    bool hostMayLag = false;
};
