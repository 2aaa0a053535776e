#pragma once

#include "hostsdk/HostSdkExport.h"
#include "hostsdk/InterfaceServer.h"
#include "hostsdk/MaxTypes.h"

// A global utility plug-in: created and started when the host starts, stopped and deleted
// when it exits.
class HOSTSDK_API GUP : public InterfaceServer
{
public:
    ~GUP() override;
    // GUPRESULT_KEEP keeps the plug-in loaded; GUPRESULT_NOKEEP lets the host release it.
    virtual DWORD Start() = 0;
    virtual void Stop() = 0;
    virtual DWORD_PTR Control(DWORD parameter);
    virtual IOResult Save(ISave* isave);
    virtual IOResult Load(ILoad* iload);
    virtual void DeleteThis();
};
