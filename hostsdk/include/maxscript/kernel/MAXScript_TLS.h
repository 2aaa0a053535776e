#pragma once

#include "hostsdk/HostSdkExport.h"
#include "strbasic.h"

class CharStream;

// The script engine's per-thread state, kept in the thread-local slot `thread_locals_index`.
struct MAXScript_TLS
{
    CharStream* current_stdout = nullptr;
};

extern HOSTSDK_API int thread_locals_index;
