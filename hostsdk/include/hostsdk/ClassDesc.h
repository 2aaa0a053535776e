#pragma once

#include "hostsdk/Class_ID.h"
#include "hostsdk/HostSdkExport.h"
#include "hostsdk/MaxHeapOperators.h"
#include "hostsdk/MaxTypes.h"

class Interface;

// Describes one class of a module to the host, which creates objects through it.
class HOSTSDK_API ClassDesc : public MaxHeapOperators
{
public:
    virtual ~ClassDesc();
    virtual int IsPublic() = 0;
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual int BeginCreate(Interface* ip);
    virtual int EndCreate(Interface* ip);
    virtual BOOL OkToCreate(Interface* ip);
    virtual const MCHAR* ClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const MCHAR* Category() = 0;
    virtual const MCHAR* InternalName();
    virtual HINSTANCE HInstance();
};
