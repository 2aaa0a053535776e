#pragma once

#include "hostsdk/WinTypes.h"
#include "strbasic.h"

class ClassDesc;

// The signatures of what a plug-in module exports, as the host resolves them by name.
using DllMainFn = BOOL (*)(HINSTANCE, ULONG, LPVOID);
using LibDescriptionFn = const MCHAR* (*)();
using LibNumberClassesFn = int (*)();
using LibClassDescFn = ClassDesc* (*)(int);
using LibVersionFn = ULONG (*)();
using LibInitializeFn = int (*)();
using LibShutdownFn = int (*)();
