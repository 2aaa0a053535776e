#include "HostColorCallback.h"

HostColorCallback::HostColorCallback(ColorChangedFn colorChanged, DestroyedFn destroyed)
    : mColorChanged(std::move(colorChanged)), mDestroyed(std::move(destroyed))
{
}

void HostColorCallback::ColorChanged(DWORD color, BOOL buttonUp)
{
    ColorChanged(AColor(color, 1.0f), buttonUp);
}

void HostColorCallback::ColorChanged(AColor color, BOOL buttonUp)
{
    if (mColorChanged) {
        mColorChanged(color, buttonUp);
    }
}

void HostColorCallback::BeingDestroyed(IPoint2 position)
{
    if (mDestroyed) {
        mDestroyed(position);
    }
}
