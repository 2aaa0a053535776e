#pragma once

#include "hostsdk/HostSdkExport.h"
#include "hostsdk/MaxTypes.h"

#include <cstdarg>

// A script text stream; the listener's output is one.
class HOSTSDK_API CharStream
{
public:
    virtual ~CharStream();
    // Formats like DebugPrint and returns the number of characters written.
    virtual int printf(const MCHAR* format, ...);
    virtual int vprintf(const MCHAR* format, va_list args);
    virtual int puts(const MCHAR* text) = 0;
};
