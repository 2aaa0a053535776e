#pragma once

#include "RecordingCallback.h"

#include "dialog/ColorDorvoDialog.h"
#include "host/services/SettingsStore.h"

#include "hostsdk/HostRuntime.h"

#include <QTemporaryDir>
#include "Qt/QmaxMainWindow.h"

#include <memory>

// The host as a test plays it: a configuration folder of its own, a main window, the settings
// store, and a recording callback for the dialog opened on it. A suite that wants a fresh folder
// and store for every test function makes one in init() and drops it in cleanup().
class TestHost
{
public:
    TestHost()
    {
        HostRuntime::SetPlugCfgDir(configDir.path());
        HostRuntime::SetMainWindow(&mainWindow);
        OpenSettingsStore();
    }
    ~TestHost()
    {
        dialog.reset();
        CloseSettingsStore();
        HostRuntime::SetMainWindow(nullptr);
    }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // A dialog on `color` that reports to `callback`; the host owns it until the next open().
    ColorDorvoDialog* open(const QColor& color)
    {
        dialog = std::make_unique<ColorDorvoDialog>(&mainWindow, color, 0, &callback, nullptr,
                                                    QStringLiteral("Color Selector"));
        return dialog.get();
    }

    QTemporaryDir configDir;
    MaxSDK::QmaxMainWindow mainWindow;
    RecordingCallback callback;
    std::unique_ptr<ColorDorvoDialog> dialog;
};
