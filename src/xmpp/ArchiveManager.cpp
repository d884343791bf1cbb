#include "xmpp/ArchiveManager.h"

#include "xmpp/ArchiveFin.h"
#include "xmpp/ArchiveQuery.h"
#include "xmpp/ArchivedMessage.h"
#include "xmpp/Connection.h"
#include "xmpp/TextCopy.h"

#include <memory>

ArchiveManager::ArchiveManager(Connection* connection) : SubManager(connection) {}

ArchiveManager::~ArchiveManager() = default;

bool ArchiveManager::query(const IMString& after, const IMString& start, const IMString& notBefore)
{
    if (connection() == nullptr) {
        return false;
    }
    std::string id;
    {
        std::lock_guard<std::mutex> guard(lock_);
        id = "archive_" + std::to_string(++sent_);
        open_.insert(id);
        if (!notBefore.IsEmpty()) {
            notBefore_ = notBefore;
        }
    }
    auto query = new ArchiveQuery();
    query->setPacketID(new IMString(id.c_str()));
    query->setQueryId(new IMString(id.c_str()));
    if (!after.IsEmpty()) {
        query->setAfter(new IMString(after));
    } else {
        query->setStart(new IMString(start));
    }
    query->setMax(PAGE_SIZE);
    unsigned long result = Ixa::E_FAILURE;
    send(query, &result);
    return result == Ixa::E_SUCCESS;
}

bool ArchiveManager::accepts(ArchivedMessage& result)
{
    if (result.getQueryId() == nullptr || result.getMessage() == nullptr || !isFromOwnServer(result.getSource())) {
        return false;
    }
    std::lock_guard<std::mutex> guard(lock_);
    if (open_.count(result.getQueryId()->ToUtf8()) == 0) {
        return false;
    }
    if (!notBefore_.IsEmpty()) {
        result.setNotBefore(new IMString(notBefore_));
    }
    return true;
}

bool ArchiveManager::ends(ArchiveFin& fin)
{
    if (!fin.hasPacketID() || !isFromOwnServer(fin.getFrom())) {
        return false;
    }
    std::lock_guard<std::mutex> guard(lock_);
    return open_.erase(fin.getPacketID()->ToUtf8()) > 0;
}

bool ArchiveManager::isFromOwnServer(IMString* from)
{
    if (from == nullptr) {
        return true;
    }
    Connection* connection = this->connection();
    std::unique_ptr<IMString> own(connection != nullptr ? connection->copyEmailID() : nullptr);
    return own != nullptr && from->Equals(*own, false);
}
