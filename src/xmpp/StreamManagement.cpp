#include "xmpp/StreamManagement.h"

void StreamManagement::reset()
{
    std::lock_guard<std::mutex> guard(lock_);
    id_.clear();
    resumable_ = false;
    tracking_ = false;
    counting_ = false;
    requestOutstanding_ = false;
    resuming_ = false;
    ++epoch_;
    handled_ = 0;
    serverHandled_ = 0;
    sent_.clear();
    pendingChats_.clear();
}

void StreamManagement::restore(const std::string& id, std::uint32_t handled)
{
    std::lock_guard<std::mutex> guard(lock_);
    id_ = id;
    resumable_ = !id.empty();
    handled_ = handled;
}

bool StreamManagement::canResume() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return resumable_ && !id_.empty();
}

std::string StreamManagement::sessionId() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return id_;
}

std::uint32_t StreamManagement::handled() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return handled_;
}

std::uint64_t StreamManagement::epoch() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return epoch_;
}

void StreamManagement::beginConnection()
{
    std::lock_guard<std::mutex> guard(lock_);
    tracking_ = false;
    counting_ = false;
    requestOutstanding_ = false;
    resuming_ = false;
}

// The server counts what it receives after <enable/>, so keeping starts here, not at its
// answer; what was kept of an earlier session has been dealt with by resumeFailed.
void StreamManagement::enableSent()
{
    std::lock_guard<std::mutex> guard(lock_);
    ++epoch_;
    id_.clear();
    resumable_ = false;
    tracking_ = true;
    serverHandled_ = 0;
    handled_ = 0;
    sent_.clear();
}

void StreamManagement::enabled(const std::string& id, bool resumable, std::uint32_t readNow)
{
    std::lock_guard<std::mutex> guard(lock_);
    id_ = id;
    resumable_ = resumable && !id.empty();
    counting_ = true;
    handledAtBase_ = 0;
    readAtBase_ = readNow;
}

void StreamManagement::enableFailed()
{
    std::lock_guard<std::mutex> guard(lock_);
    ++epoch_;
    tracking_ = false;
    counting_ = false;
    sent_.clear();
}

std::vector<std::string> StreamManagement::resumed(std::uint32_t serverHandled, std::uint32_t readNow)
{
    std::lock_guard<std::mutex> guard(lock_);
    resuming_ = false;
    dropAcknowledged(serverHandled);
    tracking_ = true;
    counting_ = true;
    requestOutstanding_ = false;
    handledAtBase_ = resumedFrom_;
    handled_ = resumedFrom_;
    readAtBase_ = readNow;
    std::vector<std::string> again;
    again.reserve(sent_.size());
    for (const Sent& stanza : sent_) {
        again.push_back(stanza.xml);
    }
    return again;
}

void StreamManagement::resumeFailed(bool hasServerHandled, std::uint32_t serverHandled)
{
    std::lock_guard<std::mutex> guard(lock_);
    failResumption(hasServerHandled, serverHandled);
}

bool StreamManagement::resumeCutShort()
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!resuming_) {
        return false;
    }
    failResumption(false, 0);
    return true;
}

// Lock held.
void StreamManagement::failResumption(bool hasServerHandled, std::uint32_t serverHandled)
{
    resuming_ = false;
    if (hasServerHandled) {
        dropAcknowledged(serverHandled);
    }
    for (const Sent& stanza : sent_) {
        if (stanza.chat) {
            pendingChats_.push_back(stanza.xml);
        }
    }
    sent_.clear();
    ++epoch_;
    id_.clear();
    resumable_ = false;
    tracking_ = false;
    counting_ = false;
    handled_ = 0;
}

std::vector<std::string> StreamManagement::takePendingChats()
{
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<std::string> chats;
    chats.swap(pendingChats_);
    return chats;
}

std::uint32_t StreamManagement::resumeFrom()
{
    std::lock_guard<std::mutex> guard(lock_);
    resuming_ = true;
    resumedFrom_ = handled_;
    return resumedFrom_;
}

bool StreamManagement::track(std::string xml, bool chat)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!tracking_) {
        return false;
    }
    sent_.push_back(Sent{std::move(xml), chat});
    const bool ask = counting_ && !requestOutstanding_;
    requestOutstanding_ = requestOutstanding_ || ask;
    return ask;
}

bool StreamManagement::isTracking() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return tracking_;
}

void StreamManagement::acknowledged(std::uint32_t serverHandled)
{
    std::lock_guard<std::mutex> guard(lock_);
    dropAcknowledged(serverHandled);
    requestOutstanding_ = false;
}

bool StreamManagement::handledAt(std::uint32_t readNow, std::uint32_t* count, std::uint64_t* epoch) const
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!counting_) {
        return false;
    }
    *count = handledAtBase_ + (readNow - readAtBase_);
    *epoch = epoch_;
    return true;
}

bool StreamManagement::handled(std::uint32_t count, std::uint64_t epoch)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (epoch != epoch_) {
        return false;
    }
    handled_ = count;
    return true;
}

std::size_t StreamManagement::unacknowledged() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return sent_.size();
}

// The server's count covers the oldest kept stanzas. A count beyond what was kept (a session
// resumed by a later run, which kept nothing) or one going backwards is taken as the server's
// word: the count follows it and nothing kept is sent again.
void StreamManagement::dropAcknowledged(std::uint32_t serverHandled)
{
    const std::uint32_t newly = serverHandled - serverHandled_;
    if (newly > sent_.size()) {
        serverHandled_ = serverHandled;
        sent_.clear();
        return;
    }
    sent_.erase(sent_.begin(), sent_.begin() + newly);
    serverHandled_ = serverHandled;
}
