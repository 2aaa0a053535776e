#pragma once

#include "hostsdk/HostSdkExport.h"

#include <QIcon>
#include <QString>

namespace MaxSDK {

// A host icon by its path ("ColorPicker/EyeDropper", ":/Common/ArrowHeadLeft"), drawn sharp
// at any size and pixel ratio. An unknown path gives a null icon.
HOSTSDK_API QIcon LoadMaxMultiResIcon(const QString& iconPath);

} // namespace MaxSDK
