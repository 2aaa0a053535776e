// Out-of-line members of the SDK's base classes, so that their vtables live in the runtime.
#include "hostsdk/AColor.h"
#include "hostsdk/ClassDesc.h"
#include "hostsdk/ClassDesc2.h"
#include "hostsdk/ColPick.h"
#include "hostsdk/ColorPicker.h"
#include "hostsdk/GUP.h"
#include "hostsdk/HSVCallback.h"
#include "hostsdk/InterfaceServer.h"

#include <cmath>

InterfaceServer::~InterfaceServer() = default;
BaseInterface* InterfaceServer::GetInterface(Interface_ID)
{
    return nullptr;
}

HSVCallback::~HSVCallback() = default;

ColorPicker::~ColorPicker() = default;
bool ColorPicker::GetRect(RECT& rect) const
{
    rect = RECT();
    return false;
}
bool ColorPicker::IsColorSamplerMode() const
{
    return false;
}

ColPick::~ColPick() = default;
INT_PTR ColPick::Execute(int, ULONG_PTR, ULONG_PTR, ULONG_PTR)
{
    return 0;
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

ClassDesc2::~ClassDesc2() = default;

GUP::~GUP() = default;
DWORD_PTR GUP::Control(DWORD)
{
    return 0;
}
IOResult GUP::Save(ISave*)
{
    return IO_OK;
}
IOResult GUP::Load(ILoad*)
{
    return IO_OK;
}
void GUP::DeleteThis()
{
    delete this;
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

DWORD AColor::toRGB() const
{
    return RGB(PackChannel(r), PackChannel(g), PackChannel(b));
}
