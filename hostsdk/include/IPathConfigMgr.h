#pragma once

#include "MaxDirectories.h"
#include "hostsdk/HostSdkExport.h"
#include "maxheap.h"
#include "strbasic.h"

// The host's configured folders. There is one instance, reached through GetPathConfigMgr().
class HOSTSDK_API IPathConfigMgr : public MaxHeapOperators
{
public:
    static IPathConfigMgr* GetPathConfigMgr();
    virtual ~IPathConfigMgr();
    // A host directory as a zero-terminated wide string without a trailing separator; the
    // string stays valid until the directory is changed. Unknown codes give an empty string.
    virtual const MCHAR* GetDir(int which) const = 0;
};
