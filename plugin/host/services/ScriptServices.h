#pragma once

// The second seam with the host's SDK: its script engine. The script headers declare value
// classes under global names the plug-in also uses (MAXScript's ColorValue among them), so only
// one unit, ScriptHost.cpp, includes this header; the rest of the plug-in reaches the script
// engine through ScriptHost.h, which is Qt only.

#include "host/services/HostServices.h"

// The master header, as the host's script plug-ins include it.
#include "maxscript/maxscript.h"

// The current thread's script listener output stream.
inline CharStream* ListenerStream()
{
    auto* tls = static_cast<MAXScript_TLS*>(TlsGetValue(thread_locals_index));
    return tls ? tls->current_stdout : nullptr;
}
