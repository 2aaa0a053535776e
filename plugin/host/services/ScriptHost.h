#pragma once

#include <QString>

// The host's script engine in Qt's terms: its listener, and the script function the module
// registers while it is loaded (ColorDorvo.Version(), answering the plug-in's version).
namespace ScriptHost {

// Writes `text` as it is, line ending included, to the current script listener, if there is one.
void WriteListener(const QString& text);

} // namespace ScriptHost
