#pragma once

#include "hostsdk/HostSdkExport.h"
#include "maxscript/kernel/value.h"

#include <string>

// A script string, copied from a wide text.
class HOSTSDK_API String : public Value
{
public:
    explicit String(const MCHAR* text);
    const MCHAR* to_string() const { return mText.c_str(); }
    std::wstring ToText() const override;
    std::wstring PrintForm() const override;

private:
    std::wstring mText;
};
