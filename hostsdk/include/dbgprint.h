#pragma once

#include "hostsdk/HostSdkExport.h"
#include "strbasic.h"

// Writes to the host's debug output. The format follows the host's wide printf: %s and %c take
// wide arguments, %S and %hs narrow ones.
HOSTSDK_API void DebugPrint(const MCHAR* format, ...);
