#include "DialogSupport.h"
#include "MouseSupport.h"
#include "TestHost.h"

#include "dialog/ColorDorvoDialog.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"

#include "hostsdk/HostRuntime.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <tuple>

// Undo and redo step through the colors the user committed, driven with the keys.
class tst_DialogHistory : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;
    QPointer<ColorDorvoDialog> dialog;

    void open(const QColor& color)
    {
        dialog = host->open(color);
        QVERIFY(showActive(dialog));
    }
    template <typename T> T* find(const char* name) const { return childNamed<T>(dialog, name); }
    QString hex() const { return dialog->GetCurrentQColor().name().mid(1).toUpper(); }
    // The keys pressed where no text field has typing to take back.
    void press(QKeySequence::StandardKey key)
    {
        auto* reset = find<QPushButton>("resetBtn");
        reset->setFocus();
        const QKeySequence sequence = QKeySequence::keyBindings(key).first();
        QTest::keySequence(reset, sequence);
    }
    void typeHex(const QString& text)
    {
        auto* line = find<QLineEdit>("hexEditLine");
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    }
    // Types into the red spinner; `settle` lets the debounce timer run out.
    void typeRed(const QString& text, bool settle)
    {
        auto* spinner = find<QSpinBox>("redIntSpinner");
        spinner->setFocus();
        spinner->selectAll();
        QTest::keyClicks(spinner, text);
        if (settle) {
            auto* timer = dialog->findChild<QTimer*>();
            QVERIFY(QTest::qWaitFor([timer] { return !timer->isActive(); }, 5000));
        }
    }
    void drag(QWidget* widget, const QPoint& from, const QPoint& to)
    {
        ::press(widget, from);
        moveHeld(widget, (from + to) / 2);
        moveHeld(widget, to);
        release(widget, to);
        QCoreApplication::processEvents();
    }
    void perform(const QString& step)
    {
        const QString argument = step.section(QLatin1Char(':'), 1);
        if (step == QLatin1String("undo"))
            press(QKeySequence::Undo);
        else if (step == QLatin1String("redo"))
            press(QKeySequence::Redo);
        else if (step.startsWith(QLatin1String("hex:")))
            typeHex(argument);
        else if (step.startsWith(QLatin1String("red:")))
            typeRed(argument, true);
        else if (step.startsWith(QLatin1String("redTyping:")))
            typeRed(argument, false);
        else if (step == QLatin1String("complementary"))
            QTest::mouseClick(find<QPushButton>("complementarySwitchBtn"), Qt::LeftButton);
        else if (step == QLatin1String("invert"))
            QTest::mouseClick(find<QPushButton>("invertSwitchBtn"), Qt::LeftButton);
        else if (step == QLatin1String("reset"))
            QTest::mouseClick(find<QPushButton>("resetBtn"), Qt::LeftButton);
        else if (step == QLatin1String("tile"))
            ::press(find<ColorPaletteLayout>("colorPaletteWidget")->palette(1), QPoint(5, 5));
        else if (step == QLatin1String("slider"))
            drag(dialog->findChild<ColorSlider*>("channelSlider"), QPoint(10, 20), QPoint(10, 150));
        else if (step.startsWith(QLatin1String("field:")))
            drag(dialog->findChild<ColorField*>(), QPoint(argument.toInt(), 30),
                 QPoint(argument.toInt(), 160));
        else if (step.startsWith(QLatin1String("wheel:"))) {
            find<QComboBox>("colorFieldComboBox")->setCurrentIndex(1);
            auto* wheel = dialog->findChild<HsvWheel*>();
            const QPoint centre = wheel->rect().center();
            const int x = argument.toInt();
            drag(wheel, centre + QPoint(x, 0), centre + QPoint(x / 2, 20));
        } else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        HostRuntime::ClearOutput();
    }
    void cleanup()
    {
        dialog.clear();
        host.reset();
    }

    void stepsThroughCommittedColors_data();
    void stepsThroughCommittedColors();
    void keepsHundredEntries();
    void textFieldUndoesItsOwnTyping();
    void keysStepColorInEveryTextField_data();
    void keysStepColorInEveryTextField();
};

void tst_DialogHistory::stepsThroughCommittedColors_data()
{
    // After each step the color is the one after step k ("@k", @0 the opening color) or the
    // hex given. Colors reached by drags and picks are only known once reached.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("hex entries") << QStringList{"hex:112233", "hex:445566", "undo", "undo",
                                                "undo",       "redo",       "redo", "redo"}
                                 << QStringList{"112233", "445566", "112233", "@0",
                                                "@0",     "112233", "445566", "445566"};
    QTest::newRow("a new change forgets what was undone")
        << QStringList{"hex:112233", "hex:445566", "undo", "hex:778899", "redo", "undo", "undo"}
        << QStringList{"112233", "445566", "112233", "778899", "778899", "112233", "@0"};
    QTest::newRow("the same color again is no step")
        << QStringList{"hex:112233", "hex:112233", "reset", "reset", "undo", "undo"}
        << QStringList{"112233", "112233", "@0", "@0", "112233", "@0"};
    QTest::newRow("typing, once the timer ran")
        << QStringList{"red:200", "red:100", "undo", "undo", "redo"}
        << QStringList{"C8C81E", "64C81E", "C8C81E", "@0", "C8C81E"};
    QTest::newRow("typing still waiting for the timer")
        << QStringList{"redTyping:200", "undo", "redo"} << QStringList{"C8C81E", "@0", "C8C81E"};
    QTest::newRow("typing, then a switch") << QStringList{"redTyping:200", "invert", "undo", "undo"}
                                           << QStringList{"C8C81E", "3737E1", "C8C81E", "@0"};
    QTest::newRow("switches and reset")
        << QStringList{"complementary", "invert", "reset", "undo", "undo", "undo", "redo"}
        << QStringList{"@1", "@2", "@0", "@2", "@1", "@0", "@1"};
    QTest::newRow("palette tile") << QStringList{"tile", "undo", "redo"}
                                  << QStringList{"@1", "@0", "@1"};
    QTest::newRow("one step per slider drag")
        << QStringList{"slider", "undo", "redo"} << QStringList{"@1", "@0", "@1"};
    QTest::newRow("one step per field drag")
        << QStringList{"field:40", "field:200", "undo", "undo", "redo"}
        << QStringList{"@1", "@2", "@1", "@0", "@1"};
    QTest::newRow("one step per wheel drag") << QStringList{"wheel:60", "wheel:30", "undo", "undo"}
                                             << QStringList{"@1", "@2", "@1", "@0"};
}

void tst_DialogHistory::stepsThroughCommittedColors()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    open(QColor(10, 200, 30));
    QStringList reached{hex()};
    for (int i = 0; i < steps.size(); ++i) {
        perform(steps[i]);
        reached << hex();
        // A drag or a pick that changed nothing would prove nothing.
        if (expected[i] == QStringLiteral("@%1").arg(i + 1))
            QVERIFY2(reached[i + 1] != reached[i], qPrintable(steps[i]));
        const QString want = expected[i].startsWith(QLatin1Char('@'))
                                 ? reached.value(expected[i].mid(1).toInt())
                                 : expected[i];
        QVERIFY2(hex() == want, qPrintable(QStringLiteral("step %1 (%2): %3, expected %4")
                                               .arg(i + 1)
                                               .arg(steps[i], hex(), want)));
    }
    // Each key still writes its line, whether or not there was a step to take.
    const QString listener = HostRuntime::ListenerOutput();
    QCOMPARE(listener.count(QStringLiteral("Undo\n")), steps.count(QStringLiteral("undo")));
    QCOMPARE(listener.count(QStringLiteral("Redo\n")), steps.count(QStringLiteral("redo")));
    // A step of the history reaches the host at once.
    if (steps.last() == QLatin1String("undo") || steps.last() == QLatin1String("redo")) {
        const AColor told = host->callback.last().color;
        QCOMPARE(QColor::fromRgbF(told.r, told.g, told.b), dialog->GetCurrentQColor());
    }
}

void tst_DialogHistory::keepsHundredEntries()
{
    open(QColor(0, 0, 0));
    // 105 changes: the first five colors before them fall out of the history.
    for (int i = 1; i <= 105; ++i)
        typeHex(QStringLiteral("0000%1").arg(i, 2, 16, QLatin1Char('0')).toUpper());
    for (int i = 0; i < 100; ++i)
        press(QKeySequence::Undo);
    QCOMPARE(hex(), QStringLiteral("000005"));
    press(QKeySequence::Undo);
    QCOMPARE(hex(), QStringLiteral("000005"));
    for (int i = 0; i < 101; ++i)
        press(QKeySequence::Redo);
    QCOMPARE(hex(), QStringLiteral("000069"));
}

void tst_DialogHistory::textFieldUndoesItsOwnTyping()
{
    open(QColor(10, 200, 30));
    typeHex(QStringLiteral("112233"));
    // Typing not yet finished is taken back as in any line edit; the color stays.
    auto* line = find<QLineEdit>("hexEditLine");
    line->selectAll();
    QTest::keyClicks(line, QStringLiteral("44"));
    QTest::keySequence(line, QKeySequence::keyBindings(QKeySequence::Undo).first());
    QVERIFY(line->text() != QStringLiteral("44"));
    QCOMPARE(hex(), QStringLiteral("112233"));
    // Either redo key puts the typing back, whichever one the platform gives the line.
    QTest::keySequence(line, QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(line->text(), QStringLiteral("44"));
    QTest::keySequence(line, QKeySequence::keyBindings(QKeySequence::Undo).first());
    QCOMPARE(hex(), QStringLiteral("112233"));
    QVERIFY(!HostRuntime::ListenerOutput().contains(QStringLiteral("Undo")));
    // In a spinner with nothing typed to take back the keys step the color.
    auto* spinner = find<QSpinBox>("greenIntSpinner");
    spinner->setFocus();
    QTest::keySequence(spinner, QKeySequence::keyBindings(QKeySequence::Undo).first());
    QCOMPARE(hex(), QStringLiteral("0AC81E"));
    QTest::keySequence(spinner, QKeySequence::keyBindings(QKeySequence::Redo).first());
    QCOMPARE(hex(), QStringLiteral("112233"));
    QCOMPARE(HostRuntime::ListenerOutput(), QStringLiteral("Undo\nRedo\n"));
}

void tst_DialogHistory::keysStepColorInEveryTextField_data()
{
    // Every text field of the form: each spin box, and each line edit not inside one.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leave");
    TestHost probe;
    const ColorDorvoDialog* form = probe.open(QColor(0, 0, 0));
    QStringList fields;
    for (const QAbstractSpinBox* spinner : form->findChildren<QAbstractSpinBox*>())
        fields << spinner->objectName();
    for (const QLineEdit* line : form->findChildren<QLineEdit*>()) {
        if (!qobject_cast<QAbstractSpinBox*>(line->parentWidget()))
            fields << line->objectName();
    }
    QVERIFY(fields.contains(QStringLiteral("angleSpn")));
    QVERIFY(fields.contains(QStringLiteral("brushSizeSpn")));
    // The change is a hex entry, then the focus goes to the field; or the change is typed in
    // the field itself and finished with Return, or by leaving the field and coming back.
    for (const QString& field : qAsConst(fields))
        QTest::newRow(qPrintable(field)) << field << QString() << false;
    const std::tuple<const char*, const char*, const char*, bool> typedRows[] = {
        {"hexEditLine, typed there", "hexEditLine", "112233", false},
        {"redIntSpinner, typed there", "redIntSpinner", "200", false},
        {"redFloatSpinner, typed there", "redFloatSpinner", "0.5", false},
        {"hexEditLine, typed there, left", "hexEditLine", "112233", true},
        {"redIntSpinner, typed there, left", "redIntSpinner", "200", true},
    };
    for (const auto& [tag, field, text, leave] : typedRows)
        QTest::newRow(tag) << field << text << leave;
}

void tst_DialogHistory::keysStepColorInEveryTextField()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, leave);
    open(QColor(10, 200, 30));
    auto* target = dialog->findChild<QWidget*>(field);
    QVERIFY(target);
    // Show the field and let it take the focus: the float page, the canvas page's brush
    // controls, a harmony that has an angle.
    if (qobject_cast<QDoubleSpinBox*>(target))
        find<QAbstractButton>("floatSpinnersRdBtn")->click();
    if (find<QWidget>("canvasControlsLayout")->isAncestorOf(target))
        find<QComboBox>("colorFieldComboBox")->setCurrentIndex(3);
    if (!target->isEnabled())
        find<QAbstractButton>("adjacentRdBtn")->click();
    QVERIFY(target->isVisible() && target->isEnabled());

    const ColorValue before = dialog->GetCurrentColorValue();
    if (typed.isEmpty()) {
        typeHex(QStringLiteral("112233"));
        target->setFocus();
    } else {
        target->setFocus();
        QMetaObject::invokeMethod(target, "selectAll");
        QTest::keyClicks(QApplication::focusWidget(), typed);
        if (leave) {
            find<QWidget>("resetBtn")->setFocus();
            target->setFocus();
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    }
    const ColorValue after = dialog->GetCurrentColorValue();
    QVERIFY(after != before);
    QCOMPARE(QApplication::focusWidget(), target);

    // Finished typing is a color: every key steps the history, none rewinds the field's text.
    HostRuntime::ClearOutput();
    const std::pair<QKeySequence, bool> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), false},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), true},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), false},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), true},
    };
    for (const auto& [key, redone] : keys) {
        QTest::keySequence(QApplication::focusWidget(), key);
        QVERIFY2(dialog->GetCurrentColorValue() == (redone ? after : before),
                 qPrintable(key.toString() + QStringLiteral(": ") + hex()));
    }
    QCOMPARE(HostRuntime::ListenerOutput(), QStringLiteral("Undo\nRedo\nUndo\nRedo\n"));
    QCOMPARE(QApplication::focusWidget(), target);
}

QTEST_MAIN(tst_DialogHistory)
#include "tst_DialogHistory.moc"
