#include "engine/EngineAccess.h"

#include "engine/RequestController.h"
#include "engine/UserId.h"
#include "store/Contact.h"
#include "store/ContactDAO.h"
#include "xmpp/Connection.h"
#include "xmpp/RosterManager.h"

#include <memory>

namespace {

template <typename Manager>
Manager* managerOf(RequestController* controller, Manager* (Connection::*get)())
{
    Connection* connection = EngineAccess::connection(controller);
    return connection != nullptr ? (connection->*get)() : nullptr;
}

}  // namespace

Connection* EngineAccess::connection(RequestController* controller)
{
    return controller != nullptr ? controller->GetConnection() : nullptr;
}

RosterManager* EngineAccess::rosterManager(RequestController* controller)
{
    return managerOf(controller, &Connection::getRosterManager);
}

PresenceManager* EngineAccess::presenceManager(RequestController* controller)
{
    return managerOf(controller, &Connection::getPresenceManager);
}

ChatManager* EngineAccess::chatManager(RequestController* controller)
{
    return managerOf(controller, &Connection::getChatManager);
}

VCardManager* EngineAccess::vCardManager(RequestController* controller)
{
    return managerOf(controller, &Connection::getVCardManager);
}

ResponseDelegate* EngineAccess::responseDelegate(RequestController* controller)
{
    return controller != nullptr ? controller->GetResponseDelegate() : nullptr;
}

// A copy taken under the connection's account lock: a login on the request thread may
// replace the connection's own string at any time.
IMString EngineAccess::ownId(RequestController* controller)
{
    Connection* connection = EngineAccess::connection(controller);
    std::unique_ptr<IMString> own(connection != nullptr ? connection->copyEmailID() : nullptr);
    return own != nullptr ? *own : IMString();
}

bool EngineAccess::isOwnId(RequestController* controller, const IMString& id)
{
    IMString own = ownId(controller);
    return !own.IsEmpty() && UserId::sameIgnoringCase(own, id);
}

RosterEntry EngineAccess::storedEntry(RequestController* controller, const IMString& id)
{
    ContactDAO* contacts = controller != nullptr ? controller->GetContactDAO() : nullptr;
    IMString key(id);
    key.ToLowerCase();
    std::unique_ptr<Contact> stored(contacts != nullptr ? contacts->GetContactById(key) : nullptr);
    if (stored == nullptr) {
        return {};
    }
    return {stored->GetNickName(), stored->GetGroupName()};
}
