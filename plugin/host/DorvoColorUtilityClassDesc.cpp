#include "host/DorvoColorUtilityClassDesc.h"

#include "host/DorvoColorUtility.h"
#include "host/PluginModule.h"

int DorvoColorUtilityClassDesc::IsPublic()
{
    return TRUE;
}

void* DorvoColorUtilityClassDesc::Create(BOOL)
{
    return new DorvoColorUtility;
}

int DorvoColorUtilityClassDesc::BeginCreate(Interface*)
{
    return 0;
}

int DorvoColorUtilityClassDesc::EndCreate(Interface*)
{
    return 0;
}

BOOL DorvoColorUtilityClassDesc::OkToCreate(Interface*)
{
    return TRUE;
}

const MCHAR* DorvoColorUtilityClassDesc::ClassName()
{
    const MCHAR* name = PluginModule::GetString(PluginModule::ClassName);
    // Without its language pack the host still gets a name to list the class under.
    return name ? name : kInternalName;
}

SClass_ID DorvoColorUtilityClassDesc::SuperClassID()
{
    return GUP_CLASS_ID;
}

Class_ID DorvoColorUtilityClassDesc::ClassID()
{
    return Class_ID(kClassIdA, kClassIdB);
}

const MCHAR* DorvoColorUtilityClassDesc::Category()
{
    return PluginModule::GetString(PluginModule::ClassCategory);
}

const MCHAR* DorvoColorUtilityClassDesc::InternalName()
{
    return kInternalName;
}

HINSTANCE DorvoColorUtilityClassDesc::HInstance()
{
    return PluginModule::Instance();
}
