#include "host/DorvoColorUtilityClassDesc.h"

#include "host/DorvoColorUtility.h"

void* DorvoColorUtilityClassDesc::CreateInstance()
{
    return new DorvoColorUtility;
}
