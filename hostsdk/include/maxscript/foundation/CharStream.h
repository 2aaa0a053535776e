#pragma once

#include "hostsdk/HostSdkExport.h"
#include "maxscript/kernel/value.h"
#include "strbasic.h"

// A script text stream; the listener's output is one.
class HOSTSDK_API CharStream : public Value
{
public:
    ~CharStream() override;
    // Writes the text and returns it.
    virtual const MCHAR* puts(const MCHAR* text) = 0;
    // Formats like DebugPrint and returns the number of characters written.
    virtual int printf(const MCHAR* format, ...);
    std::wstring ToText() const override;
};
