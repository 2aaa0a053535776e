#pragma once

#include "hostsdk/HostSdkExport.h"
#include "strbasic.h"

namespace MaxSDK {
namespace Util {

// Makes the module's string resources (LoadStringW) come from the host's language pack.
HOSTSDK_API void UseLanguagePackLocale(HINSTANCE module);

} // namespace Util
} // namespace MaxSDK
