#include "xmpp/Chat.h"

#include "xmpp/ChatManager.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/TextCopy.h"

Chat::Chat(ChatManager* manager, IMString* thread, IMString* participant, bool offTheRecord)
    : manager_(manager),
      thread_(TextCopy::of(thread)),
      participant_(TextCopy::of(participant)),
      offTheRecord_(offTheRecord)
{
    if (manager_ != nullptr) {
        manager_->addChat(this);
    }
}

Chat::~Chat()
{
    delete thread_;
    delete participant_;
}

void Chat::sendMessage(IMString* text, const IMString* id, unsigned long* result)
{
    if (manager_ == nullptr) {
        return;
    }
    auto message = new MessagePacket();
    message->setPacketID(TextCopy::of(id));
    message->setBody(text, true);
    message->setMessageType(MessagePacket::Type::CHAT);
    message->setTo(TextCopy::of(participant_));
    message->setThread(TextCopy::of(thread_));
    message->setNoSaveStatus(offTheRecord_);
    manager_->sendMessage(message, result);
}

IMString* Chat::getThread() { return thread_; }

IMString* Chat::getParticipant() { return participant_; }

bool Chat::isOffTheRecord() const { return offTheRecord_; }

ChatListener* Chat::getListener() { return listener_; }

void Chat::setListener(ChatListener* listener) { listener_ = listener; }
