#include "host/PluginModule.h"

#include <array>

namespace {

constexpr int kStringBufferSize = 256;

HINSTANCE gInstance = nullptr;

// One buffer per string id: a host that keeps the class name while it asks for the
// category must not find the category under its class name.
std::array<MCHAR, kStringBufferSize> gStrings[PluginModule::ClassName + 1];

} // namespace

namespace PluginModule {

void SetInstance(HINSTANCE instance)
{
    gInstance = instance;
}

HINSTANCE Instance()
{
    return gInstance;
}

const MCHAR* GetString(UINT id)
{
    if (!gInstance || id < LibraryDescription || id > ClassName) {
        return nullptr;
    }
    std::array<MCHAR, kStringBufferSize>& buffer = gStrings[id];
    return LoadStringW(gInstance, id, buffer.data(), kStringBufferSize) > 0 ? buffer.data()
                                                                            : nullptr;
}

} // namespace PluginModule
