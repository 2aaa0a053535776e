#pragma once

#include "hostsdk/HostSdkExport.h"
#include "plugapi.h"

// The class descriptor modules derive from; it adds nothing the stand-in host uses.
class HOSTSDK_API ClassDesc2 : public ClassDesc
{
public:
    ClassDesc2();
    ~ClassDesc2() override;
};
