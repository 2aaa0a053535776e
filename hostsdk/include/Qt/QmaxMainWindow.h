#pragma once

#include "hostsdk/HostSdkExport.h"

#include <QMainWindow>

namespace MaxSDK {

// The host's main window class, used in place of QMainWindow for its docking interface.
class HOSTSDK_API QmaxMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit QmaxMainWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~QmaxMainWindow() override;

private:
    Q_DISABLE_COPY(QmaxMainWindow)
};

} // namespace MaxSDK
