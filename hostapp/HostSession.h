#pragma once

#include "HostMainWindow.h"
#include "ModuleLoader.h"

#include <QString>

#include <functional>
#include <memory>

// One run of the host: the main window and the loaded modules, torn down in the order the
// modules rely on: their windows first (a dialog writes its settings while the store is still
// open), then the utilities, then the modules themselves.
class HostSession
{
public:
    // `report` hears every loader message (the session also shows it in the listener).
    explicit HostSession(std::function<void(const QString&)> report = {});
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    HostMainWindow* mainWindow() const { return mWindow.get(); }
    ModuleLoader& loader() { return mLoader; }

    // Loads the folder's modules and lists them (or their absence) in the listener.
    int loadModules(const QString& pluginDir);
    // Destroys every window (the main window and whatever the modules opened), runs pending
    // deletions, then stops the utilities and unloads the modules. Safe to call twice.
    void shutdown();

private:
    std::unique_ptr<HostMainWindow> mWindow;
    ModuleLoader mLoader;
};
