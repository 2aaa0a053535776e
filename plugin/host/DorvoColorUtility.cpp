#include "host/DorvoColorUtility.h"

#include "host/services/SettingsStore.h"

DWORD DorvoColorUtility::Start()
{
    OpenSettingsStore();
    return GUPRESULT_KEEP;
}

void DorvoColorUtility::Stop()
{
    CloseSettingsStore();
}

DWORD_PTR DorvoColorUtility::Control(DWORD)
{
    return 0;
}

IOResult DorvoColorUtility::Save(ISave*)
{
    return IO_OK;
}

IOResult DorvoColorUtility::Load(ILoad*)
{
    return IO_OK;
}

void DorvoColorUtility::DeleteThis()
{
    delete this;
}
