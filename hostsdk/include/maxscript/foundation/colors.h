#pragma once

#include "acolor.h"
#include "maxscript/kernel/value.h"

#include <string>

// MAXScript's color value: a global class of this name, as the host's script headers declare it.
// The master header maxscript/maxscript.h brings it in, so a plug-in unit that sees the script
// headers cannot declare a global ColorValue of its own.
class ColorValue : public Value
{
public:
    explicit ColorValue(AColor value) : color(value) {}
    std::wstring ToText() const override
    {
        return L"(color " + std::to_wstring(color.r * 255.0f) + L" " +
               std::to_wstring(color.g * 255.0f) + L" " + std::to_wstring(color.b * 255.0f) + L")";
    }

    AColor color;
};
