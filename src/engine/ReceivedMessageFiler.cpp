#include "engine/ReceivedMessageFiler.h"

#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "store/ContactDAO.h"
#include "store/MessageDAO.h"

#include <memory>

bool ReceivedMessageFiler::file(RequestController* controller, ResponseDelegate* delegate, Received& received)
{
    IMString bareId = UserId::bareLowerCase(received.sender);
    IMString shortName = UserId::localPart(bareId);
    MessageDAO* messages = controller->GetMessageDAO();
    if (messages != nullptr) {
        std::unique_ptr<Message> stored(messages->FindReceivedMessage(bareId, received.stanzaId, received.archiveId));
        if (stored != nullptr) {
            received.time = stored->GetTimeStamp();
            return false;
        }
    }
    Contact* contact = senderContact(controller, bareId);
    Message* message = messages != nullptr ? messages->CreateMessage() : nullptr;
    if (message != nullptr) {
        message->SetTimeStamp(received.time);
        message->SetMessage(received.body);
        message->SetProtocolId(shortName);
        message->SetOtherUserId(bareId);
        message->SetStanzaId(received.stanzaId);
        message->SetArchiveId(received.archiveId);
        messages->SaveOrUpdate(message);
    }
    if (delegate != nullptr && message != nullptr) {
        delegate->OnMessageReceivedToChat(message, contact);
    } else {
        delete message;
        delete contact;
    }
    return true;
}

Contact* ReceivedMessageFiler::senderContact(RequestController* controller, const IMString& bareId)
{
    ContactDAO* contacts = controller->GetContactDAO();
    if (contacts == nullptr) {
        return nullptr;
    }
    Contact* contact = contacts->GetContactById(bareId);
    if (contact == nullptr) {
        contact = contacts->CreateContact();
        contact->SetContactId(bareId);
        contact->SetUserName(UserId::displayUserName(bareId));
        // Shown by the whole address, so a stranger never passes for a buddy of the same name.
        contact->SetNickName(bareId);
        contact->SetOnBuddyList(false);
        contacts->SaveOrUpdate(contact);
    }
    return contact;
}
