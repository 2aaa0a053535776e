#include "HostSession.h"

#include <QApplication>
#include <QPointer>

HostSession::HostSession(std::function<void(const QString&)> report)
    : mWindow(std::make_unique<HostMainWindow>())
{
    mLoader.setMessageSink([this, report](const QString& message) {
        if (report) {
            report(message);
        }
        if (mWindow) {
            mWindow->appendHostMessage(message);
        }
    });
}

HostSession::~HostSession()
{
    shutdown();
}

int HostSession::loadModules(const QString& pluginDir)
{
    const int loaded = mLoader.loadFolder(pluginDir);
    // The selector object itself is created when a swatch first asks for it.
    if (mLoader.colorSelectorClass()) {
        mWindow->setColorSelector([this] { return mLoader.colorSelector(); });
    }
    const QStringList modules = mLoader.loadedModules();
    const QStringList descriptions = mLoader.moduleDescriptions();
    for (int i = 0; i < modules.size(); ++i) {
        mWindow->appendHostMessage(
            QStringLiteral("Loaded %1: %2").arg(modules[i], descriptions[i]));
    }
    if (modules.isEmpty()) {
        mWindow->appendHostMessage(QStringLiteral("No modules loaded from %1").arg(pluginDir));
    }
    return loaded;
}

void HostSession::shutdown()
{
    // Module code must not outlive its module: its windows go first, children of the main window
    // with it, then any top-level window a module opened on its own.
    mWindow.reset();
    if (qApp) {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            windows << w;
        }
        for (const QPointer<QWidget>& w : windows) {
            delete w.data(); // null when an earlier deletion already took it
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    mLoader.unloadAll();
}
