#include "engine/DisplayImageChangedHandler.h"

#include "engine/EngineAccess.h"
#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "store/ContactDAO.h"
#include "store/ContactIconDAO.h"

#include <memory>

DisplayImageChangedHandler::DisplayImageChangedHandler() = default;

DisplayImageChangedHandler::~DisplayImageChangedHandler() = default;

void DisplayImageChangedHandler::handlePayload(VCard& vCard)
{
    if (vCard.getFrom() == nullptr) {
        return;
    }
    IMString id = UserId::bareLowerCase(*vCard.getFrom());
    std::unique_ptr<Ixa::Base::ByteBuffer> picture(vCard.getUserAvatarData());
    if (picture == nullptr || !storePicture(vCard, id, *picture)) {
        return;
    }
    if (EngineAccess::isOwnId(getRequestController(), id)) {
        if (ResponseDelegate* delegate = getResponseDelegate()) {
            delegate->OnMyIconChanged();
        }
    } else {
        contactHasAvatar(id);
    }
}

bool DisplayImageChangedHandler::storePicture(VCard& vCard, const IMString& id, const Ixa::Base::ByteBuffer& picture)
{
    ContactIconDAO* icons = getRequestController()->GetContactIconDAO();
    if (icons == nullptr) {
        return false;
    }
    std::unique_ptr<ContactIcon> avatar(icons->GetImage(id));
    if (avatar == nullptr) {
        avatar.reset(icons->CreateContactIcon());
        avatar->SetContactId(id);
        std::unique_ptr<IMString> hash(vCard.getUserAvatarHash());
        avatar->SetIconValidity(*hash);
    }
    IMByteBuffer bytes;
    bytes.Construct(picture);
    avatar->SetImageByteBuffer(&bytes);
    icons->SaveOrUpdate(avatar.get());
    return true;
}

void DisplayImageChangedHandler::contactHasAvatar(const IMString& id)
{
    ContactDAO* contacts = getRequestController()->GetContactDAO();
    std::unique_ptr<Contact> contact(contacts != nullptr ? contacts->GetContactById(id) : nullptr);
    if (contact == nullptr) {
        return;
    }
    contact->SetIsHavingAvatar(true);
    contacts->SaveOrUpdate(contact.get());
    if (ResponseDelegate* delegate = getResponseDelegate()) {
        delegate->OnContactImageUpdated(contact.release());
    }
}
