// colordorvo-host from a shell: the built program with the built module, on a real (virtual)
// display, driven from outside with xdotool as a user would drive it, and its output checked.
#include "ModuleLoader.h"

#include "hsv.h"
#include "Qt/QmaxMainWindow.h"
#include "hostsdk/HostRuntime.h"

#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kProcessTimeoutMs = 30000;

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

class tst_PickEndToEnd : public QObject
{
    Q_OBJECT

private:
    QString mXdotool;
    QTemporaryDir mConfig;
    // Where the picker's controls sit inside its window, measured on a picker opened here
    // through the same module, so the clicks follow the form whatever its layout.
    QSize mPickerSize;
    QPoint mAccept;
    QPoint mCancel;
    QPoint mHexLine;

    QString xdotool(const QStringList& arguments)
    {
        QProcess process;
        process.start(mXdotool, arguments);
        if (!process.waitForFinished(kProcessTimeoutMs)) {
            process.kill();
            process.waitForFinished();
            return QString();
        }
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }

    void startHost(QProcess& host, const QStringList& arguments)
    {
        host.setProgram(QStringLiteral(HOST_PROGRAM));
        host.setArguments(QStringList{QStringLiteral("--plugcfg"), mConfig.path()} + arguments);
        // The host draws nothing with OpenGL; without a GPU, loading the software GL driver
        // only adds a driver the leak checker cannot follow once it is unloaded at exit.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
        host.setProcessEnvironment(environment);
        host.start();
    }

    static Run waitForExit(QProcess& host)
    {
        Run run;
        if (!host.waitForFinished(kProcessTimeoutMs)) {
            host.kill();
            host.waitForFinished();
        }
        run.exitCode = host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1;
        run.out = QString::fromLocal8Bit(host.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(host.readAllStandardError());
        return run;
    }

    // The top-left corner of the host's picker window once it is on screen.
    bool findPicker(const QString& title, QPoint* origin, QSize* size)
    {
        const QString id = xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                                    QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                    QLatin1Char('^') + title + QLatin1Char('$')})
                               .section(QLatin1Char('\n'), 0, 0);
        if (id.isEmpty()) {
            return false;
        }
        const QString shell =
            xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
        QHash<QString, int> values;
        for (const QString& line : shell.split(QLatin1Char('\n'))) {
            values.insert(line.section(QLatin1Char('='), 0, 0),
                          line.section(QLatin1Char('='), 1).toInt());
        }
        *origin = QPoint(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")));
        *size =
            QSize(values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")));
        // Let the window take the keyboard before keys are sent to it.
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
        return true;
    }

    // Pointer motion and button go through the same connection, so the server applies them
    // in order; waiting for the motion would hang when the pointer is already there.
    void click(const QPoint& at)
    {
        xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                 QStringLiteral("click"), QStringLiteral("1")});
    }

    void keys(const QStringList& names)
    {
        xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers")} + names);
    }

private slots:
    void initTestCase()
    {
        mXdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        QVERIFY2(!mXdotool.isEmpty(), "xdotool is missing; scripts/setup-deps installs it");
        QVERIFY(mConfig.isValid());

        // Measure the picker the way the host will show it.
        HostRuntime::SetPlugCfgDir(mConfig.path());
        MaxSDK::QmaxMainWindow mainWindow;
        HostRuntime::SetMainWindow(&mainWindow);
        ModuleLoader loader;
        QCOMPARE(loader.loadFolder(QStringLiteral(PLUGIN_DIR)), 1);
        ColPick* selector = loader.colorSelector();
        QVERIFY(selector);
        ColorPicker* picker = selector->CreateColorPicker(
            HostRuntime::WindowHandle(&mainWindow), AColor(), nullptr, nullptr, _M("Measure"));
        QPointer<QWidget> window = dynamic_cast<QWidget*>(picker);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto centreOf = [&](const char* name) {
            auto* widget = window->findChild<QWidget*>(QLatin1String(name));
            return widget ? widget->mapTo(window, widget->rect().center()) : QPoint(-1, -1);
        };
        mPickerSize = window->size();
        mAccept = centreOf("acceptBtn");
        mCancel = centreOf("cancelBtn");
        mHexLine = centreOf("hexEditLine");
        QVERIFY(mAccept.x() >= 0 && mCancel.x() >= 0 && mHexLine.x() >= 0);
        picker->Destroy();
        QVERIFY(QTest::qWaitFor([&] { return window.isNull(); }));
        loader.unloadAll();
        HostRuntime::SetMainWindow(nullptr);
    }

    void pick_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("typedHex");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");
        const QString modal = QStringLiteral("Color Selector");
        const QString modeless = QStringLiteral("Pick a Color");
        QTest::newRow("modal, Ok clicked")
            << QStringList{"--pick", "--color", "#ff8000", "--format", "rgb"} << modal << ""
            << "ok" << 0 << "255,128,0,255\n";
        QTest::newRow("modal, hex typed, Ok clicked")
            << QStringList{"--pick", "--color", "#ff8000"} << modal << "336699"
            << "ok" << 0 << "#336699\n";
        QTest::newRow("modal, Escape")
            << QStringList{"--pick", "--color", "1,2,3"} << modal << "445566"
            << "escape" << 1 << "";
        QTest::newRow("modal packed, Cancel clicked")
            << QStringList{"--pick", "--format", "packed"} << modal << ""
            << "cancel" << 1 << "";
        QTest::newRow("modeless, Ok clicked")
            << QStringList{"--pick", "--modeless", "--color", "0.5,0.25,1", "--format", "rgb"}
            << modeless << ""
            << "ok" << 0 << "127,63,255,255\n";
        // E is one of the host's tool keys: typed in the picker it is a hex digit.
        QTest::newRow("modeless packed, hex typed, Ok clicked")
            << QStringList{"--pick", "--modeless", "--color", "0,128,255", "--format", "packed"}
            << modeless << "0e0b0c"
            << "ok" << 0 << "0x000C0B0E\n";
        QTest::newRow("modeless, hex typed, Cancel clicked")
            << QStringList{"--pick", "--modeless"} << modeless << "0A0B0C"
            << "cancel" << 1 << "";
    }

    void pick()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, title);
        QFETCH(QString, typedHex);
        QFETCH(QString, ending);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        QProcess host;
        startHost(host, arguments);
        QVERIFY2(host.waitForStarted(), qPrintable(host.errorString()));
        QPoint origin;
        QSize size;
        if (!findPicker(title, &origin, &size)) {
            QFAIL(qPrintable(QLatin1String("no picker window: ") + waitForExit(host).err));
        }
        QCOMPARE(size, mPickerSize);
        if (!typedHex.isEmpty()) {
            click(origin + mHexLine);
            keys({QStringLiteral("ctrl+a")});
            xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"),
                     typedHex});
            keys({QStringLiteral("Return")});
        }
        if (ending == QLatin1String("ok")) {
            click(origin + mAccept);
        } else if (ending == QLatin1String("cancel")) {
            click(origin + mCancel);
        } else {
            keys({QStringLiteral("Escape")});
        }
        const Run run = waitForExit(host);
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
        QCOMPARE(run.out, printed);
        // The picker said goodbye to the host on its way out.
        QVERIFY2(run.err.contains(QLatin1String("being destroyed at")), qPrintable(run.err));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("version function")
            << QStringList{"--script", "ColorDorvo.Version()"} << 0 << "0.3.1\n"
            << "";
        QTest::newRow("color without pick") << QStringList{"--color", "#ffffff"} << 2 << ""
                                            << "needs --pick";
        QTest::newRow("modeless without pick") << QStringList{"--modeless"} << 2 << ""
                                               << "needs --pick";
        QTest::newRow("bad color") << QStringList{"--pick", "--color", "#12345"} << 2 << ""
                                   << "Bad color";
        QTest::newRow("unknown format") << QStringList{"--pick", "--format", "hsv"} << 2 << ""
                                        << "Unknown format 'hsv'";
        QTest::newRow("pick and script")
            << QStringList{"--pick", "--script", "ColorDorvo.Version()"} << 2 << ""
            << "cannot be combined";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        QFETCH(QString, complaint);
        QProcess host;
        startHost(host, arguments);
        const Run run = waitForExit(host);
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
        QCOMPARE(run.out, printed);
        QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    }
};

QTEST_MAIN(tst_PickEndToEnd)
#include "tst_PickEndToEnd.moc"
