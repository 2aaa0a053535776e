#pragma once

// Color selectors (ColPick), the open modeless picker (ColorPicker) and the callback a picker
// reports to (HSVCallback).

#include "acolor.h"
#include "baseinterface.h"
#include "hostsdk/HostSdkExport.h"
#include "ipoint2.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "maxversion.h"
#include "paramtype.h"
#include "strbasic.h"

// What a color picker tells the object that asked for it.
class HOSTSDK_API HSVCallback : public MaxHeapOperators
{
public:
    virtual ~HSVCallback();
    virtual void ButtonDown() {}
    virtual void ButtonUp(BOOL accept) { (void)accept; }
    virtual void ColorChanged(DWORD col, BOOL buttonUp);
    // The host's default narrows to the packed form.
    virtual void ColorChanged(AColor col, BOOL buttonUp) { ColorChanged(col.toRGB(), buttonUp); }
    // The picker is going away; `pos` is its last top-left position.
    virtual void BeingDestroyed(IPoint2 pos) = 0;
    virtual void OnOK() {}
    virtual void OnCancel() {}
};

// An open modeless color picker, as the host talks to it. The host never deletes one: it ends
// a picker through Destroy().
class HOSTSDK_API ColorPicker : public InterfaceServer
{
public:
    virtual void ModifyColor(DWORD color) = 0;
    // The host's defaults for the AColor forms narrow to the packed form.
    virtual void ModifyColor(AColor color) { ModifyColor(color.toRGB()); }
    virtual void SetNewColor(DWORD color, const MCHAR* name) = 0;
    virtual void SetNewColor(AColor color, const MCHAR* name) { SetNewColor(color.toRGB(), name); }
    virtual DWORD GetColor() = 0;
    virtual AColor GetAColor() { return AColor(GetColor()); }
    virtual IPoint2 GetPosition() = 0;
    virtual void Destroy() = 0;
#if MAX_RELEASE >= 27000
    // From 3ds Max 2025 a new callback comes with the color-management context of its color.
    virtual void InstallNewCB(DWORD color, HSVCallback* callback, const MCHAR* name,
                              ColorContext context = ColorContext::COLOR_SPACE_CONTEXT_NONE) = 0;
    virtual void InstallNewCB(AColor color, HSVCallback* callback, const MCHAR* name,
                              ColorContext context = ColorContext::COLOR_SPACE_CONTEXT_NONE)
    {
        InstallNewCB(color.toRGB(), callback, name, context);
    }
#else
    virtual void InstallNewCB(DWORD color, HSVCallback* callback, const MCHAR* name) = 0;
    virtual void InstallNewCB(AColor color, HSVCallback* callback, const MCHAR* name)
    {
        InstallNewCB(color.toRGB(), callback, name);
    }
#endif
    virtual void RefreshUI()
    {
    }
    // The host's defaults: an empty rectangle, never in color-sampler mode.
    virtual RECT GetRect() const;
    virtual bool IsColorSamplerMode() const;

protected:
    ~ColorPicker() override;
};

// A color-selector class: the host asks it for a color, modally or as a modeless picker.
class HOSTSDK_API ColPick : public InterfaceServer
{
public:
    ~ColPick() override;
#if MAX_RELEASE >= 27000
    // From 3ds Max 2025 each request carries the color-management context of its color.
    virtual INT_PTR
    ModalColorPicker(HWND owner, DWORD* color, IPoint2* startPos, HSVCallback* callback,
                     const MCHAR* name,
                     ColorContext context = ColorContext::COLOR_SPACE_CONTEXT_NONE) = 0;
    // The host's default asks the packed form and widens the answer, keeping the alpha.
    virtual INT_PTR ModalColorPicker(HWND owner, AColor* color, IPoint2* startPos,
                                     HSVCallback* callback, const MCHAR* name,
                                     ColorContext context = ColorContext::COLOR_SPACE_CONTEXT_NONE);
    virtual ColorPicker*
    CreateColorPicker(HWND owner, DWORD initColor, IPoint2* startPos, HSVCallback* callback,
                      const MCHAR* name, BOOL objClr = FALSE,
                      ColorContext context = ColorContext::COLOR_SPACE_CONTEXT_NONE) = 0;
    virtual ColorPicker*
    CreateColorPicker(HWND owner, AColor initColor, IPoint2* startPos, HSVCallback* callback,
                      const MCHAR* name, BOOL objClr = FALSE,
                      ColorContext context = ColorContext::COLOR_SPACE_CONTEXT_NONE);
#else
    virtual INT_PTR ModalColorPicker(HWND owner, DWORD* color, IPoint2* startPos,
                                     HSVCallback* callback, const MCHAR* name) = 0;
    // The host's default asks the packed form and widens the answer, keeping the alpha.
    virtual INT_PTR ModalColorPicker(HWND owner, AColor* color, IPoint2* startPos,
                                     HSVCallback* callback, const MCHAR* name);
    virtual ColorPicker* CreateColorPicker(HWND owner, DWORD initColor, IPoint2* startPos,
                                           HSVCallback* callback, const MCHAR* name,
                                           BOOL objClr = FALSE) = 0;
    virtual ColorPicker* CreateColorPicker(HWND owner, AColor initColor, IPoint2* startPos,
                                           HSVCallback* callback, const MCHAR* name,
                                           BOOL objClr = FALSE);
#endif
    virtual const MCHAR* ClassName() = 0;
    virtual Class_ID ClassID() = 0;
    virtual void DeleteThis() = 0;
    virtual INT_PTR Execute(int cmd, ULONG_PTR arg1 = 0, ULONG_PTR arg2 = 0,
                            ULONG_PTR arg3 = 0) = 0;
};
