// Out-of-line members of the SDK's base classes, so that their vtables live in the runtime.
#include "acolor.h"
#include "baseinterface.h"
#include "gup.h"
#include "hsv.h"
#include "iparamb2.h"
#include "plugapi.h"

#include <cmath>

InterfaceServer::~InterfaceServer() = default;
BaseInterface* InterfaceServer::GetInterface(Interface_ID)
{
    return nullptr;
}

HSVCallback::~HSVCallback() = default;
void HSVCallback::ColorChanged(DWORD, BOOL)
{
}

ColorPicker::~ColorPicker() = default;
RECT ColorPicker::GetRect() const
{
    return RECT();
}
bool ColorPicker::IsColorSamplerMode() const
{
    return false;
}

ColPick::~ColPick() = default;

// From 3ds Max 2025 the requests carry the color's color-management context; the defaults pass
// it on as it came.
#if MAX_RELEASE >= 27000
#define COLOR_CONTEXT_PARAM , ColorContext context
#define COLOR_CONTEXT_ARG , context
#else
#define COLOR_CONTEXT_PARAM
#define COLOR_CONTEXT_ARG
#endif

INT_PTR ColPick::ModalColorPicker(HWND owner, AColor* color, IPoint2* startPos,
                                  HSVCallback* callback, const MCHAR* name COLOR_CONTEXT_PARAM)
{
    if (!color) {
        return 0;
    }
    DWORD packed = color->toRGB();
    const INT_PTR accepted =
        ModalColorPicker(owner, &packed, startPos, callback, name COLOR_CONTEXT_ARG);
    if (accepted) {
        *color = AColor(packed, color->a);
    }
    return accepted;
}

ColorPicker* ColPick::CreateColorPicker(HWND owner, AColor initColor, IPoint2* startPos,
                                        HSVCallback* callback, const MCHAR* name,
                                        BOOL objClr COLOR_CONTEXT_PARAM)
{
    return CreateColorPicker(owner, initColor.toRGB(), startPos, callback, name,
                             objClr COLOR_CONTEXT_ARG);
}

ClassDesc::~ClassDesc() = default;
int ClassDesc::BeginCreate(Interface*)
{
    return 0;
}
int ClassDesc::EndCreate(Interface*)
{
    return 0;
}
BOOL ClassDesc::OkToCreate(Interface*)
{
    return TRUE;
}
const MCHAR* ClassDesc::InternalName()
{
    return nullptr;
}
HINSTANCE ClassDesc::HInstance()
{
    return nullptr;
}

ClassDesc2::ClassDesc2() = default;
ClassDesc2::~ClassDesc2() = default;

GUP::~GUP() = default;
IOResult GUP::Save(ISave*)
{
    return IO_OK;
}
IOResult GUP::Load(ILoad*)
{
    return IO_OK;
}

AColor::AColor(DWORD rgb, float alpha)
    : r(static_cast<float>(GetRValue(rgb)) / 255.0f),
      g(static_cast<float>(GetGValue(rgb)) / 255.0f),
      b(static_cast<float>(GetBValue(rgb)) / 255.0f), a(alpha)
{
}

namespace {

// Low byte of truncate(channel * 255 + 0.5), the addition in double precision. Values beyond
// the int range (and NaN) would make the conversion undefined; they are pinned first.
BYTE PackChannel(float channel)
{
    double d = static_cast<double>(channel * 255.0f) + 0.5;
    if (std::isnan(d)) {
        return 0;
    }
    if (d <= -2147483648.0) {
        d = -2147483648.0;
    } else if (d >= 2147483647.0) {
        d = 2147483647.0;
    }
    return static_cast<BYTE>(static_cast<unsigned>(static_cast<int>(d)) & 0xFFu);
}

} // namespace

DWORD AColor::toRGB()
{
    return RGB(PackChannel(r), PackChannel(g), PackChannel(b));
}
