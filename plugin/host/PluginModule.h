#pragma once

#include "host/services/HostServices.h"

// What the module keeps of itself once the host has loaded it: its instance handle and the
// string resources the host's language pack provides for it.
namespace PluginModule {

// String resources of the module.
enum StringId : UINT
{
    LibraryDescription = 1,
    ClassCategory = 2,
    ClassName = 3
};

// Set by the entry point when the module is attached to the process.
void SetInstance(HINSTANCE instance);
HINSTANCE Instance();

// The text of string resource `id`, or null before the module handle is known or when the
// language pack has no such string. Each id has its own buffer, so a pointer handed out
// for one id keeps its text when another id is looked up.
const MCHAR* GetString(UINT id);

} // namespace PluginModule
