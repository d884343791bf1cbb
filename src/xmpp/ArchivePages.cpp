#include "xmpp/ArchivePages.h"

std::string ArchivePages::open(const IMString& notBefore)
{
    std::lock_guard<std::mutex> guard(lock_);
    std::string id = "archive_" + std::to_string(++sent_);
    open_.insert(id);
    if (!notBefore.IsEmpty()) {
        floor_ = notBefore;
        raised_.clear();
    }
    return id;
}

bool ArchivePages::isOpen(const std::string& queryId)
{
    std::lock_guard<std::mutex> guard(lock_);
    return open_.count(queryId) > 0;
}

IMString ArchivePages::floor(const IMString& peer)
{
    std::lock_guard<std::mutex> guard(lock_);
    auto raised = raised_.find(peer.ToUtf8());
    return raised != raised_.end() ? raised->second : floor_;
}

// The one text form of stored times sorts as the times do.
void ArchivePages::raiseFloor(const IMString& peer, const IMString& time)
{
    std::lock_guard<std::mutex> guard(lock_);
    auto [raised, added] = raised_.try_emplace(peer.ToUtf8(), floor_);
    if (raised->second.CompareTo(time) < 0) {
        raised->second = time;
    }
}

bool ArchivePages::close(const std::string& id)
{
    std::lock_guard<std::mutex> guard(lock_);
    return open_.erase(id) > 0;
}

IMString ArchivePages::startCatchUp(const IMString& newest, IMString& lastReceived)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (catchUpFrom_.IsEmpty()) {
        catchUpFrom_ = newest;
        gapBegan_ = lastReceived;
        // A catch-up by time from the start has nothing to fall back to.
        byTime_ = newest.IsEmpty();
    } else {
        lastReceived = gapBegan_;
    }
    return catchUpFrom_;
}

IMString ArchivePages::unfinishedCatchUp()
{
    std::lock_guard<std::mutex> guard(lock_);
    return catchUpFrom_;
}

bool ArchivePages::fallBackToTime(IMString& since)
{
    std::lock_guard<std::mutex> guard(lock_);
    catchUpFrom_ = IMString();
    if (byTime_) {
        return false;
    }
    byTime_ = true;
    since = gapBegan_;
    return true;
}

void ArchivePages::finishCatchUp()
{
    std::lock_guard<std::mutex> guard(lock_);
    catchUpFrom_ = IMString();
}
