#pragma once

#include "hostsdk/HostSdkExport.h"
#include "hostsdk/WinTypes.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
namespace MaxSDK {
class QmaxMainWindow;
}

// How the host program (or a test playing the host) configures the runtime behind the SDK,
// and reads back what modules told it.
namespace HostRuntime {

// The main window that GetCOREInterface() hands to modules. Not owned; forgotten when destroyed.
HOSTSDK_API void SetMainWindow(MaxSDK::QmaxMainWindow* window);
HOSTSDK_API MaxSDK::QmaxMainWindow* MainWindow();

// Window handles name live widgets; a handle of a destroyed widget maps to null.
HOSTSDK_API HWND WindowHandle(QWidget* widget);
HOSTSDK_API QWidget* WidgetFromHandle(HWND handle);

// The plug-in configuration directory (directory code 9). Unset, it is COLORDORVO_PLUGCFG or
// else $XDG_CONFIG_HOME/colordorvo-host/plugcfg. It is created when first asked for.
HOSTSDK_API void SetPlugCfgDir(const QString& dir);
HOSTSDK_API QString PlugCfgDir();

// The language pack: one "<module file name>.json" per module, an object of string ids to
// texts. Unset, it is the "langpack" folder next to the program.
HOSTSDK_API void SetLanguagePackDir(const QString& dir);
HOSTSDK_API QString LanguagePackDir();

// A loaded module's instance handle, valid until unregistered.
HOSTSDK_API HINSTANCE RegisterModule(const QString& filePath);
HOSTSDK_API void UnregisterModule(HINSTANCE module);
HOSTSDK_API QString ModuleFilePath(HINSTANCE module);

// Everything written to the debug output and the script listener since the last clear.
enum class OutputChannel
{
    Debug,
    Listener
};
using OutputSink = std::function<void(OutputChannel channel, const QString& text)>;
HOSTSDK_API QString DebugOutput();
HOSTSDK_API QString ListenerOutput();
HOSTSDK_API void ClearOutput();
// Also hands every write to `sink` as it happens (replacing any previous sink; empty removes it).
HOSTSDK_API void SetOutputSink(OutputSink sink);

// Evaluates a call of a registered script function, "Struct.Name()" or "Name()", with string,
// integer or no arguments.
struct ScriptResult
{
    bool ok = false;
    QString text;      // the result as plain text
    QString printForm; // the result as the listener shows it
    QString error;     // why the evaluation failed
};
HOSTSDK_API ScriptResult EvaluateScript(const QString& expression);
HOSTSDK_API QStringList ScriptFunctions();

// Live blocks on the host heap and the script heap.
HOSTSDK_API long HostHeapBlocks();
HOSTSDK_API long ScriptHeapBlocks();

} // namespace HostRuntime
