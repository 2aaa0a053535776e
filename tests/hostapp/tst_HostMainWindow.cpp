#include "HostSession.h"

#include "TextLines.h"
#include "dbgprint.h"
#include "hostsdk/HostRuntime.h"
#include "hsv.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

// A host session with the fixture module loaded: the listener line as a user types in it, and
// the order of shutting down.
class tst_HostMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> mTemp;
    std::unique_ptr<HostSession> mSession;
    QStringList mReported;

    QLineEdit* line() const
    {
        return mSession->mainWindow()->findChild<QLineEdit*>(QStringLiteral("listenerEditLine"));
    }

    QStringList fixtureSteps() const
    {
        QStringList steps;
        for (const QString& l : NonEmptyLines(HostRuntime::ListenerOutput())) {
            if (l.startsWith(QLatin1String("fixture "))) {
                steps << l.mid(8);
            }
        }
        return steps;
    }

private slots:
    void init()
    {
        mTemp = std::make_unique<QTemporaryDir>();
        HostRuntime::SetPlugCfgDir(mTemp->path());
        const QString plugins = mTemp->path() + QStringLiteral("/plugins");
        QDir().mkpath(plugins);
        QVERIFY(QFile::copy(QStringLiteral(FIXTURE_DIR "/fixture_good.dlu"),
                            plugins + QStringLiteral("/fixture_good.dlu")));
        mReported.clear();
        mSession = std::make_unique<HostSession>([this](const QString& m) { mReported << m; });
        QCOMPARE(mSession->loadModules(plugins), 1);
        mSession->mainWindow()->show();
        QVERIFY(QTest::qWaitForWindowExposed(mSession->mainWindow()));
        HostRuntime::ClearOutput();
    }

    void cleanup() { mSession.reset(); }

    void loaderReportsReachTheListener()
    {
        QCOMPARE(mReported.size(), 1);
        QVERIFY(mSession->mainWindow()->listenerText().contains(QStringLiteral("-- ") +
                                                                mReported.constFirst()));
        QVERIFY(mSession->mainWindow()->listenerText().contains(
            QLatin1String("-- Loaded fixture_good.dlu")));
    }

    void listenerEvaluatesTypedCalls_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("string result")
            << QStringLiteral("DorvoFixture.Remember(\"red\")")
            << QStringLiteral("DorvoFixture.Remember(\"red\")\n\"red\"\n");
        QTest::newRow("unknown function")
            << QStringLiteral("Nope.Nothing()")
            << QStringLiteral("Nope.Nothing()\n-- Unknown function: Nope.Nothing\n");
        QTest::newRow("blank line does nothing") << QStringLiteral("   ") << QString();
    }

    void listenerEvaluatesTypedCalls()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        const QString before = mSession->mainWindow()->listenerText();
        QTest::keyClicks(line(), typed);
        QTest::keyClick(line(), Qt::Key_Return);
        const QString after = mSession->mainWindow()->listenerText();
        QVERIFY(after.startsWith(before));
        QCOMPARE(after.mid(before.size()), shown);
    }

    // A window that keeps its keys (a picker, and the file dialog it opens) keeps them while a
    // completer's list is open over it: that list is a popup without a parent, and "r" is a
    // host tool key.
    void keysTypedIntoAPopupCompleterStayWithTheWindow()
    {
        QDialog window(mSession->mainWindow());
        window.setProperty("NoMaxAccelerators", true);
        auto* edit = new QLineEdit(&window);
        (new QVBoxLayout(&window))->addWidget(edit);
        edit->setCompleter(new QCompleter(QStringList{QStringLiteral("/usr/share")}, edit));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("/u"));
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QCOMPARE(popup, edit->completer()->popup());
        QVERIFY(!popup->parentWidget());
        // Typed as a user does: the open popup receives the keys and hands them on.
        QTest::keyClicks(popup, QStringLiteral("sr"));
        QCOMPARE(edit->text(), QStringLiteral("/usr"));
        QVERIFY2(!mSession->mainWindow()->listenerText().contains(QLatin1String("-- Host: ")),
                 qPrintable(mSession->mainWindow()->listenerText()));
    }

    void moduleOutputAppearsLive()
    {
        const QString before = mSession->mainWindow()->listenerText();
        DebugPrint(L"opeing\n");
        QCOMPARE(mSession->mainWindow()->listenerText().mid(before.size()),
                 QStringLiteral("opeing\n"));
    }

    // Module windows are destroyed while the module and its settings store still exist.
    void shutdownClosesModuleWindowsBeforeUnloading()
    {
        ColPick* picker = mSession->loader().colorSelector();
        QVERIFY(picker);
        picker->CreateColorPicker(nullptr, AColor(1.0f, 0.0f, 0.0f, 1.0f), nullptr, nullptr,
                                  L"one");
        picker->CreateColorPicker(nullptr, AColor(0.0f, 1.0f, 0.0f, 1.0f), nullptr, nullptr,
                                  L"two");
        mSession->shutdown();
        QVERIFY(mSession->mainWindow() == nullptr);
        QVERIFY(HostRuntime::MainWindow() == nullptr);
        const QStringList expected{
            QStringLiteral("create picker"),    QStringLiteral("window destroyed"),
            QStringLiteral("window destroyed"), QStringLiteral("stop"),
            QStringLiteral("delete utility"),   QStringLiteral("delete picker"),
            QStringLiteral("shutdown"),         QStringLiteral("detach")};
        QCOMPARE(fixtureSteps(), expected);
        mSession->shutdown(); // a second shutdown finds nothing left to do
        QCOMPARE(fixtureSteps(), expected);
        DebugPrint(L"nobody listens\n"); // must not reach the destroyed window
    }
};

QTEST_MAIN(tst_HostMainWindow)
#include "tst_HostMainWindow.moc"
