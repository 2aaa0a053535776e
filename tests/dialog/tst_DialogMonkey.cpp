#include "DialogMonkey.h"
#include "TestHost.h"

#include <QtTest>

#include <cstdint>

namespace {

// The run CI makes; another seed is replayed with COLORDORVO_MONKEY_SEED, and a run is made longer
// or cut short at a failing event with COLORDORVO_MONKEY_EVENTS.
constexpr std::uint64_t kDefaultSeed = 20240611;
constexpr int kDefaultEvents = 20000;
// Every this many events the debounce timer is let fire and the pictures are compared; every
// tenth of those waits out the timer's real delay.
constexpr int kCheckpointEvery = 250;

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

QString report(std::uint64_t seed, int index, int events, const QString& event,
               const QString& fault, const QStringList& recent)
{
    QString text =
        QStringLiteral("seed %1, event %2: %3\n  %4\n"
                       "  replay: COLORDORVO_MONKEY_SEED=%1 COLORDORVO_MONKEY_EVENTS=%5\n"
                       "  events before it (of %6):\n")
            .arg(seed)
            .arg(index)
            .arg(event, fault)
            .arg(index + 1)
            .arg(events);
    for (const QString& line : recent)
        text += QStringLiteral("    %1\n").arg(line);
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
    const int events = eventsFromEnvironment();
    qInfo("monkey seed %llu, %d events", static_cast<unsigned long long>(seed), events);

    TestHost host;
    QVERIFY(host.configDir.isValid());
    const QColor start = QColor::fromRgb(static_cast<QRgb>(seed * 2654435761u) | 0xff000000u);
    ColorDorvoDialog* dialog = host.open(start);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    // An edit of the hex line finishes when the focus leaves it, which needs an active window.
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));

    DialogMonkey monkey(dialog, &host.callback, seed);
    int checkpoints = 0;
    for (int i = 0; i < events; ++i) {
        const QString event = monkey.step();
        QString fault = monkey.check();
        if (fault.isEmpty() && i % kCheckpointEvery == kCheckpointEvery - 1 &&
            !monkey.buttonHeld()) {
            fault = monkey.checkpoint(++checkpoints % 10 == 0);
        }
        if (!fault.isEmpty())
            QFAIL(qPrintable(report(seed, i, events, event, fault, monkey.recentEvents())));
    }
    const QString last = monkey.finishDrag();
    QString fault = last.isEmpty() ? QString() : monkey.check();
    if (fault.isEmpty())
        fault = monkey.checkpoint(true);
    if (!fault.isEmpty())
        QFAIL(qPrintable(report(seed, events, events, last.isEmpty() ? QStringLiteral("end") : last,
                                fault, monkey.recentEvents())));
}

QTEST_MAIN(tst_DialogMonkey)
#include "tst_DialogMonkey.moc"
