#include "xmpp/ServiceSupport.h"

void ServiceSupport::asked(Extension extension, const IMString* id)
{
    if (id == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> guard(lock_);
    pending_[extension] = *id;
}

int ServiceSupport::refused(const IMString& id)
{
    if (id.IsEmpty()) {
        return -1;
    }
    std::lock_guard<std::mutex> guard(lock_);
    for (int extension = 0; extension < COUNT; ++extension) {
        if (pending_[extension].Equals(id, true)) {
            pending_[extension] = IMString();
            refused_[extension] = true;
            return extension;
        }
    }
    return -1;
}

bool ServiceSupport::isRefused(Extension extension) const
{
    std::lock_guard<std::mutex> guard(lock_);
    return refused_[extension];
}

bool ServiceSupport::answered(Extension extension, const IMString& id)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (id.IsEmpty() || !pending_[extension].Equals(id, true)) {
        return false;
    }
    pending_[extension] = IMString();
    supported_[extension] = true;
    return true;
}

bool ServiceSupport::isSupported(Extension extension) const
{
    std::lock_guard<std::mutex> guard(lock_);
    return supported_[extension];
}
