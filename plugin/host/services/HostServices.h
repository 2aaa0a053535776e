#pragma once

// The one place where the plug-in meets the host's SDK, but for its script engine (behind
// ScriptServices.h, in one unit of its own). Every other file of the plug-in includes this header
// instead of the SDK's own. The SDK's headers are named and laid out as
// in the host's SDK, so the same lines compile against the stand-in here and against the real
// SDK on Windows; only the build files choose which.

#ifdef _WIN32
#include <windows.h>
#endif

// max.h first, as the SDK expects.
#include "max.h"

#include "GetCOREInterface.h"
#include "IPathConfigMgr.h"
#include "Qt/QmaxMainWindow.h"
#include "Qt/QmaxSpinBox.h"
#include "acolor.h"
#include "dbgprint.h"
// MaxSDK::Util::UseLanguagePackLocale, which the entry point calls: the host's reference pages do
// not say which header declares it (README, "Choices the public reference leaves open").
// A builder who finds it declared elsewhere changes this one line.
#include "dllutilities.h"
#include "gup.h"
#include "hsv.h"
#include "iparamb2.h"
#include "ipoint2.h"
#include "maxapi.h"
#include "maxicon.h"
#include "plugapi.h"
#include "strbasic.h"

#include <QString>

class QWidget;

// Marks what the module exports to the host: the Lib* functions. On Windows their ordinals come
// from ColorDorvoPicker.def; elsewhere a version script keeps everything else local. The DLL
// entry point is found by the Windows loader without an export, while the stand-in's loader
// looks it up by name.
#ifdef _WIN32
#define COLORDORVO_EXPORT extern "C" __declspec(dllexport)
#define COLORDORVO_ENTRY_POINT extern "C"
#else
#define COLORDORVO_EXPORT extern "C" __attribute__((visibility("default")))
#define COLORDORVO_ENTRY_POINT COLORDORVO_EXPORT
#endif

// The host's main window: parent of every dialog, message box and overlay the plug-in opens.
// The host hands it out as its own QMainWindow subclass, so the conversion needs that class's
// header (included above).
inline QWidget* HostMainWindow()
{
    return GetCOREInterface()->GetQmaxMainWindow();
}

// The host's plug-in configuration directory, without a trailing separator. The path manager
// is the host's own place for folders; in this SDK its GetDir answers a wide C string.
inline QString HostPlugCfgDir()
{
    const MCHAR* dir = IPathConfigMgr::GetPathConfigMgr()->GetDir(APP_PLUGCFG_DIR);
    return dir ? QString::fromWCharArray(dir) : QString();
}
