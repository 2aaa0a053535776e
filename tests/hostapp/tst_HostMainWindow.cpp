#include "HostMainWindow.h"
#include "ModuleLoader.h"

#include "hostsdk/DebugPrint.h"
#include "hostsdk/HostRuntime.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

// The host's main window with the fixture module loaded: the listener line as a user types in it.
class tst_HostMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> mTemp;
    std::unique_ptr<HostMainWindow> mWindow;
    std::unique_ptr<ModuleLoader> mLoader;

    QLineEdit* line() const
    {
        return mWindow->findChild<QLineEdit*>(QStringLiteral("listenerEditLine"));
    }

private slots:
    void init()
    {
        mTemp = std::make_unique<QTemporaryDir>();
        HostRuntime::SetPlugCfgDir(mTemp->path());
        mWindow = std::make_unique<HostMainWindow>();
        mLoader = std::make_unique<ModuleLoader>();
        QCOMPARE(mLoader->loadModule(QStringLiteral(FIXTURE_DIR "/fixture_good.dlu")), true);
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
    }

    void cleanup()
    {
        mLoader.reset();
        mWindow.reset();
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
        const QString before = mWindow->listenerText();
        QTest::keyClicks(line(), typed);
        QTest::keyClick(line(), Qt::Key_Return);
        QVERIFY(mWindow->listenerText().startsWith(before));
        QCOMPARE(mWindow->listenerText().mid(before.size()), shown);
        if (!shown.isEmpty()) {
            QVERIFY(line()->text().isEmpty());
        }
    }

    void moduleOutputAppearsLive()
    {
        const QString before = mWindow->listenerText();
        DebugPrint(L"opeing\n");
        QCOMPARE(mWindow->listenerText().mid(before.size()), QStringLiteral("opeing\n"));
        mLoader->unloadAll();
        QVERIFY(
            mWindow->listenerText().endsWith(QLatin1String("fixture shutdown\nfixture detach\n")));
    }

    void windowIsTheHostsMainWindowWhileItLives()
    {
        QCOMPARE(HostRuntime::MainWindow(), mWindow.get());
        mWindow.reset();
        QVERIFY(HostRuntime::MainWindow() == nullptr);
        DebugPrint(L"nobody listens\n"); // must not reach the destroyed window
    }
};

QTEST_MAIN(tst_HostMainWindow)
#include "tst_HostMainWindow.moc"
