#include "host/services/ScriptHost.h"

#include "host/services/HostAccess.h"
#include "host/services/ScriptServices.h"

#include <string>

namespace {

Value* VersionFunction(Value**, int)
{
    return new String(HostAccess::VersionText().toStdWString().c_str());
}

// Scripts call it as ColorDorvo.Version(). Constructed when the module is loaded and destroyed
// when it is unloaded, which registers and unregisters it with the script engine.
Primitive gVersionFunction(_M("Version"), _M("ColorDorvo"), VersionFunction);

} // namespace

namespace ScriptHost {

// The text goes through the host's formatted print as the one argument of "%s", so a percent
// sign in it is printed, not read as a conversion.
void WriteListener(const QString& text)
{
    if (CharStream* listener = ListenerStream()) {
        const std::wstring wide = text.toStdWString();
        listener->printf(_M("%s"), wide.c_str());
    }
}

} // namespace ScriptHost
