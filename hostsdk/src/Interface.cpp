#include "hostsdk/Interface.h"

#include "RuntimeState.h"

#include <mutex>

using HostRuntimeDetail::state;

Interface::~Interface() = default;

QWidget* Interface::GetQmaxMainWindow()
{
    return HostRuntime::MainWindow();
}

HWND Interface::GetMAXHWnd()
{
    return HostRuntime::WindowHandle(HostRuntime::MainWindow());
}

const MCHAR* Interface::GetDir(int which)
{
    static const MCHAR empty[] = L"";
    if (which != APP_PLUGCFG_DIR) {
        return empty;
    }
    const QString dir = HostRuntime::PlugCfgDir();
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    // Keep the previous buffer while the text is unchanged, so earlier pointers stay valid.
    std::wstring wide = dir.toStdWString();
    if (wide != state().plugCfgDirWide) {
        state().plugCfgDirWide = std::move(wide);
    }
    return state().plugCfgDirWide.c_str();
}

Interface* GetCOREInterface()
{
    static Interface core;
    return &core;
}
