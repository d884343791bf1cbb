#include "engine/SendChatCommand.h"

#include "engine/EngineAccess.h"
#include "engine/Reconnector.h"
#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "engine/UserId.h"
#include "store/Message.h"
#include "xmpp/Chat.h"
#include "xmpp/ChatManager.h"

SendChatCommand::SendChatCommand() = default;

SendChatCommand::~SendChatCommand() { delete message_; }

void SendChatCommand::setMessage(Message* message)
{
    if (message != message_) {
        delete message_;
        message_ = message;
    }
}

Message* SendChatCommand::getMessage() { return message_; }

void SendChatCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    verifyConnectionState();
    if (message_ == nullptr) {
        return;
    }
    Reconnector* reconnector = getRequestController()->GetReconnector();
    if (reconnector != nullptr && reconnector->isActive() && reconnector->hold(message_)) {
        message_ = nullptr;
        return;
    }
    IMString recipient(message_->GetOtherUserId());
    UserId::complete(&recipient);
    message_->SetOtherUserId(recipient);

    *result = Ixa::E_FAILURE;
    if (Chat* chat = chatWith(recipient)) {
        IMString text(message_->GetMessage());
        IMString id;
        id.Append(message_->GetMessageId());
        chat->sendMessage(&text, &id, result);
    }
    Message* message = message_;
    message_ = nullptr;
    // A send that failed on a session that stands met a connection already gone: it waits for
    // the session to come back.
    if (*result != Ixa::E_SUCCESS && reconnector != nullptr && reconnector->hold(message)) {
        return;
    }
    ResponseDelegate* delegate = EngineAccess::responseDelegate(getRequestController());
    if (delegate == nullptr) {
        delete message;
    } else if (*result != Ixa::E_SUCCESS) {
        delegate->OnMessageSentToChatFailed(message, nullptr, 0);
    } else {
        delegate->OnMessageSentToChat(message);
    }
}

Chat* SendChatCommand::chatWith(const IMString& recipient)
{
    if (chat_ == nullptr) {
        if (ChatManager* chats = EngineAccess::chatManager(getRequestController())) {
            IMString participant(recipient);
            chat_ = chats->getChat(&participant);
            if (chat_ == nullptr) {
                chat_ = new Chat(chats, nullptr, &participant, false);
            }
        }
    }
    return chat_;
}
