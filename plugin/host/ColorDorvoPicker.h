#pragma once

#include "host/services/HostServices.h"

class QColor;

// The color selector the host uses in place of its own. Each request becomes a picker
// dialog: a modal one is run and answered within the call, a modeless one is shown and
// handed to the host as its ColorPicker, after which it lives until it is closed. The
// selector itself keeps no state.
class ColorDorvoPicker : public ColPick
{
public:
    static constexpr ULONG kClassIdA = 0xA84B9764;
    static constexpr ULONG kClassIdB = 0x9F58F6D6;

    ColorDorvoPicker() = default;
    ColorDorvoPicker(const ColorDorvoPicker&) = delete;
    ColorDorvoPicker& operator=(const ColorDorvoPicker&) = delete;

    // Runs a modal picker on `color`; when the user accepts, the chosen color is written
    // back into it. Returns non-zero for accepted, 0 for cancelled (or no color given).
    INT_PTR ModalColorPicker(HWND owner, AColor* color, IPoint2* startPos, HSVCallback* callback,
                             const MCHAR* name) COLORDORVO_OVERRIDE_WITHOUT_COLOR_CONTEXT;
    // As above for a packed color, widened with alpha 1.0 and packed again on the way back.
    INT_PTR ModalColorPicker(HWND owner, DWORD* color, IPoint2* startPos, HSVCallback* callback,
                             const MCHAR* name) COLORDORVO_OVERRIDE_WITHOUT_COLOR_CONTEXT;
    // Opens a modeless picker and returns it, or null when the owner is the host's object
    // color selector (which this picker cannot stand in for) or no memory is left.
    ColorPicker* CreateColorPicker(HWND owner, AColor initColor, IPoint2* startPos,
                                   HSVCallback* callback, const MCHAR* name,
                                   BOOL objClr = FALSE) COLORDORVO_OVERRIDE_WITHOUT_COLOR_CONTEXT;
    ColorPicker* CreateColorPicker(HWND owner, DWORD initColor, IPoint2* startPos,
                                   HSVCallback* callback, const MCHAR* name,
                                   BOOL objClr = FALSE) COLORDORVO_OVERRIDE_WITHOUT_COLOR_CONTEXT;
#if COLORDORVO_SDK_COLOR_CONTEXT
    // The host's forms with the color's color-management context: the picker edits the color
    // as given, so each is the form above. No defaults here: a call without the context on
    // this class means the form above.
    INT_PTR ModalColorPicker(HWND owner, AColor* color, IPoint2* startPos, HSVCallback* callback,
                             const MCHAR* name, ColorContext context) override;
    INT_PTR ModalColorPicker(HWND owner, DWORD* color, IPoint2* startPos, HSVCallback* callback,
                             const MCHAR* name, ColorContext context) override;
    ColorPicker* CreateColorPicker(HWND owner, AColor initColor, IPoint2* startPos,
                                   HSVCallback* callback, const MCHAR* name, BOOL objClr,
                                   ColorContext context) override;
    ColorPicker* CreateColorPicker(HWND owner, DWORD initColor, IPoint2* startPos,
                                   HSVCallback* callback, const MCHAR* name, BOOL objClr,
                                   ColorContext context) override;
#endif
    const MCHAR* ClassName() override;
    Class_ID ClassID() override;
    void DeleteThis() override;
    INT_PTR Execute(int cmd, ULONG_PTR arg1 = 0, ULONG_PTR arg2 = 0, ULONG_PTR arg3 = 0) override;

    // The dialog's color for a host color: each channel truncated from 0..1 to 0..255
    // (values outside 0..1 are held at the ends), always opaque.
    static QColor DialogColor(const AColor& color);
    // The packed form written back to the host: each channel is the low byte of
    // truncate(channel * 255 + 0.5), the addition in double precision.
    static DWORD PackedColor(const AColor& color);
    // True when `owner` is the host's object color selector, by its title in any case.
    static bool IsObjectColorOwner(HWND owner);
};
