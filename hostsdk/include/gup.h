#pragma once

#include "baseinterface.h"
#include "hostsdk/HostSdkExport.h"
#include "maxtypes.h"
#include "strbasic.h"

// Results of GUP::Start: GUPRESULT_KEEP keeps the plug-in loaded; GUPRESULT_NOKEEP lets the
// host release it.
#define GUPRESULT_KEEP 0x00
#define GUPRESULT_NOKEEP 0x01
#define GUPRESULT_ABORT 0x03

// A global utility plug-in: created and started when the host starts, stopped and deleted
// through DeleteThis when it exits.
class HOSTSDK_API GUP : public InterfaceServer
{
public:
    ~GUP() override;
    virtual DWORD Start() = 0;
    virtual void Stop() = 0;
    virtual DWORD_PTR Control(DWORD parameter)
    {
        (void)parameter;
        return 0;
    }
    virtual IOResult Save(ISave* isave);
    virtual IOResult Load(ILoad* iload);
    virtual void DeleteThis() = 0;
};
