#pragma once

#include "host/HostServices.h"

// Tells the host about the global utility class and creates it on the host's heap.
class DorvoColorUtilityClassDesc : public ClassDesc2
{
public:
    static constexpr ULONG kClassIdA = 0x0D260474;
    static constexpr ULONG kClassIdB = 0x5F0A73B6;
    static constexpr const MCHAR* kInternalName = _M("DorvoColorUtility");

    int IsPublic() override;
    void* Create(BOOL loading = FALSE) override;
    int BeginCreate(Interface* ip) override;
    int EndCreate(Interface* ip) override;
    BOOL OkToCreate(Interface* ip) override;
    const MCHAR* ClassName() override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;
    const MCHAR* Category() override;
    const MCHAR* InternalName() override;
    HINSTANCE HInstance() override;
};
