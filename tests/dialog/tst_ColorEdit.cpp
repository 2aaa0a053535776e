#include "color/ColorValue.h"
#include "dialog/ColorEdit.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(ColorEdit::ChangeKind)
Q_DECLARE_METATYPE(ColorValue)

// Whether the host is told and whether a change is a step of the history, per kind of change.
class tst_ColorEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<ColorValue>(); }
    void rulesPerKindOfChange_data();
    void rulesPerKindOfChange();
    void historyStepsBackAndForth();
};

using Kind = ColorEdit::ChangeKind;

namespace {
const ColorValue kStart(10, 20, 30, 255);
const ColorValue kTyped(40, 50, 60, 255);
const ColorValue kNext(70, 80, 90, 255);
} // namespace

void tst_ColorEdit::rulesPerKindOfChange_data()
{
    QTest::addColumn<Kind>("kind");
    // What the host heard at once: nothing (0), the new color (1) or the color before it (-1).
    QTest::addColumn<int>("heard");
    // Whether a report of typing still waits for the timer after the change.
    QTest::addColumn<bool>("timerRuns");
    // Undo steps after the change from a settled edit, and after it from unfinished typing.
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("stepsAfterTyping");

    QTest::newRow("typed") << Kind::Typed << 0 << true << 0 << 0;
    QTest::newRow("slider step") << Kind::SliderStep << 0 << true << 0 << 1;
    QTest::newRow("slider release") << Kind::SliderEnd << -1 << true << 1 << 2;
    QTest::newRow("view drag step") << Kind::ViewStep << 1 << true << 0 << 1;
    QTest::newRow("view final") << Kind::ViewFinal << 0 << true << 1 << 2;
    QTest::newRow("drag end") << Kind::DragEnd << 0 << true << 1 << 2;
    QTest::newRow("applied") << Kind::Applied << 1 << true << 1 << 2;
    QTest::newRow("timer fired") << Kind::TimerFired << 1 << true << 1 << 2;
    QTest::newRow("quiet") << Kind::Quiet << 0 << true << 0 << 0;
    QTest::newRow("host modified") << Kind::HostModified << 0 << false << 0 << 0;
    QTest::newRow("host replaced") << Kind::HostReplaced << 1 << true << 0 << 0;
}

void tst_ColorEdit::rulesPerKindOfChange()
{
    QFETCH(Kind, kind);
    QFETCH(int, heard);
    QFETCH(bool, timerRuns);
    QFETCH(int, steps);
    QFETCH(int, stepsAfterTyping);

    {
        ColorEdit edit(kStart);
        QSignalSpy told(&edit, &ColorEdit::hostToldOf);
        int viewsRan = 0;
        ColorValue seenByViews;
        edit.change(kind, kNext, [&] {
            ++viewsRan;
            seenByViews = edit.current();
            // The views follow before the host is told.
            QCOMPARE(told.count(), heard < 0 ? 1 : 0);
        });
        QCOMPARE(viewsRan, 1);
        QCOMPARE(seenByViews, kNext);
        QCOMPARE(edit.current(), kNext);
        QCOMPARE(told.count(), heard == 0 ? 0 : 1);
        if (heard != 0)
            QCOMPARE(told.at(0).at(0).value<ColorValue>(), heard > 0 ? kNext : kStart);
        QCOMPARE(edit.timer()->isActive(), kind == Kind::Typed);
        QCOMPARE(int(edit.undoDepth()), steps);
        QCOMPARE(edit.initial(), kind == Kind::HostReplaced ? kNext : kStart);
    }
    {
        // Typing waits for the timer; a change of another kind makes it a step of its own first,
        // and the host's own colors drop or keep its report.
        ColorEdit edit(kStart);
        edit.change(Kind::Typed, kTyped);
        edit.change(kind, kNext);
        QCOMPARE(int(edit.undoDepth()), stepsAfterTyping);
        QCOMPARE(edit.timer()->isActive(), timerRuns);
    }
}

void tst_ColorEdit::historyStepsBackAndForth()
{
    ColorEdit edit(kStart);
    QSignalSpy told(&edit, &ColorEdit::hostToldOf);
    edit.change(Kind::Applied, kTyped);
    edit.change(Kind::Applied, kNext);
    told.clear();

    QVERIFY(edit.undo());
    QCOMPARE(edit.current(), kTyped);
    QCOMPARE(told.count(), 1);
    QVERIFY(edit.undo());
    QCOMPARE(edit.current(), kStart);
    QVERIFY(!edit.undo());
    QCOMPARE(told.count(), 2);
    QVERIFY(edit.redo());
    QCOMPARE(edit.current(), kTyped);
    // A new change drops what could be redone.
    edit.change(Kind::Applied, kNext);
    QVERIFY(!edit.redo());
    QCOMPARE(int(edit.undoDepth()), 2);
    // Unfinished typing is one step that undo goes back over.
    edit.change(Kind::Typed, kStart);
    QVERIFY(edit.undo());
    QCOMPARE(edit.current(), kNext);

    // Each history keeps its limit.
    for (int i = 0; i < int(ColorEdit::kHistoryLimit) + 5; ++i)
        edit.change(Kind::Applied, ColorValue(i % 256, i / 256, 0, 255));
    QCOMPARE(edit.undoDepth(), ColorEdit::kHistoryLimit);
}

QTEST_GUILESS_MAIN(tst_ColorEdit)
#include "tst_ColorEdit.moc"
