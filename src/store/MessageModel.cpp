#include "store/MessageModel.h"

#include "foundation/IMSystemTime.h"
#include "store/MessageImpl.h"

#include <algorithm>
#include <memory>

using Ixa::Base::Collection::ArrayList;
using Ixa::Base::Collection::HashMap;

const char* const MessageModel::modelName = "MessageModel";

MessageModel::MessageModel()
{
    lastId_ = Locked(0LL, [](MessageDatabase& messages) { return messages.GetLargestMessageId(); });
}

MessageModel::~MessageModel() = default;

IMString MessageModel::getModelName() const { return IMString(modelName); }

long long MessageModel::NextMessageId()
{
    long long now = 0;
    IMSystemTime::GetTicks(now);
    return Locked(now, [&](MessageDatabase&) {
        lastId_ = std::max(now, lastId_ + 1);
        return lastId_;
    });
}

Message* MessageModel::CreateMessage()
{
    Message* message = new MessageImpl();
    message->SetMessageId(NextMessageId());
    return message;
}

bool MessageModel::SaveOrUpdate(Message* message)
{
    if (message == nullptr) {
        return false;
    }
    return Locked(false, [&](MessageDatabase& messages) { return messages.SaveOrUpdate(message); });
}

bool MessageModel::DeleteDatabase()
{
    return Locked(false, [](MessageDatabase& messages) { return messages.DeleteDatabase(); });
}

Message* MessageModel::FindMessageById(long long messageId)
{
    return Locked<Message*>(nullptr, [&](MessageDatabase& messages) { return messages.FindMessageById(messageId); });
}

Message* MessageModel::FindReceivedMessage(const IMString& sender, const IMString& stanzaId, const IMString& archiveId)
{
    return Locked<Message*>(nullptr, [&](MessageDatabase& messages) {
        return messages.FindReceivedMessage(sender, stanzaId, archiveId);
    });
}

IMString MessageModel::GetLastArchiveId()
{
    return Locked(IMString(), [](MessageDatabase& messages) { return messages.GetLastArchiveId(); });
}

bool MessageModel::GetLastReceivedTime(IMDateTime& time)
{
    std::unique_ptr<Message> last(
        Locked<Message*>(nullptr, [](MessageDatabase& messages) { return messages.GetLastReceivedMessage(); }));
    if (last == nullptr) {
        return false;
    }
    time = last->GetTimeStamp();
    return true;
}

HashMap* MessageModel::GetUnreadMessages()
{
    return Locked<HashMap*>(nullptr, [](MessageDatabase& messages) { return messages.GetUnreadMessages(); });
}

Message* MessageModel::GetLastMessageWithUser(const Ixa::Base::String& user)
{
    return LockedFor<Message*>(
        user, nullptr, [&](MessageDatabase& messages) { return messages.GetLastMessageWithUser(user); });
}

bool MessageModel::UpdateMessageStatus(Message* message)
{
    if (message == nullptr) {
        return false;
    }
    return Locked(false, [&](MessageDatabase& messages) { return messages.UpdateMessageStatus(message); });
}

bool MessageModel::UpdateMessageStatus(const Ixa::Base::String& user)
{
    return LockedFor(user, false, [&](MessageDatabase& messages) { return messages.UpdateMessageStatus(user); });
}

int MessageModel::GetNumUnreadMessagesWithUser(const Ixa::Base::String& user)
{
    return LockedFor(user, -1, [&](MessageDatabase& messages) { return messages.GetNumUnreadMessagesWithUser(user); });
}

int MessageModel::GetTotalUnreadMessages()
{
    return Locked(-1, [](MessageDatabase& messages) { return messages.GetTotalUnreadMessages(); });
}

bool MessageModel::updateByMessageId(Message* message)
{
    if (message == nullptr) {
        return false;
    }
    return Locked(false, [&](MessageDatabase& messages) { return messages.updateByMessageId(message); });
}

bool MessageModel::updateSendingMessage(Message* message)
{
    if (message == nullptr) {
        return false;
    }
    return Locked(false, [&](MessageDatabase& messages) { return messages.updateSendingMessage(message); });
}

ArrayList* MessageModel::GetSendingMessages()
{
    return Locked<ArrayList*>(nullptr, [](MessageDatabase& messages) { return messages.GetSendingMessages(); });
}

ArrayList* MessageModel::GetAllMessagesWithUser(const Ixa::Base::String& user, bool keepUnread)
{
    return LockedFor<ArrayList*>(
        user, nullptr, [&](MessageDatabase& messages) { return messages.GetMessagesWithUser(user, keepUnread); });
}

bool MessageModel::DeleteChatsWithUser(const Ixa::Base::String& user)
{
    return LockedFor(user, false, [&](MessageDatabase& messages) { return messages.DeleteChatsWithUser(user); });
}

bool MessageModel::IsChatPresentWithUser(const Ixa::Base::String& user)
{
    return LockedFor(user, false, [&](MessageDatabase& messages) { return messages.IsChatPresentWithUser(user); });
}

bool MessageModel::DeleteMessageByMessageId(long long messageId)
{
    return Locked(false, [&](MessageDatabase& messages) { return messages.DeleteMessage(messageId); });
}

ArrayList* MessageModel::GetAllUserIds()
{
    return Locked<ArrayList*>(nullptr, [](MessageDatabase& messages) { return messages.GetAllUserIds(); });
}

ArrayList* MessageModel::SearchMessages(const IMString& typed, int limit)
{
    return Locked<ArrayList*>(nullptr, [&](MessageDatabase& messages) { return messages.SearchMessages(typed, limit); });
}

double MessageModel::IndexSearchStep(int rows)
{
    return Locked(-1.0, [&](MessageDatabase& messages) { return messages.IndexSearchStep(rows); });
}

double MessageModel::SearchIndexShare()
{
    return Locked(-1.0, [](MessageDatabase& messages) { return messages.SearchIndexShare(); });
}

bool MessageModel::IsSearchIndexComplete()
{
    return Locked(false, [](MessageDatabase& messages) { return messages.IsSearchIndexComplete(); });
}
