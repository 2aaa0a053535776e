#pragma once

#include <memory>
#include <utility>

// What the module keeps to save work while it is loaded: tables and decoded pictures, each built
// on first use. A cache registers itself here when it fills, and the module's shutdown releases
// every one, so a host that unloads the module finds nothing of it left on its heap; a cache used
// afterwards (the host initialised the module again) simply fills again. Caches are only ever
// released here: static destructors run when the loader detaches the module, which on a host's
// exit may come after Qt has gone. The caches are used from the GUI thread only.
namespace ModuleCaches {

using Release = void (*)(void* cache);

// Has releaseAll() call `release(cache)` once.
void add(Release release, void* cache);
// Releases every cache added since the last call, the last added first.
void releaseAll();

} // namespace ModuleCaches

// A value built by `build` on first use and kept until ModuleCaches::releaseAll(). Meant for
// static storage: constant-initialised and without a destructor, so the value is freed by the
// module's shutdown or not at all.
template <typename T> class ModuleCache
{
public:
    using Build = std::unique_ptr<T> (*)();

    constexpr explicit ModuleCache(Build build) : make(build) {}
    ModuleCache(const ModuleCache&) = delete;
    ModuleCache& operator=(const ModuleCache&) = delete;

    T& get()
    {
        if (!value) {
            value = make().release();
            ModuleCaches::add(&ModuleCache::release, this);
        }
        return *value;
    }

private:
    static void release(void* cache)
    {
        const std::unique_ptr<T> owned(
            std::exchange(static_cast<ModuleCache*>(cache)->value, nullptr));
    }

    Build make;
    T* value = nullptr;
};
