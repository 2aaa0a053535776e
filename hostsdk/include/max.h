#pragma once

// The SDK's umbrella header, which plug-ins include before any other SDK header: the basic
// types, the core interface and the plug-in and class-descriptor declarations.
#include "GetCOREInterface.h"
#include "maxapi.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "strbasic.h"
