#pragma once

#include "color/ColorValue.h"

#include <QObject>

#include <deque>
#include <functional>

class QTimer;

// The color being edited, without any widget: the initial, current and committed colors, the undo
// and redo histories and the debounce timer of typed edits. Every change names its kind, and one
// table says per kind whether the host is told at once, by the timer or not at all, and what the
// history makes of it. The dialog brings its views up to date in between: after the color is
// current and before the host hears of it.
class ColorEdit : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorEdit)

public:
    enum class ChangeKind
    {
        // A spinner typed in: the host hears of a burst of typing once, by the timer.
        Typed,
        // A step of a slider drag, and its release (the host hears the color before the step).
        SliderStep,
        SliderEnd,
        // A step of a field or wheel drag; a view's final choice (a release, a palette tile, a
        // swatch); the end of a drag whose color is already current.
        ViewStep,
        ViewFinal,
        DragEnd,
        // A change made whole by a control (hex line, reset, eyedropper, harmony switches, paste),
        // and the timer's report of typing.
        Applied,
        TimerFired,
        // The same color shown again (the spinner type, the host's refresh).
        Quiet,
        // A color taken from a history.
        HistoryStep,
        // The host's own color: made current, or replacing the initial color too.
        HostModified,
        HostReplaced,
    };
    enum class HostTold
    {
        Now,
        // At once, with the color current before this change.
        Before,
        ByTimer,
        Never,
        // Never, and a report still waiting for the timer is dropped.
        Withdrawn,
    };
    enum class HistoryEffect
    {
        None,
        // The change is a step of the undo history.
        Step,
        // The change is where the next step starts, but no step itself.
        Rebase,
        // Both histories start again from the change.
        Restart,
    };
    struct ChangeRule
    {
        // Typing still waiting for the timer becomes a step of its own first.
        bool finishesTyping;
        HostTold host;
        HistoryEffect history;
    };
    static ChangeRule rule(ChangeKind kind);

    // The debounce delay of typed edits, and how many colors each history keeps.
    static constexpr int kUpdateDelayMs = 500;
    static constexpr std::size_t kHistoryLimit = 100;

    // The timer is a child of `parent` (the dialog), where the host's tools find it.
    explicit ColorEdit(const ColorValue& color, QObject* parent = nullptr);

    const ColorValue& current() const { return currentColor; }
    const ColorValue& initial() const { return initialColor; }
    QTimer* timer() const { return updateTimer; }
    std::size_t undoDepth() const { return undoHistory.size(); }
    std::size_t redoDepth() const { return redoHistory.size(); }

    // Makes `color` current as a change of `kind`; `views` runs once it is current, before the
    // host is told.
    void change(ChangeKind kind, const ColorValue& color, const std::function<void()>& views = {});
    // Steps back to the color before the last committed change, or forward again, through
    // `views` as a change would; false when the history is empty.
    bool undo(const std::function<void()>& views = {});
    bool redo(const std::function<void()>& views = {});
    // Drops a report still waiting for the timer (the dialog closes, or reports itself).
    void stopTimer();

signals:
    // The host must hear of `color` now.
    void hostToldOf(const ColorValue& color);

private:
    bool step(std::deque<ColorValue>& from, std::deque<ColorValue>& to,
              const std::function<void()>& views);
    void commit(const ColorValue& color);
    void finishTyping();

    ColorValue initialColor;
    ColorValue currentColor;
    // The color as of the last committed change: what the next one pushes onto undoHistory.
    ColorValue committedColor;
    std::deque<ColorValue> undoHistory;
    std::deque<ColorValue> redoHistory;
    QTimer* updateTimer = nullptr;
    // Changes made while the views of another follow (a view answering its setColor) are part
    // of that one: they finish no typing.
    int depth = 0;
};
