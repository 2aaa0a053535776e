#pragma once

#include "host/ColorDorvoPicker.h"
#include "host/PluginClassDesc.h"

// Tells the host about the color selector class and creates it on the host's heap.
class ColorDorvoPickerClassDesc : public PluginClassDesc<ColorDorvoPickerClassDesc>
{
public:
    static constexpr const MCHAR* kInternalName = _M("ColorDorvoPicker");
    static constexpr SClass_ID kSuperClassId = COLPICK_CLASS_ID;
    static constexpr ULONG kClassIdA = ColorDorvoPicker::kClassIdA;
    static constexpr ULONG kClassIdB = ColorDorvoPicker::kClassIdB;

    static void* CreateInstance();
};
