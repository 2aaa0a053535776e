#pragma once

#include "hostsdk/HostRuntime.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <atomic>
#include <cstdarg>
#include <map>
#include <mutex>
#include <string>

class Primitive;

// The runtime's one set of host state, shared by the SDK's implementation files.
namespace HostRuntimeDetail {

struct ModuleRecord
{
    QString filePath;
    bool useLanguagePack = false;
    bool stringsLoaded = false;
    QHash<unsigned, std::wstring> strings;
};

struct State
{
    std::recursive_mutex mutex;
    QPointer<MaxSDK::QmaxMainWindow> mainWindow;
    QString plugCfgDir;
    std::wstring plugCfgDirWide;
    QString languagePackDir;
    std::map<HINSTANCE, ModuleRecord*> modules;
    QString debugOutput;
    QString listenerOutput;
    HostRuntime::OutputSink sink;
    std::multimap<std::wstring, Primitive*> primitives; // keyed by "Struct.Name" (lower case)
    std::atomic<long> hostHeapBlocks{0};
    std::atomic<long> scriptHeapBlocks{0};
};

State& state();

// The host's wide printf: %s/%c take wide arguments, %S/%hs/%hc narrow ones.
std::wstring FormatWide(const wchar_t* format, va_list args);

void WriteOutput(HostRuntime::OutputChannel channel, const QString& text);

std::wstring PrimitiveKey(const std::wstring& structName, const std::wstring& name);

} // namespace HostRuntimeDetail
