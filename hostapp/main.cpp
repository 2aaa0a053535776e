// colordorvo-host: a stand-in 3D host that loads host modules and plays the host's services.
#include "HostOptions.h"
#include "HostPickCommand.h"
#include "HostSession.h"

#include "hostsdk/HostRuntime.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// False when the text could not be written whole (a reader that went away, a full disk).
bool PrintTo(FILE* stream, const QString& text)
{
    const bool written = std::fputs(text.toLocal8Bit().constData(), stream) >= 0;
    return std::fflush(stream) == 0 && written;
}

// The status of a run whose results could not be delivered.
constexpr int kOutputFailed = 1;

// Writes a result to standard output. A failure is reported on standard error: the run then
// ends as any other (modules shut down, settings written) but with a failing status.
bool PrintResult(const QString& text)
{
    if (PrintTo(stdout, text)) {
        return true;
    }
    const int error = errno;
    PrintTo(stderr, QStringLiteral("colordorvo-host: cannot write to standard output: %1\n")
                        .arg(QString::fromLocal8Bit(std::strerror(error))));
    return false;
}

// True when Qt has a window system to talk to (or the user chose a platform explicitly).
bool DisplayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int gQuitPipe[2] = {-1, -1};

void OnQuitSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    ssize_t ignored = write(gQuitPipe[1], &byte, 1);
    (void)ignored;
}

// SIGINT, SIGTERM and SIGHUP (the terminal closing) end the event loop like closing the
// window, so the modules are shut down in order and their settings reach the disk. A hang-up or
// interrupt that was ignored when the host started (nohup, a background job) stays ignored.
void QuitOnSignals(QApplication& app)
{
    if (pipe2(gQuitPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(gQuitPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte;
        while (read(gQuitPipe[0], &byte, 1) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action
    {
    };
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGHUP}) {
        struct sigaction inherited
        {
        };
        if (sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) {
            continue;
        }
        sigaction(signal, &action, nullptr);
    }
    sigaction(SIGTERM, &action, nullptr);
}

// One pick from the command line: the accepted color on standard output and 0, or 1 when
// the user cancels. The picker's notifications go to standard error.
int RunPick(HostSession& session, const HostOptions& options)
{
    ColPick* selector = session.loader().colorSelector();
    if (!selector) {
        PrintTo(stderr, QStringLiteral("colordorvo-host: no color selector was loaded\n"));
        return 2;
    }
    // No listener pane is shown for a pick: what the picker writes there (a list file it cannot
    // read, say) goes to standard error instead, line by line.
    HostRuntime::SetOutputSink([](HostRuntime::OutputChannel channel, const QString& text) {
        if (channel != HostRuntime::OutputChannel::Listener)
            return;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            if (!line.isEmpty())
                PrintTo(stderr, QStringLiteral("colordorvo-host: listener: %1\n").arg(line));
        }
    });
    HostPickCommand command(selector, HostRuntime::WindowHandle(session.mainWindow()),
                            [](const QString& text) {
                                PrintTo(stderr, QStringLiteral("colordorvo-host: %1\n").arg(text));
                            });
    const HostPickCommand::Result result = command.run(
        options.pickColor, options.pickModeless,
        options.pickFormat == HostColorText::Format::Packed, QStringLiteral("Pick a Color"));
    if (!result.accepted) {
        return 1;
    }
    return PrintResult(HostColorText::Print(result.color, options.pickFormat) + QLatin1Char('\n'))
               ? 0
               : kOutputFailed;
}

} // namespace

int main(int argc, char* argv[])
{
    // A reader that quits early (`| head`) must not kill the host before it has saved: a write
    // to the closed pipe fails with EPIPE instead, and the run ends in order.
    std::signal(SIGPIPE, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const HostOptions options = HostOptions::Parse(arguments);
    if (!options.error.isEmpty()) {
        PrintTo(stderr,
                QStringLiteral(
                    "colordorvo-host: %1\nTry 'colordorvo-host --help' for more information.\n")
                    .arg(options.error));
        return 2;
    }
    if (options.help) {
        return PrintResult(HostOptions::HelpText()) ? 0 : kOutputFailed;
    }
    if (options.version) {
        return PrintResult(
                   QStringLiteral("colordorvo-host %1\n").arg(QStringLiteral(COLORDORVO_VERSION)))
                   ? 0
                   : kOutputFailed;
    }
    if (!DisplayAvailable()) {
        if (options.script.isEmpty()) {
            PrintTo(
                stderr,
                QStringLiteral(
                    "colordorvo-host: no display available (DISPLAY is not set); run it under a "
                    "virtual display: xvfb-run -a scripts/run [options]\n"));
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen"); // a script call shows no window
    }

    QApplication app(argc, argv);
    QuitOnSignals(app);
    QApplication::setApplicationName(QStringLiteral("colordorvo-host"));
    QApplication::setApplicationVersion(QStringLiteral(COLORDORVO_VERSION));

    const QString pluginDir =
        options.pluginDir.isEmpty()
            ? QCoreApplication::applicationDirPath() + QStringLiteral("/plugins")
            : QDir::cleanPath(QDir::current().absoluteFilePath(options.pluginDir));
    if (!options.pluginDir.isEmpty() && !QFileInfo(pluginDir).isDir()) {
        const QFileInfo given(pluginDir);
        const QString what = given.isFile()      ? QStringLiteral("is a file, not a folder")
                             : given.exists()    ? QStringLiteral("is not a folder")
                             : given.isSymLink() ? QStringLiteral("is a broken link")
                                                 : QStringLiteral("does not exist");
        PrintTo(stderr, QStringLiteral("colordorvo-host: plug-in folder '%1' %2\n")
                            .arg(options.pluginDir, what));
        return 2;
    }
    if (!options.plugCfgDir.isEmpty()) {
        const QString plugCfgDir =
            QDir::cleanPath(QDir::current().absoluteFilePath(options.plugCfgDir));
        if (!QDir().mkpath(plugCfgDir)) {
            PrintTo(stderr,
                    QStringLiteral("colordorvo-host: configuration folder '%1' cannot be created\n")
                        .arg(options.plugCfgDir));
            return 2;
        }
        HostRuntime::SetPlugCfgDir(plugCfgDir);
    }

    HostSession session([](const QString& message) {
        PrintTo(stderr, QStringLiteral("colordorvo-host: %1\n").arg(message));
    });
    session.loadModules(pluginDir);

    int status = 0;
    if (!options.script.isEmpty()) {
        const HostRuntime::ScriptResult result = HostRuntime::EvaluateScript(options.script);
        if (result.ok) {
            status = PrintResult(result.text + QLatin1Char('\n')) ? 0 : kOutputFailed;
        } else {
            PrintTo(stderr, QStringLiteral("colordorvo-host: %1\n").arg(result.error));
            status = 1;
        }
    } else if (options.pick) {
        status = RunPick(session, options);
    } else {
        session.mainWindow()->show();
        status = app.exec();
    }
    session.shutdown();
    return status;
}
