#pragma once

#include "hostsdk/AColor.h"
#include "hostsdk/HostSdkExport.h"
#include "hostsdk/IPoint2.h"
#include "hostsdk/InterfaceServer.h"
#include "hostsdk/MaxTypes.h"

class HSVCallback;

// An open modeless color picker, as the host talks to it.
class HOSTSDK_API ColorPicker : public InterfaceServer
{
public:
    ~ColorPicker() override;
    virtual void ModifyColor(AColor color) = 0;
    virtual void ModifyColor(DWORD color) = 0;
    virtual void SetNewColor(AColor color, const MCHAR* name) = 0;
    virtual void SetNewColor(DWORD color, const MCHAR* name) = 0;
    virtual DWORD GetColor() = 0;
    virtual IPoint2 GetPosition() = 0;
    virtual void Destroy() = 0;
    virtual void InstallNewCB(AColor color, HSVCallback* callback, const MCHAR* name) = 0;
    virtual void InstallNewCB(DWORD color, HSVCallback* callback, const MCHAR* name) = 0;
    virtual void RefreshUI() = 0;
    virtual AColor GetAColor() = 0;
    // The host's defaults: no rectangle to report, never in color-sampler mode.
    virtual bool GetRect(RECT& rect) const;
    virtual bool IsColorSamplerMode() const;
};
