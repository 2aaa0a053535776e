#pragma once

#include "host/PluginClassDesc.h"

// Tells the host about the global utility class and creates it on the host's heap.
class DorvoColorUtilityClassDesc : public PluginClassDesc<DorvoColorUtilityClassDesc>
{
public:
    static constexpr const MCHAR* kInternalName = _M("DorvoColorUtility");
    static constexpr SClass_ID kSuperClassId = GUP_CLASS_ID;
    static constexpr ULONG kClassIdA = 0x0D260474;
    static constexpr ULONG kClassIdB = 0x5F0A73B6;

    static void* CreateInstance();
};
