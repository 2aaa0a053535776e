#pragma once

#include "strbasic.h"

#include <string>

// The SDK's wide string, MSTR in a Unicode build: what 3ds Max 2026 returns where earlier hosts
// returned a const MCHAR* into storage of their own. Only what callers of those functions use.
class WStr
{
public:
    WStr() = default;
    WStr(const wchar_t* text) : mText(text ? text : L""), mNull(!text) {}

    const wchar_t* data() const { return mNull ? nullptr : mText.c_str(); }
    // As in the SDK, a string converts to its characters, which live as long as it does. The
    // stand-in refuses the conversion of a temporary, such as the string a function returns:
    // `const MCHAR* dir = paths->GetDir(...)` would point into freed storage.
    operator const wchar_t*() const& { return data(); }
    operator const wchar_t*() const&& = delete;
    int Length() const { return static_cast<int>(mText.size()); }
    int length() const { return Length(); }
    bool isNull() const { return mNull; }

private:
    std::wstring mText;
    bool mNull = true;
};

using MSTR = WStr;
