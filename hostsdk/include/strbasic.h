#pragma once

#include "hostsdk/WinTypes.h"

// Host text is wide throughout.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#define MCHAR wchar_t
#define _M(text) L##text
