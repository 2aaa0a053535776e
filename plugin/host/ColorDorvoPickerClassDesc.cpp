#include "host/ColorDorvoPickerClassDesc.h"

void* ColorDorvoPickerClassDesc::CreateInstance()
{
    return new ColorDorvoPicker;
}
