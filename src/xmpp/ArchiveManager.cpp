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
    Connection* connection = this->connection();
    if (connection == nullptr) {
        return false;
    }
    const std::string id = connection->archivePages().open(notBefore);
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
    Connection* connection = this->connection();
    if (connection == nullptr || result.getQueryId() == nullptr || result.getMessage() == nullptr ||
        !isFromOwnServer(result.getSource())) {
        return false;
    }
    return connection->archivePages().isOpen(result.getQueryId()->ToUtf8());
}

bool ArchiveManager::ends(IQ& answer)
{
    Connection* connection = this->connection();
    if (connection == nullptr || !answer.hasPacketID() || !isFromOwnServer(answer.getFrom())) {
        return false;
    }
    return connection->archivePages().close(answer.getPacketID()->ToUtf8());
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
