#pragma once

#include "hostsdk/HostSdkExport.h"
#include "hostsdk/Interface_ID.h"
#include "hostsdk/MaxHeapOperators.h"

class BaseInterface;

// Root of the host's interface-serving objects.
class HOSTSDK_API InterfaceServer : public MaxHeapOperators
{
public:
    virtual ~InterfaceServer();
    // The host's own answer: no published interfaces unless a class adds some.
    virtual BaseInterface* GetInterface(Interface_ID id);
};
