#pragma once

#include "hostsdk/AColor.h"
#include "hostsdk/Class_ID.h"
#include "hostsdk/HostSdkExport.h"
#include "hostsdk/IPoint2.h"
#include "hostsdk/InterfaceServer.h"
#include "hostsdk/MaxTypes.h"

class ColorPicker;
class HSVCallback;

// A color-selector class: the host asks it for a color, modally or as a modeless picker.
class HOSTSDK_API ColPick : public InterfaceServer
{
public:
    ~ColPick() override;
    virtual INT_PTR ModalColorPicker(HWND owner, AColor* color, IPoint2* startPos,
                                     HSVCallback* callback, const MCHAR* name) = 0;
    virtual INT_PTR ModalColorPicker(HWND owner, DWORD* color, IPoint2* startPos,
                                     HSVCallback* callback, const MCHAR* name) = 0;
    virtual ColorPicker* CreateColorPicker(HWND owner, AColor initColor, IPoint2* startPos,
                                           HSVCallback* callback, const MCHAR* name,
                                           BOOL objClr = FALSE) = 0;
    virtual ColorPicker* CreateColorPicker(HWND owner, DWORD initColor, IPoint2* startPos,
                                           HSVCallback* callback, const MCHAR* name,
                                           BOOL objClr = FALSE) = 0;
    virtual const MCHAR* ClassName() = 0;
    virtual Class_ID ClassID() = 0;
    virtual void DeleteThis() = 0;
    virtual INT_PTR Execute(int cmd, ULONG_PTR arg1 = 0, ULONG_PTR arg2 = 0, ULONG_PTR arg3 = 0);
};
