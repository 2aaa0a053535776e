#pragma once

#include "../dialog/RecordingCallback.h"

#include "dialog/ColorDorvoDialog.h"
#include "host/SettingsStore.h"

#include "hostsdk/HostRuntime.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <memory>

// A user's drag is a press, moves with the button held and a release. QTest reads the point (0, 0)
// as "the widget's centre" and moves without a held button, which a widget without mouse tracking
// never sees, so these send the events themselves.
inline void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held, const QPoint& pos)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
inline void press(QWidget* widget, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, button, button, pos);
}
inline void moveHeld(QWidget* widget, const QPoint& pos)
{
    sendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, pos);
}
inline void release(QWidget* widget, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, button, Qt::NoButton, pos);
}

// The host as a test plays it: a configuration folder of its own, a main window, the settings
// store, and a recording callback for the dialog opened on it.
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

    ColorDorvoDialog* open(const QColor& color)
    {
        dialog = std::make_unique<ColorDorvoDialog>(&mainWindow, color, 0, &callback, nullptr,
                                                    QStringLiteral("Color Selector"));
        return dialog.get();
    }

    QTemporaryDir configDir;
    QWidget mainWindow;
    RecordingCallback callback;
    std::unique_ptr<ColorDorvoDialog> dialog;
};
