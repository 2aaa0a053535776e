#include "host/ColorDorvoPickerClassDesc.h"

#include "host/ColorDorvoPicker.h"
#include "host/PluginModule.h"

int ColorDorvoPickerClassDesc::IsPublic()
{
    return TRUE;
}

void* ColorDorvoPickerClassDesc::Create(BOOL)
{
    return new ColorDorvoPicker;
}

int ColorDorvoPickerClassDesc::BeginCreate(Interface*)
{
    return 0;
}

int ColorDorvoPickerClassDesc::EndCreate(Interface*)
{
    return 0;
}

BOOL ColorDorvoPickerClassDesc::OkToCreate(Interface*)
{
    return TRUE;
}

const MCHAR* ColorDorvoPickerClassDesc::ClassName()
{
    const MCHAR* name = PluginModule::GetString(PluginModule::ClassName);
    // Without its language pack the host still gets a name to list the class under.
    return name ? name : kInternalName;
}

SClass_ID ColorDorvoPickerClassDesc::SuperClassID()
{
    return COLPICK_CLASS_ID;
}

Class_ID ColorDorvoPickerClassDesc::ClassID()
{
    return Class_ID(ColorDorvoPicker::kClassIdA, ColorDorvoPicker::kClassIdB);
}

const MCHAR* ColorDorvoPickerClassDesc::Category()
{
    return PluginModule::GetString(PluginModule::ClassCategory);
}

const MCHAR* ColorDorvoPickerClassDesc::InternalName()
{
    return kInternalName;
}

HINSTANCE ColorDorvoPickerClassDesc::HInstance()
{
    return PluginModule::Instance();
}
