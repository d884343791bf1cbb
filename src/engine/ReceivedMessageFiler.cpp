#include "engine/ReceivedMessageFiler.h"

#include "engine/ReceivedBatch.h"
#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "store/ContactDAO.h"
#include "store/MessageDAO.h"

#include <memory>

bool ReceivedMessageFiler::file(
    RequestController* controller, ResponseDelegate* delegate, Received& received, ReceivedBatch* batch)
{
    IMString bareId = UserId::bareLowerCase(received.sender);
    MessageDAO* messages = controller->GetMessageDAO();
    const bool batched = messages != nullptr && batch != nullptr && batch->join(messages);
    if (messages != nullptr) {
        std::unique_ptr<Message> stored(messages->FindReceivedMessage(bareId, received.stanzaId, received.archiveId));
        if (stored != nullptr) {
            received.time = stored->GetTimeStamp();
            return false;
        }
    }
    Contact* contact = batched ? batch->senderCopy(bareId) : nullptr;
    if (contact == nullptr) {
        contact = senderContact(controller, bareId);
        if (batched && contact != nullptr) {
            batch->rememberSender(*contact);
        }
    }
    Message* message = messages != nullptr ? messages->CreateMessage() : nullptr;
    if (message == nullptr) {
        delete contact;
        return true;
    }
    message->SetTimeStamp(received.time);
    message->SetMessage(received.body);
    message->SetProtocolId(UserId::localPart(bareId));
    message->SetOtherUserId(bareId);
    message->SetStanzaId(received.stanzaId);
    message->SetArchiveId(received.archiveId);
    const bool stored = messages->SaveOrUpdate(message);
    if (!stored && batch != nullptr) {
        batch->lost();
    }
    if (!stored || delegate == nullptr) {
        delete message;
        delete contact;
    } else if (batched) {
        batch->hold(delegate, message, contact);
    } else {
        delegate->OnMessageReceivedToChat(message, contact);
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
