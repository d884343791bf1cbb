#include "engine/BlockListHandler.h"

#include "engine/ContactBatch.h"
#include "engine/EngineAccess.h"
#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "store/ContactDAO.h"
#include "xmpp/BlockedIds.h"
#include "xmpp/Connection.h"
#include "xmpp/RosterManager.h"

#include <memory>

namespace {

bool namesContact(const IMString& id) { return id.Contains(IMString("@")) && !id.Contains(IMString("/")); }

}  // namespace

BlockListHandler::BlockListHandler() = default;

BlockListHandler::~BlockListHandler() = default;

void BlockListHandler::handlePayload(BlockList& list)
{
    RequestController* controller = getRequestController();
    Connection* connection = EngineAccess::connection(controller);
    ContactDAO* contacts = controller != nullptr ? controller->GetContactDAO() : nullptr;
    if (connection == nullptr || contacts == nullptr) {
        return;
    }
    BlockedIds& blocked = connection->blockedIds();
    std::vector<IMString> unblocked;
    switch (list.getKind()) {
    case BlockList::Kind::LIST:
        unblocked = blocked.replace(list.getIds());
        break;
    case BlockList::Kind::BLOCK:
        blocked.add(list.getIds());
        break;
    case BlockList::Kind::UNBLOCK:
        unblocked = blocked.remove(list.getIds());
        break;
    }
    std::vector<Contact*> changed;
    {
        ContactBatch batch(contacts);
        if (list.getKind() != BlockList::Kind::UNBLOCK) {
            changed = store(list.getIds(), true, *contacts);
        }
        std::vector<Contact*> released = store(unblocked, false, *contacts);
        changed.insert(changed.end(), released.begin(), released.end());
    }
    report(changed);
    RosterManager* roster = EngineAccess::rosterManager(controller);
    if (!unblocked.empty() && roster != nullptr) {
        roster->init();
    }
}

std::vector<Contact*> BlockListHandler::store(const std::vector<IMString>& ids, bool blocked, ContactDAO& contacts)
{
    std::vector<Contact*> changed;
    for (const IMString& id : ids) {
        if (!namesContact(id)) {
            continue;
        }
        std::unique_ptr<Contact> contact(contacts.GetContactById(id));
        if (contact == nullptr && !blocked) {
            continue;
        }
        if (contact == nullptr) {
            contact.reset(contacts.CreateContact());
            contact->SetContactId(id);
            contact->SetUserName(UserId::displayUserName(id));
        }
        contact->SetIsBlocked(blocked);
        if (blocked) {
            contact->SetOnBuddyList(false);
            contact->SetIsDeleted(false);
        }
        contacts.SaveOrUpdate(contact.get());
        changed.push_back(contact.release());
    }
    return changed;
}

void BlockListHandler::report(const std::vector<Contact*>& changed)
{
    ResponseDelegate* delegate = getResponseDelegate();
    for (Contact* contact : changed) {
        if (delegate != nullptr) {
            delegate->OnContactUpdated(contact);
        } else {
            delete contact;
        }
    }
}
