#pragma once

#include "hostsdk/WinTypes.h"

// Host text is wide throughout.
using MCHAR = wchar_t;
#define _M(text) L##text

using SClass_ID = ULONG;

// Super class ids the host creates objects by.
#define COLPICK_CLASS_ID 0x10C0
#define GUP_CLASS_ID 0x10E0

// Directory codes of Interface::GetDir.
#define APP_PLUGCFG_DIR 9

// The host's version stamp: (release << 16) + (API number << 8) + SDK revision.
#define MAX_RELEASE 22000
#define MAX_API_NUM 55
#define MAX_SDK_REV 0
#define MAXVERSION(release, api, rev) ((static_cast<ULONG>(release) << 16) + ((api) << 8) + (rev))
#define VERSION_3DSMAX MAXVERSION(MAX_RELEASE, MAX_API_NUM, MAX_SDK_REV)

// Results of GUP::Start.
#define GUPRESULT_KEEP 0x00
#define GUPRESULT_NOKEEP 0x01
#define GUPRESULT_ABORT 0x03

enum IOResult
{
    IO_OK = 0,
    IO_END = 1,
    IO_ERROR = 2
};

class ISave;
class ILoad;
