#pragma once

#include "MaxDirectories.h"
#include "hostsdk/HostSdkExport.h"
#include "maxheap.h"
#include "strbasic.h"

namespace MaxSDK {
class QmaxMainWindow;
}

// The host's core interface.
class HOSTSDK_API Interface : public MaxHeapOperators
{
public:
    virtual ~Interface();
    // The host's main window, parent of every window a module opens; null before the host has
    // one. Only declared here: a caller that needs it as a QWidget includes Qt/QmaxMainWindow.h.
    virtual MaxSDK::QmaxMainWindow* GetQmaxMainWindow();
    virtual HWND GetMAXHWnd();
};
