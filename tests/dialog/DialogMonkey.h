#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "host/HostServices.h"

#include <QPoint>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

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
// steps) leave the host behind until the next notifying change.
class DialogMonkey
{
public:
    DialogMonkey(ColorDorvoDialog* dialog, RecordingCallback* host, std::uint64_t seed);
    ~DialogMonkey();
    DialogMonkey(const DialogMonkey&) = delete;
    DialogMonkey& operator=(const DialogMonkey&) = delete;

    // Sends one random user event and returns what it was.
    QString step();
    // What disagrees after the last event; empty when every view agrees.
    QString check();
    // Lets the window system catch up and the debounce timer fire (after its real 500 ms when
    // realDelay, else at once), then checks as after an event, every spinner in display form, the
    // host on the current color, and the field, slider and palette pictures.
    QString checkpoint(bool realDelay);
    // Ends a drag in progress with a release where the pointer is; empty when none is.
    QString finishDrag();
    bool buttonHeld() const { return held.widget != nullptr; }

    // The last events sent, oldest first.
    QStringList recentEvents() const { return recent; }

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

    QString perform();
    QString pressOnFieldPage();
    QString pressOnSlider();
    QString moveHeld();
    QString releaseHeld();
    QString keyEvent();
    QString focusEvent();
    QString spinnerArrowClick();
    QString paletteClick();
    QString clickButton(QAbstractButton* button);
    QString changePage();

    // The spinner path an event on box may take: its channel, and box as written by the user.
    void expectSpinnerEdit(QAbstractSpinBox* box);
    // The focus leaves whatever was typed in.
    void dropTarget();
    void settle();

    QString checkHost();
    QString checkSpinners(bool strict);
    QString checkViews();
    QString checkField(ColorField* field, const ColorValue& color, ColorChannel channel);
    QString checkSlider(const ColorValue& color, ColorChannel channel);
    QString checkPictures();

    const SpinnerView* viewOf(const QAbstractSpinBox* box) const;
    bool showsDisplayForm(const SpinnerView& view, const ColorValue& color) const;
    bool storesWhatItShows(const SpinnerView& view, const ColorValue& color) const;
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
    ColorSlider* slider;
    ColorPaletteLayout* strip;
    QLabel* currentSwatch;
    QTimer* updateTimer;
    QButtonGroup* channelButtons;
    QButtonGroup* harmonyButtons;
    QButtonGroup* spinnerTypeButtons;
    QAbstractButton* sRgbBox;
    QAbstractButton* complementaryButton;
    QAbstractButton* invertButton;
    QAbstractButton* resetButton;
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

    QStringList recent;
};
