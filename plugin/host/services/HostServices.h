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
#include "dbgprint.h"
// MaxSDK::Util::UseLanguagePackLocale, which the entry point calls: the host's reference pages do
// not say which header declares it (README, "Choices the public reference leaves open").
// A builder who finds it declared elsewhere changes this one line.
#include "dllutilities.h"
#include "gup.h"
// AColor and IPoint2 come with hsv.h, which includes them by the SDK's own paths: acolor.h at
// the include folder's root up to 2022, geom/acolor.h on the 2025 page.
#include "hsv.h"
#include "iparamb2.h"
#include "maxapi.h"
#include "maxicon.h"
#include "plugapi.h"
#include "strbasic.h"
#include "strclass.h"

#include <QString>

class QWidget;

// The SDK's year. This header is the one place of the plug-in that reads it (MAX_RELEASE, the
// release id of the SDK's version macros: 22000 for 3ds Max 2020, a thousand more each year);
// what differs between years is decided here, and the classes that override the SDK's virtuals
// test only the names defined below.
#ifndef MAX_RELEASE
#error "the SDK's version macros are missing: MAX_RELEASE is not defined"
#endif
#define COLORDORVO_MAX_RELEASE_2025 27000
#define COLORDORVO_MAX_RELEASE_2026 28000

// From 3ds Max 2025 the picker calls of ColPick and ColorPicker::InstallNewCB carry a trailing
// ColorContext (the 2025 and 2026 reference pages; the 2022 pages have none, and no 2023 or 2024
// page of these classes was found). The picker overrides those forms and edits the color as
// given; its own forms without the context stay, as plain members, and do the work. For a 2023
// or 2024 SDK that already has the parameter, the real-host build defines
// COLORDORVO_SDK_COLOR_CONTEXT=1 (its option of that name).
#ifndef COLORDORVO_SDK_COLOR_CONTEXT
#if MAX_RELEASE >= COLORDORVO_MAX_RELEASE_2025
#define COLORDORVO_SDK_COLOR_CONTEXT 1
#else
#define COLORDORVO_SDK_COLOR_CONTEXT 0
#endif
#endif
// Marks the forms without the context: overrides of the host's virtuals before the context
// came, plain members after.
#if COLORDORVO_SDK_COLOR_CONTEXT
#define COLORDORVO_OVERRIDE_WITHOUT_COLOR_CONTEXT
#else
#define COLORDORVO_OVERRIDE_WITHOUT_COLOR_CONTEXT override
#endif

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
// is the host's own place for folders. Its GetDir answers a wide C string up to 3ds Max 2025
// and an MSTR from 2026 (the 2026 reference page), which is kept here until it is copied: a
// pointer taken from the returned string would outlive it.
inline QString HostPlugCfgDir()
{
#if MAX_RELEASE >= COLORDORVO_MAX_RELEASE_2026
    const MSTR dir = IPathConfigMgr::GetPathConfigMgr()->GetDir(APP_PLUGCFG_DIR);
    return QString::fromWCharArray(dir.data(), dir.Length());
#else
    const MCHAR* dir = IPathConfigMgr::GetPathConfigMgr()->GetDir(APP_PLUGCFG_DIR);
    return dir ? QString::fromWCharArray(dir) : QString();
#endif
}
