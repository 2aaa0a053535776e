#include "DialogMonkey.h"
#include "TestHost.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QtTest>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

using Event = DialogMonkey::Event;

// The run CI makes; another seed is replayed with COLORDORVO_MONKEY_SEED, and a run is made longer
// or shorter with COLORDORVO_MONKEY_EVENTS.
constexpr std::uint64_t kDefaultSeed = 20240611;
constexpr int kDefaultEvents = 20000;
// Every this many events the debounce timer is let fire and the pictures are compared; every
// tenth time it runs out its real delay.
constexpr int kCheckpointEvery = 250;
// How long a failure may be cut down before the shortest sequence found so far is printed.
constexpr qint64 kShrinkBudgetMs = 60000;

std::uint64_t seedFromEnvironment()
{
    bool ok = false;
    const std::uint64_t seed = qEnvironmentVariable("COLORDORVO_MONKEY_SEED").toULongLong(&ok);
    return ok ? seed : kDefaultSeed;
}

int eventsFromEnvironment()
{
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("COLORDORVO_MONKEY_EVENTS", &ok);
    return ok && events > 0 ? events : kDefaultEvents;
}

QColor startColor(std::uint64_t seed)
{
    return QColor::fromRgb(static_cast<QRgb>(seed * 2654435761u) | 0xff000000u);
}

// What kind of disagreement a fault is, without its numbers: a shorter sequence must show the
// same kind.
QString kindOf(const QString& fault)
{
    return fault.left(fault.indexOf(QRegularExpression(QStringLiteral("[0-9\"(#]"))));
}

// A picker opened on a host of its own, shown and active, as the user meets it.
struct Session
{
    explicit Session(std::uint64_t seed) : host(std::make_unique<TestHost>())
    {
        dialog = host->open(startColor(seed));
        dialog->show();
        exposed = QTest::qWaitForWindowExposed(dialog);
        // An edit of the hex line finishes when the focus leaves it, which needs an active window.
        dialog->activateWindow();
        active = exposed && QTest::qWaitForWindowActive(dialog);
        monkey = std::make_unique<DialogMonkey>(dialog, &host->callback, seed);
    }

    std::unique_ptr<TestHost> host;
    ColorDorvoDialog* dialog = nullptr;
    bool exposed = false;
    bool active = false;
    std::unique_ptr<DialogMonkey> monkey;
};

// Replays events on a fresh picker; the index of the event where a fault of the given kind
// shows, or -1.
int replay(std::uint64_t seed, const std::vector<Event>& events, const QString& kind)
{
    Session session(seed);
    if (!session.active)
        return -1;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const QString fault = session.monkey->run(events[i]);
        if (!fault.isEmpty())
            return kindOf(fault) == kind ? static_cast<int>(i) : -1;
    }
    return -1;
}

// Cuts a failing sequence down to a short one that fails the same way: first the shortest tail
// that does (doubling its length), then away every chunk whose removal keeps the failure, halving
// the chunks down to single events.
std::vector<Event> shrink(std::uint64_t seed, std::vector<Event> events, const QString& kind)
{
    QElapsedTimer clock;
    clock.start();
    const auto fails = [&](const std::vector<Event>& candidate, std::vector<Event>* kept) {
        const int at = replay(seed, candidate, kind);
        if (at < 0)
            return false;
        kept->assign(candidate.begin(), candidate.begin() + at + 1);
        return true;
    };
    for (std::size_t n = 1; n < events.size(); n *= 2) {
        const std::vector<Event> tail(events.end() - static_cast<std::ptrdiff_t>(n), events.end());
        if (fails(tail, &events) || clock.elapsed() > kShrinkBudgetMs)
            break;
    }
    for (std::size_t chunk = events.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t start = 0; start < events.size();) {
            if (clock.elapsed() > kShrinkBudgetMs)
                return events;
            std::vector<Event> candidate(events.begin(), events.begin() + start);
            candidate.insert(candidate.end(),
                             events.begin() + std::min(events.size(), start + chunk), events.end());
            if (candidate.empty() || !fails(candidate, &events))
                start += chunk;
        }
    }
    return events;
}

QString report(std::uint64_t seed, int index, const Event& event, const QString& fault,
               const std::vector<Event>& reproduction)
{
    QString text =
        QStringLiteral("seed %1, event %2: %3\n  %4\n"
                       "  replay: COLORDORVO_MONKEY_SEED=%1 COLORDORVO_MONKEY_EVENTS=%5\n"
                       "  the same fault from a picker opened on %6, in %7 events:\n")
            .arg(seed)
            .arg(index)
            .arg(event.describe(), fault)
            .arg(index + 1)
            .arg(startColor(seed).name())
            .arg(reproduction.size());
    for (const Event& step : reproduction)
        text += QStringLiteral("    %1\n").arg(step.describe());
    return text;
}

} // namespace

// A seeded stream of user events on a shown picker: after each one every view shows the
// dialog's color, and the host hears of it as the notify rules say.
class tst_DialogMonkey : public QObject
{
    Q_OBJECT

private slots:
    void viewsFollowTheColorThroughRandomEvents();
};

void tst_DialogMonkey::viewsFollowTheColorThroughRandomEvents()
{
    const std::uint64_t seed = seedFromEnvironment();
    const int count = eventsFromEnvironment();
    qInfo("monkey seed %llu, %d events", static_cast<unsigned long long>(seed), count);

    std::vector<Event> events;
    QString fault;
    int index = 0;
    {
        Session session(seed);
        QVERIFY(session.exposed);
        QVERIFY(session.active);
        DialogMonkey& monkey = *session.monkey;
        int checkpoints = 0;
        const auto send = [&](const Event& event) {
            events.push_back(event);
            fault = monkey.run(event);
            return fault.isEmpty();
        };
        for (index = 0; index < count; ++index) {
            if (!send(monkey.next()))
                break;
            if (index % kCheckpointEvery == kCheckpointEvery - 1 && !monkey.buttonHeld()) {
                Event checkpoint;
                checkpoint.flag = ++checkpoints % 10 == 0;
                if (!send(checkpoint))
                    break;
            }
        }
        if (fault.isEmpty() && monkey.buttonHeld())
            send(monkey.endOfDrag());
        if (fault.isEmpty()) {
            Event last;
            last.flag = true;
            send(last);
        }
    }
    if (fault.isEmpty())
        return;
    const Event failed = events.back();
    const std::vector<Event> reproduction = shrink(seed, events, kindOf(fault));
    QFAIL(qPrintable(report(seed, index, failed, fault, reproduction)));
}

QTEST_MAIN(tst_DialogMonkey)
#include "tst_DialogMonkey.moc"
