#include "engine/BuddyStatusHandler.h"

#include "engine/EngineAccess.h"
#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "store/ContactDAO.h"
#include "store/ContactIconDAO.h"
#include "xmpp/PresenceManager.h"
#include "xmpp/VCardManager.h"

#include <memory>

BuddyStatusHandler::BuddyStatusHandler() = default;

BuddyStatusHandler::~BuddyStatusHandler() = default;

void BuddyStatusHandler::handlePayload(Presence& presence)
{
    RequestController* controller = getRequestController();
    ContactDAO* contacts = controller->GetContactDAO();
    ContactIconDAO* icons = controller->GetContactIconDAO();
    if (presence.getFrom() == nullptr || contacts == nullptr || icons == nullptr) {
        return;
    }
    IMString id = UserId::bareLowerCase(*presence.getFrom());
    std::unique_ptr<ContactIcon> avatar(icons->GetImage(id));
    bool own = EngineAccess::isOwnId(controller, id);
    std::unique_ptr<Contact> contact(own ? nullptr : contacts->GetContactById(id));
    if (!own && contact == nullptr) {
        return;
    }
    if (avatar == nullptr) {
        avatar.reset(icons->CreateContactIcon());
        if (avatar == nullptr) {
            return;
        }
        avatar->SetContactId(id);
    }
    if (own) {
        trackOwnAvatar(presence, *avatar);
        return;
    }
    if (PresenceManager* presences = EngineAccess::presenceManager(controller)) {
        presences->mergeResource(presence);
    }
    updateContact(presence, *contact, *avatar);
    if (ResponseDelegate* delegate = getResponseDelegate()) {
        delegate->OnContactUpdated(contact.release());
    }
}

void BuddyStatusHandler::trackOwnAvatar(Presence& presence, ContactIcon& avatar)
{
    if (presence.getPresenceType() == Presence::Type::UNAVAILABLE) {
        return;
    }
    if (followAvatarHash(presence, avatar) && !avatar.GetIconValidity().IsEmpty()) {
        getRequestController()->GetContactIconDAO()->deleteContactIcon(&avatar);
        if (ResponseDelegate* delegate = getResponseDelegate()) {
            delegate->OnMyIconChanged();
        }
    }
}

void BuddyStatusHandler::updateContact(Presence& presence, Contact& contact, ContactIcon& avatar)
{
    updatePresenceCode(presence, contact);
    trackContactAvatar(presence, contact, avatar);
    IMString* message = presence.getStatusMessage();
    contact.SetCustomMessage(message != nullptr ? *message : IMString());
    getRequestController()->GetContactDAO()->SaveOrUpdate(&contact);
}

// A busy flag left over from an earlier dnd would show the contact busy under any later
// code, so every code but busy clears it.
void BuddyStatusHandler::updatePresenceCode(const Presence& presence, Contact& contact)
{
    int code = contact.GetPresenceType();
    if (presence.getPresenceType() == Presence::Type::UNAVAILABLE) {
        code = Contact::PRESENCE_OFFLINE;
    } else {
        switch (presence.getPresenceStatus()) {
        case Presence::Status::NONE:
        case Presence::Status::AVAILABLE:
        case Presence::Status::CHAT:
            code = Contact::PRESENCE_AVAILABLE;
            break;
        case Presence::Status::DND:
            code = Contact::PRESENCE_BUSY;
            break;
        case Presence::Status::AWAY:
            code = Contact::PRESENCE_AWAY;
            break;
        default:
            return;
        }
    }
    contact.SetPresenceType(code);
    contact.SetIsBusy(code == Contact::PRESENCE_BUSY);
}

void BuddyStatusHandler::trackContactAvatar(Presence& presence, Contact& contact, ContactIcon& avatar)
{
    if (!followAvatarHash(presence, avatar) || avatar.GetIconValidity().IsEmpty() ||
        presence.getPresenceType() == Presence::Type::UNAVAILABLE) {
        return;
    }
    contact.SetIsHavingAvatar(false);
    avatar.SetIconValidity(IMString());
    RequestController* controller = getRequestController();
    controller->GetContactIconDAO()->SaveOrUpdate(&avatar);
    if (ResponseDelegate* delegate = getResponseDelegate()) {
        delegate->OnContactImageUpdated(controller->GetContactDAO()->CreateContact(&contact));
    }
}

// A presence without the vCard-update element leaves the avatar as it is. A hash is fetched
// when it is new, or when the picture it names never arrived (its vCard failed, or came
// without a picture). Answers whether the presence says there is no avatar (an empty hash).
bool BuddyStatusHandler::followAvatarHash(Presence& presence, ContactIcon& avatar)
{
    IMString* hash = presence.getAvatarHash();
    if (hash == nullptr) {
        return false;
    }
    if (hash->IsEmpty()) {
        return true;
    }
    if (!UserId::sameIgnoringCase(*hash, avatar.GetIconValidity()) || !hasPicture(avatar)) {
        fetchAvatar(avatar, *hash);
    }
    return false;
}

// The picture of an earlier hash goes with it, so that a fetch that fails leaves the record
// without a picture and the next presence with this hash asks again.
void BuddyStatusHandler::fetchAvatar(ContactIcon& avatar, const IMString& hash)
{
    RequestController* controller = getRequestController();
    if (!UserId::sameIgnoringCase(hash, avatar.GetIconValidity())) {
        IMByteBuffer none;
        none.Construct(0);
        avatar.SetImageByteBuffer(&none);
        avatar.SetIconValidity(hash);
        controller->GetContactIconDAO()->SaveOrUpdate(&avatar);
    }
    if (VCardManager* vCards = EngineAccess::vCardManager(controller)) {
        IMString owner(avatar.GetContactId());
        vCards->requestVCard(&owner);
    }
}

bool BuddyStatusHandler::hasPicture(ContactIcon& avatar)
{
    IMByteBuffer* picture = avatar.GetImageByteBuffer();
    return picture != nullptr && picture->GetLimit() > 0;
}
