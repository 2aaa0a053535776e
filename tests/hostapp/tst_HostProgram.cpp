#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// Runs the real colordorvo-host and checks what it prints and how it exits.
class tst_HostProgram : public QObject
{
    Q_OBJECT

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    Run run(const QStringList& arguments, const QProcessEnvironment& env)
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(HOST_PROGRAM), arguments);
        Run r;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return r;
        }
        r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        r.err = QString::fromLocal8Bit(process.readAllStandardError());
        return r;
    }

    Run run(const QStringList& arguments) { return run(arguments, mEnv); }

    QString pluginFolder(const QStringList& fixtures)
    {
        const QString dir = mTemp->path() + QStringLiteral("/plugins");
        QDir().mkpath(dir);
        for (const QString& f : fixtures) {
            QFile::copy(QStringLiteral(FIXTURE_DIR "/") + f, dir + QLatin1Char('/') + f);
        }
        return dir;
    }

    // Starts the main window run with the fixture module, `signal` set to `disposition` in the
    // host as its parent would leave it, and waits for the module's utility to start, which
    // comes after the host has set up its own signal handling.
    bool startMainWindow(QProcess& host, const QString& cfg, int signal, void (*disposition)(int))
    {
        struct sigaction inherited
        {
        };
        struct sigaction wanted
        {
        };
        wanted.sa_handler = disposition;
        sigaction(signal, &wanted, &inherited);
        host.setProcessEnvironment(mEnv);
        host.start(QStringLiteral(HOST_PROGRAM),
                   {QStringLiteral("--plugins"), pluginFolder({QStringLiteral("fixture_good.dlu")}),
                    QStringLiteral("--plugcfg"), cfg});
        sigaction(signal, &inherited, nullptr); // the host has its copy
        return host.waitForStarted() &&
               QTest::qWaitFor(
                   [&] { return QFile::exists(cfg + QStringLiteral("/fixture-started")); }, 30000);
    }

    std::unique_ptr<QTemporaryDir> mTemp;
    QProcessEnvironment mEnv;

private slots:
    void init()
    {
        mTemp = std::make_unique<QTemporaryDir>();
        QVERIFY(mTemp->isValid());
        mEnv = QProcessEnvironment::systemEnvironment();
        mEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Never touch the user's real configuration.
        mEnv.insert(QStringLiteral("XDG_CONFIG_HOME"), mTemp->path() + QStringLiteral("/xdg"));
        mEnv.remove(QStringLiteral("COLORDORVO_PLUGCFG"));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expectedOut");
        QTest::addColumn<QString>("expectedErr");
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0
                              << QStringLiteral("Usage: colordorvo-host") << QString();
        QTest::newRow("short help") << QStringList{QStringLiteral("-h")} << 0
                                    << QStringLiteral("--plugcfg DIR") << QString();
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                                 << QStringLiteral("colordorvo-host 0.3.1\n") << QString();
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--colour")} << 2 << QString()
            << QStringLiteral("colordorvo-host: Unknown option 'colour'.\nTry 'colordorvo-host "
                              "--help' for more information.\n");
        QTest::newRow("missing value") << QStringList{QStringLiteral("--plugins")} << 2 << QString()
                                       << QStringLiteral("Missing value after '--plugins'.");
        QTest::newRow("stray argument") << QStringList{QStringLiteral("pick")} << 2 << QString()
                                        << QStringLiteral("Unexpected argument 'pick'.");
        QTest::newRow("repeated option")
            << QStringList{QStringLiteral("--script=A.B()"), QStringLiteral("--script=C()")} << 2
            << QString() << QStringLiteral("given more than once");
        QTest::newRow("empty value") << QStringList{QStringLiteral("--plugcfg=")} << 2 << QString()
                                     << QStringLiteral("needs a non-empty value");
        QTest::newRow("missing plug-in folder")
            << QStringList{QStringLiteral("--plugins"), QStringLiteral("/no/such/folder"),
                           QStringLiteral("--script"), QStringLiteral("X.Y()")}
            << 2 << QString() << QStringLiteral("plug-in folder '/no/such/folder' does not exist");
        QTest::newRow("plug-in folder is a file")
            << QStringList{QStringLiteral("--plugins"), QStringLiteral(HOST_PROGRAM),
                           QStringLiteral("--script"), QStringLiteral("X.Y()")}
            << 2 << QString()
            << QStringLiteral("plug-in folder '" HOST_PROGRAM "' is a file, not a folder\n");
        QTest::newRow("configuration folder is a file")
            << QStringList{QStringLiteral("--plugcfg"), QStringLiteral(HOST_PROGRAM),
                           QStringLiteral("--script"), QStringLiteral("X.Y()")}
            << 2 << QString() << QStringLiteral("cannot be created");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expectedOut);
        QFETCH(QString, expectedErr);
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(expectedOut.isEmpty() ? r.out.isEmpty() : r.out.contains(expectedOut),
                 qPrintable(r.out));
        QVERIFY2(expectedErr.isEmpty() ? r.err.isEmpty() : r.err.contains(expectedErr),
                 qPrintable(r.err));
    }

    void settingPersistsAcrossRuns()
    {
        const QString plugins = pluginFolder({QStringLiteral("fixture_good.dlu")});
        const QString cfg = mTemp->path() + QStringLiteral("/cfg");
        const QStringList common{QStringLiteral("--plugins"), plugins, QStringLiteral("--plugcfg"),
                                 cfg};

        Run first = run(common + QStringList{QStringLiteral("--script"),
                                             QStringLiteral("DorvoFixture.Recall()")});
        QCOMPARE(first.exitCode, 0);
        QCOMPARE(first.out, QStringLiteral("nothing\n"));

        Run write = run(common + QStringList{QStringLiteral("--script"),
                                             QStringLiteral(R"(DorvoFixture.Remember("teal"))")});
        QCOMPARE(write.exitCode, 0);
        QVERIFY(QFile::exists(cfg + QStringLiteral("/ColorDorvo.ini")));

        Run read = run(common + QStringList{QStringLiteral("--script"),
                                            QStringLiteral("DorvoFixture.Recall()")});
        QCOMPARE(read.exitCode, 0);
        QCOMPARE(read.out, QStringLiteral("teal\n"));
        // The only module loaded cleanly apart from its missing third class.
        QVERIFY2(!read.err.contains(QLatin1String("skipped")) ||
                     read.err.contains(QLatin1String("class 2")),
                 qPrintable(read.err));
    }

    void configFolderFromEnvironment()
    {
        const QString plugins = pluginFolder({QStringLiteral("fixture_good.dlu")});
        QProcessEnvironment env = mEnv;
        const QString cfg = mTemp->path() + QStringLiteral("/from-env");
        env.insert(QStringLiteral("COLORDORVO_PLUGCFG"), cfg);
        const Run r = run({QStringLiteral("--plugins"), plugins, QStringLiteral("--script"),
                           QStringLiteral("DorvoFixture.Remember(\"x\")")},
                          env);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QFile::exists(cfg + QStringLiteral("/ColorDorvo.ini")));
    }

    void badModuleIsReportedAndTheHostGoesOn()
    {
        const QString plugins = pluginFolder(
            {QStringLiteral("fixture_oldversion.dlu"), QStringLiteral("fixture_good.dlu")});
        const Run r = run({QStringLiteral("--plugins"), plugins, QStringLiteral("--plugcfg"),
                           mTemp->path() + QStringLiteral("/cfg"), QStringLiteral("--script"),
                           QStringLiteral("DorvoFixture.Recall()")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("nothing\n"));
        QVERIFY2(r.err.contains(QLatin1String("fixture_oldversion.dlu: built for SDK version")),
                 qPrintable(r.err));
    }

    void failingScriptExitsWithOne_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expectedErr");
        QTest::newRow("unknown function") << QStringLiteral("ColorDorvo.Nothing()")
                                          << QStringLiteral("Unknown function: ColorDorvo.Nothing");
        QTest::newRow("not a call") << QStringLiteral("1 + 2") << QStringLiteral("Syntax error");
        QTest::newRow("open string") << QStringLiteral("DorvoFixture.Remember(\"x)")
                                     << QStringLiteral("unterminated string");
    }

    void failingScriptExitsWithOne()
    {
        QFETCH(QString, script);
        QFETCH(QString, expectedErr);
        const Run r =
            run({QStringLiteral("--plugins"), pluginFolder({QStringLiteral("fixture_good.dlu")}),
                 QStringLiteral("--plugcfg"), mTemp->path() + QStringLiteral("/cfg"),
                 QStringLiteral("--script"), script});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(expectedErr), qPrintable(r.err));
    }

    // The main window run: the utility is started at load and stopped when the host is told to
    // quit (Ctrl+C, kill, or the terminal closing), which also writes the settings.
    void quitSignalShutsModulesDownInOrder_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void quitSignalShutsModulesDownInOrder()
    {
        QFETCH(int, signal);
        const QString cfg = mTemp->path() + QStringLiteral("/cfg");
        QProcess host;
        QVERIFY(startMainWindow(host, cfg, signal, SIG_DFL));
        QVERIFY(!QFile::exists(cfg + QStringLiteral("/fixture-stopped")));
        QCOMPARE(::kill(pid_t(host.processId()), signal), 0);
        QVERIFY(host.waitForFinished(30000));
        QCOMPARE(host.exitStatus(), QProcess::NormalExit);
        QCOMPARE(host.exitCode(), 0);
        QVERIFY(QFile::exists(cfg + QStringLiteral("/fixture-stopped")));
    }

    // A reader that quits before the result comes (`| head -c0`): the host says so, still shuts
    // its modules down with the settings written, and fails.
    void closedOutputIsReportedAndTheSettingsAreWritten()
    {
        const QString cfg = mTemp->path() + QStringLiteral("/cfg");
        // The pipe's reader has quit before the host is far enough to write.
        QProcess host;
        host.setProcessEnvironment(mEnv);
        host.start(
            QStringLiteral("bash"),
            {QStringLiteral("-c"), QStringLiteral(R"("$@" | head -c0; exit "${PIPESTATUS[0]}")"),
             QStringLiteral("bash"), QStringLiteral(HOST_PROGRAM), QStringLiteral("--plugins"),
             pluginFolder({QStringLiteral("fixture_good.dlu")}), QStringLiteral("--plugcfg"), cfg,
             QStringLiteral("--script"), QStringLiteral(R"(DorvoFixture.Remember("teal"))")});
        QVERIFY(host.waitForFinished(60000));
        QCOMPARE(host.exitStatus(), QProcess::NormalExit);
        QCOMPARE(host.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(host.readAllStandardError());
        QVERIFY2(err.contains(QLatin1String("cannot write to standard output: Broken pipe")),
                 qPrintable(err));
        QVERIFY(QFile::exists(cfg + QStringLiteral("/fixture-stopped")));
        const Run read =
            run({QStringLiteral("--plugins"), pluginFolder({}), QStringLiteral("--plugcfg"), cfg,
                 QStringLiteral("--script"), QStringLiteral("DorvoFixture.Recall()")});
        QCOMPARE(read.out, QStringLiteral("teal\n"));
    }

    // Started through nohup, the host outlives the terminal: it leaves an ignored hang-up
    // ignored, as the kernel's view of its signal masks shows.
    void hangUpIgnoredByTheParentStaysIgnored()
    {
        QProcess host;
        QVERIFY(startMainWindow(host, mTemp->path() + QStringLiteral("/cfg"), SIGHUP, SIG_IGN));
        QFile status(QStringLiteral("/proc/%1/status").arg(host.processId()));
        QVERIFY(status.open(QIODevice::ReadOnly));
        QHash<QString, quint64> masks;
        for (const QByteArray& line : status.readAll().split('\n')) {
            const QString text = QString::fromLatin1(line);
            masks.insert(text.section(QLatin1Char(':'), 0, 0),
                         text.section(QLatin1Char(':'), 1).trimmed().toULongLong(nullptr, 16));
        }
        const quint64 bit = quint64(1) << (SIGHUP - 1);
        QVERIFY(masks.value(QStringLiteral("SigIgn")) & bit);
        QVERIFY(!(masks.value(QStringLiteral("SigCgt")) & bit));
        QVERIFY(masks.value(QStringLiteral("SigCgt")) & (quint64(1) << (SIGTERM - 1)));
        host.terminate();
        QVERIFY(host.waitForFinished(30000));
        QCOMPARE(host.exitCode(), 0);
    }

    void withoutDisplayItSaysSoInOneLine()
    {
        QProcessEnvironment env = mEnv;
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        const Run r = run({}, env);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(r.err.contains(QLatin1String("no display")) &&
                     r.err.contains(QLatin1String("xvfb-run")),
                 qPrintable(r.err));
        // A script call needs no display at all.
        const Run script =
            run({QStringLiteral("--plugins"), pluginFolder({QStringLiteral("fixture_good.dlu")}),
                 QStringLiteral("--plugcfg"), mTemp->path() + QStringLiteral("/cfg"),
                 QStringLiteral("--script"), QStringLiteral("DorvoFixture.Recall()")},
                env);
        QCOMPARE(script.exitCode, 0);
        QCOMPARE(script.out, QStringLiteral("nothing\n"));
    }
};

QTEST_GUILESS_MAIN(tst_HostProgram)
#include "tst_HostProgram.moc"
