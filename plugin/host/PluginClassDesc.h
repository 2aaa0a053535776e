#pragma once

#include "host/PluginModule.h"
#include "host/services/HostServices.h"

// What both of the module's class descriptors tell the host. `Desc` names its class with
// kInternalName, kSuperClassId, kClassIdA and kClassIdB, and creates it on the host's heap in
// CreateInstance().
template <typename Desc> class PluginClassDesc : public ClassDesc2
{
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL /*loading*/ = FALSE) override { return Desc::CreateInstance(); }
    int BeginCreate(Interface*) override { return 0; }
    int EndCreate(Interface*) override { return 0; }
    BOOL OkToCreate(Interface*) override { return TRUE; }
    const MCHAR* ClassName() override
    {
        const MCHAR* name = PluginModule::GetString(PluginModule::ClassName);
        // Without its language pack the host still gets a name to list the class under.
        return name ? name : Desc::kInternalName;
    }
    SClass_ID SuperClassID() override { return Desc::kSuperClassId; }
    Class_ID ClassID() override { return Class_ID(Desc::kClassIdA, Desc::kClassIdB); }
    const MCHAR* Category() override
    {
        return PluginModule::GetString(PluginModule::ClassCategory);
    }
    const MCHAR* InternalName() override { return Desc::kInternalName; }
    HINSTANCE HInstance() override { return PluginModule::Instance(); }
};
