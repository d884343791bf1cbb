#include "engine/TextMessageHandler.h"

#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "foundation/IMSystemTime.h"
#include "store/ContactDAO.h"
#include "store/MessageDAO.h"

TextMessageHandler::TextMessageHandler() = default;

TextMessageHandler::~TextMessageHandler() = default;

void TextMessageHandler::handlePayload(MessagePacket& packet)
{
    if (packet.getFrom() == nullptr || packet.getBody() == nullptr) {
        return;
    }
    IMString bareId = UserId::bareLowerCase(*packet.getFrom());
    IMString shortName = UserId::localPart(bareId);
    Contact* contact = senderContact(bareId, shortName);
    Message* message = storeMessage(*packet.getBody(), bareId, shortName);
    ResponseDelegate* delegate = getResponseDelegate();
    if (delegate != nullptr && message != nullptr) {
        delegate->OnMessageReceivedToChat(message, contact);
    } else {
        delete message;
        delete contact;
    }
}

Contact* TextMessageHandler::senderContact(const IMString& bareId, const IMString& shortName)
{
    ContactDAO* contacts = getRequestController()->GetContactDAO();
    if (contacts == nullptr) {
        return nullptr;
    }
    Contact* contact = contacts->GetContactById(bareId);
    if (contact == nullptr) {
        contact = contacts->CreateContact();
        contact->SetContactId(shortName);
        contact->SetUserName(shortName);
        contact->SetOnBuddyList(false);
        contacts->SaveOrUpdate(contact);
    }
    return contact;
}

Message* TextMessageHandler::storeMessage(const IMString& body, const IMString& bareId, const IMString& shortName)
{
    MessageDAO* messages = getRequestController()->GetMessageDAO();
    Message* message = messages != nullptr ? messages->CreateMessage() : nullptr;
    if (message == nullptr) {
        return nullptr;
    }
    IMDateTime now;
    IMSystemTime::GetCurrentTime(Ixa::System::UTC_TIME, now);
    message->SetTimeStamp(now);
    message->SetMessage(body);
    message->SetProtocolId(shortName);
    message->SetOtherUserId(bareId);
    messages->SaveOrUpdate(message);
    return message;
}
