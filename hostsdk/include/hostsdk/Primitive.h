#pragma once

#include "hostsdk/HostSdkExport.h"
#include "hostsdk/MaxTypes.h"

#include <string>

class Value;

// A named script function. Constructing one registers it with the script engine, as a member
// of `structName` when that is given ("Struct.Name()"), and destroying it unregisters it, so a
// module-level static lives exactly as long as its module is loaded.
class HOSTSDK_API Primitive
{
public:
    using Function = Value* (*)(Value** argList, int count);

    Primitive(const MCHAR* name, const MCHAR* structName, Function function);
    Primitive(const MCHAR* name, Function function);
    ~Primitive();
    Primitive(const Primitive&) = delete;
    Primitive& operator=(const Primitive&) = delete;

    const std::wstring& Name() const { return mName; }
    const std::wstring& StructName() const { return mStructName; }
    Value* Apply(Value** argList, int count) const { return mFunction(argList, count); }

private:
    std::wstring mName;
    std::wstring mStructName;
    Function mFunction;
};
