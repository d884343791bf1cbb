#include "engine/RefreshListHandler.h"

#include "engine/ContactBatch.h"
#include "engine/EngineAccess.h"
#include "engine/FetchArchiveCommand.h"
#include "engine/GetPresenceCommand.h"
#include "engine/RequestController.h"
#include "engine/ResourceText.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "store/ContactDAO.h"
#include "xmpp/BlockedIds.h"
#include "xmpp/Connection.h"
#include "xmpp/PresenceManager.h"

#include <memory>

namespace {

using Type = RosterItem::Type;
using Description = RosterItem::Description;

void storeOnBuddyList(Contact& contact, ContactDAO& contacts)
{
    contact.SetIsBlocked(false);
    contact.SetOnBuddyList(true);
    contact.SetIsDeleted(false);
    contacts.SaveOrUpdate(&contact);
}

}  // namespace

RefreshListHandler::RefreshListHandler() = default;

RefreshListHandler::~RefreshListHandler() = default;

void RefreshListHandler::handlePayload(Roster& roster)
{
    ContactDAO* contacts = getRequestController()->GetContactDAO();
    if (contacts == nullptr) {
        return;
    }
    RosterGroups groups(getRequestController()->GetGroupDAO());
    groups.ensureDefaultGroup();
    std::vector<Change> changes = merge(roster, *contacts, groups);
    if (roster.getType() == IQ::Type::RESULT) {
        groups.removeUnseen();
    }
    report(changes);
    if (!getRequestController()->IsInitialListReceived()) {
        finishFirstRoster(*contacts);
    }
}

std::vector<RefreshListHandler::Change> RefreshListHandler::merge(
    Roster& roster, ContactDAO& contacts, RosterGroups& groups)
{
    std::vector<Change> changes;
    IMVector* items = roster.getSubPackets();
    bool firstRoster = !getRequestController()->IsInitialListReceived();
    ContactBatch batch(&contacts);
    for (int i = 0; items != nullptr && i < items->size(); ++i) {
        Ixa::Base::Object* element = nullptr;
        items->getAt(i, element);
        auto item = dynamic_cast<RosterItem*>(element);
        Change change = item != nullptr ? mergeItem(*item, contacts, groups, firstRoster) : Change{nullptr, false};
        if (change.contact != nullptr) {
            changes.push_back(change);
        }
    }
    return changes;
}

RefreshListHandler::Change RefreshListHandler::mergeItem(
    RosterItem& item, ContactDAO& contacts, RosterGroups& groups, bool firstRoster)
{
    IMString* jid = item.getUserJID();
    if (jid == nullptr || !jid->Contains(IMString("@"))) {
        return {nullptr, false};
    }
    IMString id(jid->ToLower());
    IMString userName = UserId::displayUserName(id);
    std::unique_ptr<Contact> contact(contacts.GetContactById(id));
    if (contact == nullptr) {
        contact.reset(contacts.CreateContact());
        contact->SetContactId(id);
        contact->SetUserName(userName);
    }
    if (item.getNickName() != nullptr && !item.getNickName()->IsEmpty()) {
        contact->SetNickName(*item.getNickName());
    }

    Type type = item.getItemType();
    Description description = item.getDescription();
    if (type == Type::REMOVE || description == Description::HIDDEN) {
        return {contact.release(), true};
    }
    bool invited = type == Type::NONE && item.getItemStatus() == RosterItem::Status::SUBSCRIBE;
    bool blocked = description == Description::BLOCKED || isBlockedOnServer(id);
    if (!blocked && type != Type::BOTH && !invited) {
        return {nullptr, false};
    }
    contact->SetGroupName(groups.groupOf(item, !blocked));
    if (blocked) {
        contact->SetIsBlocked(true);
        contact->SetOnBuddyList(false);
        contact->SetIsDeleted(false);
        contacts.SaveOrUpdate(contact.get());
    } else if (type == Type::BOTH) {
        contact->SetUserName(userName);
        if (firstRoster) {
            contact->SetPresenceType(Contact::PRESENCE_OFFLINE);
        }
        storeOnBuddyList(*contact, contacts);
    } else {
        contact->SetUserName(userName);
        contact->SetPresenceType(Contact::PRESENCE_NEVER_SEEN);
        contact->SetCustomMessage(ResourceText::text("IDS_INVITED"));
        storeOnBuddyList(*contact, contacts);
    }
    return {contact.release(), false};
}

bool RefreshListHandler::isBlockedOnServer(const IMString& id)
{
    Connection* connection = EngineAccess::connection(getRequestController());
    return connection != nullptr && connection->blockedIds().contains(id);
}

void RefreshListHandler::report(const std::vector<Change>& changes)
{
    ResponseDelegate* delegate = getResponseDelegate();
    for (const Change& change : changes) {
        if (delegate == nullptr) {
            delete change.contact;
        } else if (change.deleted) {
            delegate->OnContactDeletedFromServer(change.contact, nullptr);
        } else {
            delegate->OnContactUpdated(change.contact);
        }
    }
}

void RefreshListHandler::finishFirstRoster(ContactDAO& contacts)
{
    RequestController* controller = getRequestController();
    controller->SetInitialListReceived(true);
    contacts.DeleteContactsDeletedFromServer();
    contacts.OnContactListRefreshed();
    contacts.OnBlockedListRefreshed();
    if (ResponseDelegate* delegate = getResponseDelegate()) {
        delegate->OnAllPresenceReceived();
    }
    // The presence goes out before the commands are queued, so the server always sees the
    // user available before the account queries arrive. The archive is asked only after it:
    // the server does not deliver what it held offline to a session that has queried the
    // archive, so a message landing offline between such a query and the presence would be
    // in neither answer.
    if (PresenceManager* presence = EngineAccess::presenceManager(controller)) {
        presence->sendPresence(Presence::Type::AVAILABLE);
    }
    auto command = new GetPresenceCommand();
    command->setRequestController(controller);
    controller->addToCommandQueue(command);
    FetchArchiveCommand::queue(controller);
}
