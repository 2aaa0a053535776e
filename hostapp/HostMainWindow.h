#pragma once

#include "hostsdk/HostRuntime.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class HostMainWindow;
}

// The stand-in host's main window: the parent modules open their windows on, with the script
// listener pane that shows listener and debug output and evaluates script function calls.
class HostMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HostMainWindow(QWidget* parent = nullptr);
    ~HostMainWindow() override;

    // Appends text to the listener pane; debug output is shown in grey.
    void appendOutput(HostRuntime::OutputChannel channel, const QString& text);
    // Shows a host message (loader reports) in the listener as a comment line.
    void appendHostMessage(const QString& message);
    QString listenerText() const;

private:
    Q_DISABLE_COPY(HostMainWindow)
    void EvaluateListenerLine();

    std::unique_ptr<Ui::HostMainWindow> mUi;
};
