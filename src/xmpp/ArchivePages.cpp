#include "xmpp/ArchivePages.h"

std::string ArchivePages::open(const IMString& notBefore)
{
    std::lock_guard<std::mutex> guard(lock_);
    std::string id = "archive_" + std::to_string(++sent_);
    open_.insert(id);
    if (!notBefore.IsEmpty()) {
        notBefore_ = notBefore;
    }
    return id;
}

bool ArchivePages::isOpen(const std::string& queryId, IMString& notBefore)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (open_.count(queryId) == 0) {
        return false;
    }
    notBefore = notBefore_;
    return true;
}

bool ArchivePages::close(const std::string& id)
{
    std::lock_guard<std::mutex> guard(lock_);
    return open_.erase(id) > 0;
}

IMString ArchivePages::startCatchUp(const IMString& newest)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (catchUpFrom_.IsEmpty()) {
        catchUpFrom_ = newest;
        // A catch-up by time from the start has nothing to fall back to.
        byTime_ = newest.IsEmpty();
    }
    return catchUpFrom_;
}

IMString ArchivePages::unfinishedCatchUp()
{
    std::lock_guard<std::mutex> guard(lock_);
    return catchUpFrom_;
}

bool ArchivePages::fallBackToTime()
{
    std::lock_guard<std::mutex> guard(lock_);
    catchUpFrom_ = IMString();
    if (byTime_) {
        return false;
    }
    byTime_ = true;
    return true;
}

void ArchivePages::finishCatchUp()
{
    std::lock_guard<std::mutex> guard(lock_);
    catchUpFrom_ = IMString();
}
