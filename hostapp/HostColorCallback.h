#pragma once

#include "hsv.h"

#include <functional>

// The host's side of an open picker: hands each notification to the functions the host
// set, in the order the picker sends them.
class HostColorCallback : public HSVCallback
{
public:
    using ColorChangedFn = std::function<void(const AColor& color, BOOL buttonUp)>;
    using DestroyedFn = std::function<void(const IPoint2& position)>;

    HostColorCallback(ColorChangedFn colorChanged, DestroyedFn destroyed);
    HostColorCallback(const HostColorCallback&) = delete;
    HostColorCallback& operator=(const HostColorCallback&) = delete;

    void ColorChanged(DWORD color, BOOL buttonUp) override;
    void ColorChanged(AColor color, BOOL buttonUp) override;
    void BeingDestroyed(IPoint2 position) override;

private:
    ColorChangedFn mColorChanged;
    DestroyedFn mDestroyed;
};
