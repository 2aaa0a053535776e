#pragma once

#include "hostsdk/HostSdkExport.h"
#include "strbasic.h"

#include <string>

class Value;

// The C function behind a script function: the arguments and their count.
using value_cf = Value* (*)(Value** argList, int count);

// A named script function. Constructing one registers it with the script engine, as a member
// of `structure` when that is given ("Struct.Name()"), and destroying it unregisters it, so a
// module-level static lives exactly as long as its module is loaded.
class HOSTSDK_API Primitive
{
public:
    Primitive(const MCHAR* name, const MCHAR* structure, value_cf fn, short init_flags = 0);
    Primitive(const MCHAR* name, value_cf fn, short init_flags = 0);
    ~Primitive();
    Primitive(const Primitive&) = delete;
    Primitive& operator=(const Primitive&) = delete;

    const std::wstring& Name() const { return mName; }
    const std::wstring& StructName() const { return mStructName; }
    Value* Apply(Value** argList, int count) const { return mFunction(argList, count); }

private:
    std::wstring mName;
    std::wstring mStructName;
    value_cf mFunction;
};
