#include "engine/ResourceText.h"

#include <mutex>

namespace {

std::mutex lookupLock;
ResourceText::Lookup installed;

}  // namespace

void ResourceText::setLookup(Lookup lookup)
{
    std::lock_guard<std::mutex> guard(lookupLock);
    installed = std::move(lookup);
}

IMString ResourceText::text(const char* id) { return text(Ixa::Base::String(id)); }

IMString ResourceText::text(const Ixa::Base::String& id)
{
    Lookup lookup;
    {
        std::lock_guard<std::mutex> guard(lookupLock);
        lookup = installed;
    }
    IMString found;
    if (!lookup || !lookup(IMString(id), found)) {
        found.Clear();
    }
    return found;
}
