#pragma once

// Everything the runtime library offers to modules is exported explicitly: modules are built
// with hidden visibility and would otherwise hide the SDK's symbols from themselves.
#define HOSTSDK_API __attribute__((visibility("default")))

// Marks a module export (the entry point and the Lib* functions) so that the loader finds it.
#define HOSTSDK_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
