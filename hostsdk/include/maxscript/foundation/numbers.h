#pragma once

#include "hostsdk/HostSdkExport.h"
#include "maxscript/kernel/value.h"

// A script integer.
class HOSTSDK_API Integer : public Value
{
public:
    explicit Integer(int value) : mValue(value) {}
    int to_int() const { return mValue; }
    std::wstring ToText() const override;

private:
    int mValue;
};
