#include "color/ModuleCaches.h"

#include <vector>

namespace {

struct Entry
{
    ModuleCaches::Release release;
    void* cache;
};

std::vector<Entry>& entries()
{
    static std::vector<Entry> filled;
    return filled;
}

} // namespace

namespace ModuleCaches {

void add(Release release, void* cache)
{
    entries().push_back(Entry{release, cache});
}

void releaseAll()
{
    // Taken out first, so that the list holds no memory afterwards either.
    std::vector<Entry> filled;
    filled.swap(entries());
    for (auto it = filled.rbegin(); it != filled.rend(); ++it)
        it->release(it->cache);
}

} // namespace ModuleCaches
