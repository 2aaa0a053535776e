// The host program's color swatches with the built ColorDorvoPicker.dlu loaded: what the swatches
// show and what the notifications pane lists while a user works in the pickers they open.
#include "ModalSupport.h"

#include "HostColorText.h"
#include "HostMainWindow.h"
#include "HostSession.h"

#include "TextLines.h"
#include "hostsdk/HostRuntime.h"
#include "hsv.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

QString Hex(const AColor& color)
{
    return HostColorText::Print(color, HostColorText::Format::Hex);
}

void TypeHex(QWidget* picker, const QString& text)
{
    auto* line = picker->findChild<QLineEdit*>(QStringLiteral("hexEditLine"));
    QVERIFY(line);
    line->selectAll();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Return);
}

void Click(QWidget* picker, const char* button)
{
    auto* target = picker->findChild<QPushButton*>(QLatin1String(button));
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton);
}

} // namespace

class tst_HostPicking : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> mTemp;
    std::unique_ptr<HostSession> mSession;
    long mHeapBaseline = 0;

    HostMainWindow* window() const { return mSession->mainWindow(); }

    HostColorSwatch* swatch(const QString& name) const
    {
        auto* found = window()->findChild<HostColorSwatch*>(name);
        if (!found) {
            qFatal("no swatch %s", qPrintable(name));
        }
        return found;
    }

    QWidget* openPickerWindow() const { return dynamic_cast<QWidget*>(window()->modelessPicker()); }

    QStringList notifications() const { return NonEmptyLines(window()->notificationsText()); }

    void clickSwatch(const QString& name) const
    {
        QTest::mouseClick(swatch(name)->button(), Qt::LeftButton);
    }

private slots:
    void init()
    {
        mTemp = std::make_unique<QTemporaryDir>();
        HostRuntime::SetPlugCfgDir(mTemp->path());
        mHeapBaseline = HostRuntime::HostHeapBlocks();
        mSession = std::make_unique<HostSession>();
        QCOMPARE(mSession->loadModules(QStringLiteral(PLUGIN_DIR)), 1);
        window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }

    void cleanup()
    {
        mSession.reset();
        // Pickers, the selector and the utility all went back to the host heap.
        QCOMPARE(HostRuntime::HostHeapBlocks(), mHeapBaseline);
    }

    void swatchesWaitForASelector()
    {
        HostMainWindow bare;
        for (HostColorSwatch* s : bare.swatches()) {
            QVERIFY(!s->button()->isEnabled());
        }
        QCOMPARE(int(window()->swatches().size()), 5);
        for (HostColorSwatch* s : window()->swatches()) {
            QVERIFY2(s->button()->isEnabled(), qPrintable(s->label()));
            QCOMPARE(s->button()->toolTip(), Hex(s->color()));
        }
    }

    void modalSwatchTakesAcceptedColor_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accept");
        QTest::newRow("float color, accepted") << QStringLiteral("diffuseSwatch") << true;
        QTest::newRow("packed color, accepted") << QStringLiteral("wireframeSwatch") << true;
        QTest::newRow("float color, cancelled") << QStringLiteral("diffuseSwatch") << false;
        QTest::newRow("packed color, cancelled") << QStringLiteral("wireframeSwatch") << false;
    }

    void modalSwatchTakesAcceptedColor()
    {
        QFETCH(QString, name);
        QFETCH(bool, accept);
        HostColorSwatch* target = swatch(name);
        const AColor before = target->color();
        AColor whileOpen;
        whenModalOpens(this, [&](QDialog* picker) {
            TypeHex(picker, QStringLiteral("336699"));
            // A modal swatch waits for the answer.
            whileOpen = target->color();
            Click(picker, accept ? "acceptBtn" : "cancelBtn");
        });
        clickSwatch(name);
        QVERIFY(whileOpen == before);
        const QStringList log = notifications();
        if (accept) {
            QCOMPARE(Hex(target->color()), QStringLiteral("#336699"));
            QCOMPARE(target->button()->toolTip(), QStringLiteral("#336699"));
            QVERIFY(log.last().startsWith(target->label() + QStringLiteral(": accepted ")));
        } else {
            QVERIFY(target->color() == before);
            QCOMPARE(log.last(), target->label() + QStringLiteral(": cancelled"));
        }
        // The picker's notifications in order: the edit, the answer, and its goodbye.
        QVERIFY(log.size() >= 5);
        const int first = log.size() - 5;
        QCOMPARE(log[first], target->label() + QStringLiteral(": modal picker opened"));
        QVERIFY(log[first + 1].contains(
            QStringLiteral("color changed 0.200000003,0.400000006,0.600000024,1.0")));
        QVERIFY(log[first + 2].contains(QStringLiteral("color changed")));
        QVERIFY(log[first + 3].contains(QStringLiteral("being destroyed at")));
    }

    void modelessSwatchFollowsLive()
    {
        HostColorSwatch* light = swatch(QStringLiteral("lightcolorSwatch"));
        clickSwatch(QStringLiteral("lightcolorSwatch"));
        QPointer<QWidget> picker = openPickerWindow();
        QVERIFY(picker);
        QCOMPARE(window()->modelessSwatch(), light);
        QCOMPARE(picker->windowTitle(), light->label());
        TypeHex(picker, QStringLiteral("FF0000"));
        QCOMPARE(Hex(light->color()), QStringLiteral("#FF0000"));
        TypeHex(picker, QStringLiteral("00FF00"));
        QCOMPARE(Hex(light->color()), QStringLiteral("#00FF00"));
        Click(picker, "acceptBtn");
        QVERIFY(QTest::qWaitFor([&] { return picker.isNull(); }));
        QVERIFY(!window()->modelessPicker());
        QCOMPARE(Hex(light->color()), QStringLiteral("#00FF00"));
        QVERIFY(notifications().last().startsWith(light->label() +
                                                  QStringLiteral(": being destroyed at ")));
    }

    void modelessCancelPutsSwatchBack()
    {
        HostColorSwatch* background = swatch(QStringLiteral("backgroundSwatch"));
        const QString before = Hex(background->color());
        clickSwatch(QStringLiteral("backgroundSwatch"));
        QPointer<QWidget> picker = openPickerWindow();
        QVERIFY(picker);
        TypeHex(picker, QStringLiteral("ABCDEF"));
        QCOMPARE(Hex(background->color()), QStringLiteral("#ABCDEF"));
        Click(picker, "cancelBtn");
        QVERIFY(QTest::qWaitFor([&] { return picker.isNull(); }));
        QCOMPARE(Hex(background->color()), before);
    }

    void secondSwatchTakesOverOpenPicker()
    {
        HostColorSwatch* light = swatch(QStringLiteral("lightcolorSwatch"));
        HostColorSwatch* background = swatch(QStringLiteral("backgroundSwatch"));
        clickSwatch(QStringLiteral("lightcolorSwatch"));
        QPointer<QWidget> picker = openPickerWindow();
        TypeHex(picker, QStringLiteral("112233"));
        clickSwatch(QStringLiteral("backgroundSwatch"));
        // Still the one picker, now serving the second swatch and showing its color.
        QCOMPARE(openPickerWindow(), picker.data());
        QCOMPARE(window()->modelessSwatch(), background);
        QCOMPARE(picker->windowTitle(), background->label());
        QCOMPARE(picker->findChild<QLineEdit*>(QStringLiteral("hexEditLine"))->text().toUpper(),
                 Hex(background->color()).mid(1));
        TypeHex(picker, QStringLiteral("445566"));
        QCOMPARE(Hex(background->color()), QStringLiteral("#445566"));
        QCOMPARE(Hex(light->color()), QStringLiteral("#112233"));
        QVERIFY(notifications().contains(
            background->label() + QStringLiteral(": picker handed over from ") + light->label()));
        // Clicking the served swatch again keeps the picker as it is.
        clickSwatch(QStringLiteral("backgroundSwatch"));
        QCOMPARE(Hex(background->color()), QStringLiteral("#445566"));
        Click(picker, "acceptBtn");
        QVERIFY(QTest::qWaitFor([&] { return picker.isNull(); }));
    }

    void objectColorSwatchIsRefused()
    {
        HostColorSwatch* object = swatch(QStringLiteral("objectSwatch"));
        const AColor before = object->color();
        QString text;
        whenModalOpens(this, [&](QDialog* box) {
            text = static_cast<QMessageBox*>(box)->text();
            static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
        clickSwatch(QStringLiteral("objectSwatch"));
        QCOMPARE(text,
                 QStringLiteral(
                     "Color Dorvo Picker is not compatible\nwith the object color selector."));
        QVERIFY(!window()->modelessPicker());
        QVERIFY(object->color() == before);
        QCOMPARE(notifications().last(),
                 object->label() + QStringLiteral(": refused by the color selector"));
    }

    // Keys typed in an open picker are the picker's: the host's accelerators (Ctrl+Z, the tool
    // keys) stay out of it, and act again once it is closed.
    void hostKeysLeaveAnOpenPickerAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("modeless") << QStringLiteral("lightcolorSwatch");
        QTest::newRow("modal") << QStringLiteral("diffuseSwatch");
    }

    void hostKeysLeaveAnOpenPickerAlone()
    {
        QFETCH(QString, name);
        const QString listenerBefore = window()->listenerText();
        QString spinnerText;
        QString hexText;
        auto typeInPicker = [&](QWidget* picker) {
            picker->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(picker));
            auto* spinner = picker->findChild<QSpinBox*>(QStringLiteral("redIntSpinner"));
            QVERIFY(spinner);
            spinner->setFocus();
            spinner->selectAll();
            QTest::keyClicks(spinner, QStringLiteral("42"));
            spinnerText = spinner->cleanText();
            QTest::keyClick(spinner, Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(spinner, Qt::Key_Y, Qt::ControlModifier);
            // E is a host tool key and a hex digit.
            auto* hex = picker->findChild<QLineEdit*>(QStringLiteral("hexEditLine"));
            hex->setFocus();
            hex->selectAll();
            QTest::keyClicks(hex, QStringLiteral("e0e0e0"));
            hexText = hex->text().toUpper();
            // Keys on the picker's buttons are the picker's too.
            auto* reset = picker->findChild<QPushButton*>(QStringLiteral("resetBtn"));
            reset->setFocus();
            for (const Qt::Key key : {Qt::Key_Q, Qt::Key_W, Qt::Key_E, Qt::Key_R}) {
                QTest::keyClick(reset, key);
            }
            QTest::keyClick(reset, Qt::Key_Z, Qt::ControlModifier);
            Click(picker, "cancelBtn");
        };
        if (name == QLatin1String("diffuseSwatch")) {
            whenModalOpens(this, typeInPicker);
            clickSwatch(name);
        } else {
            clickSwatch(name);
            QPointer<QWidget> picker = openPickerWindow();
            QVERIFY(picker);
            typeInPicker(picker);
            QVERIFY(QTest::qWaitFor([&] { return picker.isNull(); }));
        }
        QCOMPARE(spinnerText, QStringLiteral("42"));
        QCOMPARE(hexText, QStringLiteral("E0E0E0"));
        QVERIFY2(!window()
                      ->listenerText()
                      .mid(listenerBefore.size())
                      .contains(QLatin1String("-- Host: ")),
                 qPrintable(window()->listenerText()));

        // Back in the host's window the keys are the host's again.
        const QString listenerAfterPick = window()->listenerText();
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
        QWidget* button = swatch(name)->button();
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(button, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(button, Qt::Key_W);
        QTest::keyClick(button, Qt::Key_W, Qt::ShiftModifier); // not a host key
        QTest::keyClick(button, Qt::Key_R);
        QCOMPARE(window()->listenerText().mid(listenerAfterPick.size()),
                 QStringLiteral("-- Host: Undo (Ctrl+Z)\n-- Host: Redo (Ctrl+Y)\n"
                                "-- Host: Select and Move (W)\n"
                                "-- Host: Select and Uniform Scale (R)\n"));
    }

    // Without a window manager that draws the "?" button, the host's menu opens the open
    // picker's settings the same way; with no picker open it is off.
    void pickerSettingsFromTheHostMenu()
    {
        auto* action = window()->findChild<QAction*>(QStringLiteral("pickerSettingsAction"));
        QVERIFY(action);
        QVERIFY(!action->isEnabled());
        clickSwatch(QStringLiteral("lightcolorSwatch"));
        QPointer<QWidget> picker = openPickerWindow();
        QVERIFY(picker);
        QVERIFY(action->isEnabled());
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));

        QString opened;
        whenModalOpens(this, [&](QDialog* dialog) {
            opened = dialog->objectName();
            QCOMPARE(dialog->parentWidget(), picker.data());
            dialog->close();
        });
        action->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !opened.isEmpty(); }));
        QCOMPARE(opened, QStringLiteral("ColorDorvoSettingsDialog"));
        QVERIFY(!QWhatsThis::inWhatsThisMode());

        Click(picker, "cancelBtn");
        QVERIFY(QTest::qWaitFor([&] { return picker.isNull(); }));
        QVERIFY(!action->isEnabled());
    }

    void closingHostClosesOpenPicker()
    {
        clickSwatch(QStringLiteral("lightcolorSwatch"));
        QPointer<QWidget> picker = openPickerWindow();
        QVERIFY(picker);
        mSession->shutdown();
        QVERIFY(picker.isNull());
    }
};

QTEST_MAIN(tst_HostPicking)
#include "tst_HostPicking.moc"
