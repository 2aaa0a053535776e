#include "GetCOREInterface.h"
#include "IPathConfigMgr.h"
#include "Qt/QmaxMainWindow.h"
#include "maxapi.h"

#include "RuntimeState.h"

#include <mutex>

using HostRuntimeDetail::state;

Interface::~Interface() = default;

MaxSDK::QmaxMainWindow* Interface::GetQmaxMainWindow()
{
    return HostRuntime::MainWindow();
}

HWND Interface::GetMAXHWnd()
{
    return HostRuntime::WindowHandle(HostRuntime::MainWindow());
}

namespace {

class PathConfigMgr : public IPathConfigMgr
{
public:
#if MAX_RELEASE >= 28000
    MSTR GetDir(int which) const override
    {
        return MSTR(PlugCfgDir(which));
    }
#else
    const MCHAR* GetDir(int which) const override
    {
        return PlugCfgDir(which);
    }
#endif

private:
    static const MCHAR* PlugCfgDir(int which);
};

const MCHAR* PathConfigMgr::PlugCfgDir(int which)
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

} // namespace

IPathConfigMgr::~IPathConfigMgr() = default;

IPathConfigMgr* IPathConfigMgr::GetPathConfigMgr()
{
    static PathConfigMgr paths;
    return &paths;
}

Interface* GetCOREInterface()
{
    static Interface core;
    return &core;
}
