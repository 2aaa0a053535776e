// The Win32 calls modules make, answered from the runtime's windows and modules.
#include "dllutilities.h"
#include "hostsdk/WinTypes.h"

#include "RuntimeState.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

using HostRuntimeDetail::ModuleRecord;
using HostRuntimeDetail::state;

namespace {

int CopyText(const std::wstring& text, LPWSTR buffer, int bufferMax)
{
    if (!buffer || bufferMax <= 0) {
        return 0;
    }
    const int n = std::min(static_cast<int>(text.size()), bufferMax - 1);
    std::copy(text.begin(), text.begin() + n, buffer);
    buffer[n] = L'\0';
    return n;
}

ModuleRecord* FindModule(HINSTANCE instance)
{
    auto it = state().modules.find(instance);
    return it == state().modules.end() ? nullptr : it->second;
}

void LoadStrings(ModuleRecord& module)
{
    module.stringsLoaded = true;
    module.strings.clear();
    const QString fileName = module.filePath.mid(module.filePath.lastIndexOf(QLatin1Char('/')) + 1);
    QFile file(HostRuntime::LanguagePackDir() + QLatin1Char('/') + fileName +
               QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QJsonObject table = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = table.begin(); it != table.end(); ++it) {
        bool ok = false;
        const unsigned id = it.key().toUInt(&ok);
        if (ok && it.value().isString()) {
            module.strings.insert(id, it.value().toString().toStdWString());
        }
    }
}

} // namespace

int GetWindowTextW(HWND window, LPWSTR text, int maxCount)
{
    QWidget* widget = HostRuntime::WidgetFromHandle(window);
    if (!widget) {
        CopyText(std::wstring(), text, maxCount);
        return 0;
    }
    return CopyText(widget->windowTitle().toStdWString(), text, maxCount);
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    ModuleRecord* module = FindModule(instance);
    // A module's own resources hold no strings; they come only from the language pack.
    if (!module || !module->useLanguagePack) {
        CopyText(std::wstring(), buffer, bufferMax);
        return 0;
    }
    if (!module->stringsLoaded) {
        LoadStrings(*module);
    }
    auto it = module->strings.constFind(id);
    if (it == module->strings.constEnd()) {
        CopyText(std::wstring(), buffer, bufferMax);
        return 0;
    }
    return CopyText(*it, buffer, bufferMax);
}

BOOL DisableThreadLibraryCalls(HMODULE module)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    return FindModule(module) ? TRUE : FALSE;
}

void MaxSDK::Util::UseLanguagePackLocale(HINSTANCE instance)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    if (ModuleRecord* module = FindModule(instance)) {
        module->useLanguagePack = true;
        module->stringsLoaded = false;
    }
}
