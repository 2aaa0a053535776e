#pragma once

// The host release this SDK belongs to: 3ds Max 2020.
#define MAX_RELEASE 22000
#define MAX_API_NUM 55
#define MAX_SDK_REV 0
