#pragma once

#include "hostsdk/HostSdkExport.h"
#include "strbasic.h"

#include <cstddef>
#include <string>

// A script value. Values live on the script heap; the caller that receives one owns it.
class HOSTSDK_API Value
{
public:
    virtual ~Value();
    // The value as plain text, and as the listener prints it.
    virtual std::wstring ToText() const = 0;
    virtual std::wstring PrintForm() const;

    static void* operator new(std::size_t size);
    static void operator delete(void* block) noexcept;
};
