#include "dialog/ColorEdit.h"

#include <QTimer>

namespace {

using Kind = ColorEdit::ChangeKind;
using Host = ColorEdit::HostTold;
using History = ColorEdit::HistoryEffect;

struct KindRule
{
    Kind kind;
    ColorEdit::ChangeRule rule;
};

// The host hears every step of a field or wheel drag but only the end of one is a step of the
// history; a slider tells the host at its release only. Typing is a step once it is finished: by
// the next change of another kind, by the timer's report or by a step of the history.
constexpr KindRule kRules[] = {
    {Kind::Typed, {false, Host::ByTimer, History::None}},
    {Kind::SliderStep, {true, Host::Never, History::None}},
    {Kind::SliderEnd, {true, Host::Before, History::Step}},
    {Kind::ViewStep, {true, Host::Now, History::None}},
    {Kind::ViewFinal, {true, Host::Never, History::Step}},
    {Kind::DragEnd, {true, Host::Never, History::Step}},
    {Kind::Applied, {true, Host::Now, History::Step}},
    {Kind::TimerFired, {true, Host::Now, History::Step}},
    {Kind::Quiet, {false, Host::Never, History::None}},
    {Kind::HistoryStep, {false, Host::Now, History::Rebase}},
    {Kind::HostModified, {false, Host::Withdrawn, History::Rebase}},
    {Kind::HostReplaced, {false, Host::Now, History::Restart}},
};

template <typename T> void pushBounded(std::deque<T>& history, const T& value)
{
    history.push_back(value);
    if (history.size() > ColorEdit::kHistoryLimit)
        history.pop_front();
}

} // namespace

ColorEdit::ChangeRule ColorEdit::rule(ChangeKind kind)
{
    for (const KindRule& entry : kRules) {
        if (entry.kind == kind)
            return entry.rule;
    }
    return {false, Host::Never, History::None};
}

ColorEdit::ColorEdit(const ColorValue& color, QObject* parent)
    : QObject(parent), initialColor(color), currentColor(color), committedColor(color),
      updateTimer(new QTimer(parent ? parent : this))
{
    updateTimer->setSingleShot(true);
}

void ColorEdit::change(ChangeKind kind, const ColorValue& color, const std::function<void()>& views)
{
    // `color` may refer to currentColor itself; copy before overwriting.
    const ColorValue next = color;
    const ChangeRule r = rule(kind);
    if (r.finishesTyping && depth == 0)
        finishTyping();
    ++depth;
    if (r.host == Host::Before)
        emit hostToldOf(currentColor);
    if (r.host == Host::Withdrawn)
        updateTimer->stop();
    if (kind == Kind::HostReplaced)
        initialColor = next;
    currentColor = next;
    if (views)
        views();
    if (r.host == Host::Now)
        emit hostToldOf(currentColor);
    else if (r.host == Host::ByTimer)
        updateTimer->start(kUpdateDelayMs);
    --depth;
    switch (r.history) {
    case History::Step:
        commit(currentColor);
        break;
    case History::Restart:
        undoHistory.clear();
        redoHistory.clear();
        committedColor = currentColor;
        break;
    case History::Rebase:
        committedColor = currentColor;
        break;
    case History::None:
        break;
    }
}

bool ColorEdit::undo(const std::function<void()>& views)
{
    return step(undoHistory, redoHistory, views);
}

bool ColorEdit::redo(const std::function<void()>& views)
{
    return step(redoHistory, undoHistory, views);
}

void ColorEdit::stopTimer()
{
    updateTimer->stop();
}

bool ColorEdit::step(std::deque<ColorValue>& from, std::deque<ColorValue>& to,
                     const std::function<void()>& views)
{
    // A change not yet committed (typing still waiting for its timer) is committed first, so the
    // step goes back over it.
    finishTyping();
    commit(currentColor);
    if (from.empty())
        return false;
    const ColorValue entry = from.back();
    from.pop_back();
    pushBounded(to, currentColor);
    change(Kind::HistoryStep, entry, views);
    return true;
}

void ColorEdit::commit(const ColorValue& color)
{
    if (color == committedColor)
        return;
    pushBounded(undoHistory, committedColor);
    redoHistory.clear();
    committedColor = color;
}

void ColorEdit::finishTyping()
{
    // The host still hears of the typing by the timer, as before.
    if (updateTimer->isActive())
        commit(currentColor);
}
