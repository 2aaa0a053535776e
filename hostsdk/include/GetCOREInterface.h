#pragma once

#include "hostsdk/HostSdkExport.h"

class Interface;

HOSTSDK_API Interface* GetCOREInterface();
