#include "engine/MessageBounceHandler.h"

#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "platform/LongLong.h"
#include "store/MessageDAO.h"

#include <memory>

MessageBounceHandler::MessageBounceHandler() = default;

MessageBounceHandler::~MessageBounceHandler() = default;

void MessageBounceHandler::handlePayload(MessagePacket& packet)
{
    std::unique_ptr<Message> bounced(bouncedMessage(packet));
    ResponseDelegate* delegate = getResponseDelegate();
    if (bounced == nullptr || delegate == nullptr) {
        return;
    }
    XMPPError* error = packet.getError();
    IMString* reason = error != nullptr ? error->getMessage() : nullptr;
    delegate->OnMessageSentToChatFailed(bounced.release(), reason, error != nullptr ? error->getCode() : 0);
}

Message* MessageBounceHandler::bouncedMessage(MessagePacket& packet)
{
    MessageDAO* messages = getRequestController()->GetMessageDAO();
    long long id = 0;
    if (messages == nullptr || !packet.hasPacketID()
        || Ixa::IsFailed(Ixa::Base::LongLong::Parse(*packet.getPacketID(), id))) {
        return nullptr;
    }
    std::unique_ptr<Message> stored(messages->FindMessageById(id));
    if (stored == nullptr
        || (stored->GetMessageType() != Message::TYPE_SENT && stored->GetMessageType() != Message::TYPE_SENDING)) {
        return nullptr;
    }
    IMString* from = packet.getFrom();
    if (from != nullptr && !UserId::sameIgnoringCase(UserId::bareLowerCase(*from), stored->GetOtherUserId())) {
        return nullptr;
    }
    return stored.release();
}
