#pragma once

#include "maxversion.h"

// From 3ds Max 2025 hsv.h includes this header, and the picker calls carry the color-management
// context of the color they edit. The reference shows the default, COLOR_SPACE_CONTEXT_NONE;
// the other contexts are not on the pages read, and the stand-in host passes only that one.
#if MAX_RELEASE >= 27000
enum class ColorContext
{
    COLOR_SPACE_CONTEXT_NONE
};
#endif
