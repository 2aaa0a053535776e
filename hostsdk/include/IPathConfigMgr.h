#pragma once

#include "MaxDirectories.h"
#include "hostsdk/HostSdkExport.h"
#include "maxheap.h"
#include "maxversion.h"
#include "strbasic.h"
#include "strclass.h"

// The host's configured folders. There is one instance, reached through GetPathConfigMgr().
class HOSTSDK_API IPathConfigMgr : public MaxHeapOperators
{
public:
    static IPathConfigMgr* GetPathConfigMgr();
    virtual ~IPathConfigMgr();
#if MAX_RELEASE >= 28000
    // A host directory without a trailing separator; unknown codes give an empty string. From
    // 3ds Max 2026 the string is the caller's.
    virtual MSTR GetDir(int which) const = 0;
#else
    // A host directory as a zero-terminated wide string without a trailing separator; the
    // string stays valid until the directory is changed. Unknown codes give an empty string.
    virtual const MCHAR* GetDir(int which) const = 0;
#endif
};
