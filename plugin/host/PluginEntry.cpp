// The module's face to the host: the entry point the loader calls and the Lib* functions the
// host queries, the only symbols the module exports. (The script function the module registers
// is ScriptHost's.)
#include "color/ModuleCaches.h"
#include "host/ColorDorvoPickerClassDesc.h"
#include "host/DorvoColorUtilityClassDesc.h"
#include "host/PluginModule.h"
#include "host/services/HostAccess.h"
#include "host/services/HostServices.h"
#include "swatches/files/ColorListStore.h"

namespace {

constexpr int kClassCount = 2;

} // namespace

COLORDORVO_ENTRY_POINT BOOL WINAPI DllMain(HINSTANCE instance, ULONG reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        MaxSDK::Util::UseLanguagePackLocale(instance);
        PluginModule::SetInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

COLORDORVO_EXPORT const MCHAR* LibDescription()
{
    return PluginModule::GetString(PluginModule::LibraryDescription);
}

COLORDORVO_EXPORT int LibNumberClasses()
{
    return kClassCount;
}

COLORDORVO_EXPORT ClassDesc* LibClassDesc(int i)
{
    switch (i) {
    case 0: {
        static DorvoColorUtilityClassDesc utility;
        return &utility;
    }
    case 1: {
        static ColorDorvoPickerClassDesc picker;
        return &picker;
    }
    default:
        return nullptr;
    }
}

COLORDORVO_EXPORT ULONG LibVersion()
{
    return VERSION_3DSMAX;
}

COLORDORVO_EXPORT int LibInitialize()
{
    return TRUE;
}

COLORDORVO_EXPORT int LibShutdown()
{
    // Colors accepted while the list file could not be written get a last try; what still
    // cannot be written is lost with the process, and the debug output says so.
    if (!ColorListStore::writeWaitingHistory())
        HostAccess::DebugText(QStringLiteral("ColorDorvo: accepted colors could not be written to "
                                             "History in the color list file\n"));
    // The tables and pictures the views keep between dialogs: a host that unloads the module
    // afterwards finds nothing of it left on its heap. Should the host use the module again, they
    // are built again.
    ModuleCaches::releaseAll();
    return TRUE;
}
