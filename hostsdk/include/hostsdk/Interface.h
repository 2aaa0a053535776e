#pragma once

#include "hostsdk/HostSdkExport.h"
#include "hostsdk/MaxTypes.h"

class QWidget;

// The host's core interface.
class HOSTSDK_API Interface
{
public:
    virtual ~Interface();
    // The host's main window, parent of every window a module opens; null before the host has one.
    virtual QWidget* GetQmaxMainWindow();
    virtual HWND GetMAXHWnd();
    // A host directory as a zero-terminated wide string without a trailing separator; the
    // string stays valid until the directory is changed. Unknown codes give an empty string.
    virtual const MCHAR* GetDir(int which);
};

HOSTSDK_API Interface* GetCOREInterface();
