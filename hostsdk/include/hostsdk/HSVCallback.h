#pragma once

#include "hostsdk/AColor.h"
#include "hostsdk/HostSdkExport.h"
#include "hostsdk/IPoint2.h"
#include "hostsdk/InterfaceServer.h"
#include "hostsdk/WinTypes.h"

// What a color picker tells the object that asked for it.
class HOSTSDK_API HSVCallback : public InterfaceServer
{
public:
    ~HSVCallback() override;
    virtual void ButtonDown() {}
    virtual void ButtonUp(BOOL accept) { (void)accept; }
    virtual void ColorChanged(DWORD col, BOOL buttonUp) = 0;
    // The host's default narrows to the packed form.
    virtual void ColorChanged(AColor col, BOOL buttonUp) { ColorChanged(col.toRGB(), buttonUp); }
    // The picker is going away; `pos` is its last top-left position.
    virtual void BeingDestroyed(IPoint2 pos) = 0;
    virtual void OnOK() {}
    virtual void OnCancel() {}
};
