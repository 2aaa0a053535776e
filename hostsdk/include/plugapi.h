#pragma once

#include "hostsdk/HostSdkExport.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "maxversion.h"
#include "strbasic.h"

class Interface;

// Super class ids the host creates objects by.
#define COLPICK_CLASS_ID 0x10C0
#define GUP_CLASS_ID 0x10E0

// The host's version stamp: (release << 16) + (API number << 8) + SDK revision. A module
// returns it from LibVersion; the host refuses a module built for another one.
#define MAXVERSION(release, api, rev) ((static_cast<ULONG>(release) << 16) + ((api) << 8) + (rev))
#define VERSION_3DSMAX MAXVERSION(MAX_RELEASE, MAX_API_NUM, MAX_SDK_REV)

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
