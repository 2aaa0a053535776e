#pragma once

// Everything the runtime library offers to modules is exported explicitly: modules are built
// with hidden visibility and would otherwise hide the SDK's symbols from themselves. The
// stand-in runtime is only ever built on Linux; on Windows the headers are compiled (never
// linked) to check the plug-in's Windows branches, and the real SDK's own import macros apply.
#ifdef _WIN32
#define HOSTSDK_API __declspec(dllimport)
#else
#define HOSTSDK_API __attribute__((visibility("default")))
#endif
