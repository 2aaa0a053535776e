#include "host/DorvoColorUtility.h"

#include "host/services/HostAccess.h"
#include "host/services/SettingsStore.h"
#include "swatches/ColorSwatchListWidget.h"

DWORD DorvoColorUtility::Start()
{
    OpenSettingsStore();
    return GUPRESULT_KEEP;
}

void DorvoColorUtility::Stop()
{
    // Colors accepted while the list file could not be written get a last try; what still
    // cannot be written is lost with the process, and the debug output says so.
    if (!ColorSwatchListWidget::writeWaitingHistory())
        HostAccess::DebugText(QStringLiteral("ColorDorvo: accepted colors could not be written to "
                                             "History in the color list file\n"));
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
