#include "store/SavedMessagesModel.h"

#include "store/MessageImpl.h"

#include <memory>

using Ixa::Base::Collection::ArrayList;

const char* const SavedMessagesModel::modelName = "SavedMessageModel";

SavedMessagesModel::SavedMessagesModel() = default;

SavedMessagesModel::~SavedMessagesModel() = default;

IMString SavedMessagesModel::getModelName() const { return IMString(modelName); }

Message* SavedMessagesModel::CreateMessage() { return new MessageImpl(); }

bool SavedMessagesModel::SaveOrUpdate(Message* message)
{
    if (message == nullptr) {
        return false;
    }
    return Locked(false, [&](SavedMessagesDatabase& saved) { return saved.SaveOrUpdate(message); });
}

bool SavedMessagesModel::DeleteDatabase()
{
    return Locked(false, [](SavedMessagesDatabase& saved) { return saved.DeleteDatabase(); });
}

Ixa::Base::String* SavedMessagesModel::GetUserIdFromTimeStampId(const Ixa::Base::String& key)
{
    return LockedFor<Ixa::Base::String*>(
        key, nullptr, [&](SavedMessagesDatabase& saved) { return saved.GetUserIdFromTimeStampId(key); });
}

bool SavedMessagesModel::SaveAllMessagesWithUser(ArrayList* messages, const Ixa::Base::String& key)
{
    if (messages == nullptr) {
        return false;
    }
    std::unique_ptr<ArrayList> owned(messages);
    bool saved =
        LockedFor(key, false, [&](SavedMessagesDatabase& table) { return table.SaveAllMessagesWithUser(*owned, key); });
    owned->RemoveAll(true);
    return saved;
}

Message* SavedMessagesModel::GetLastMessageWithUserTimestamp(const Ixa::Base::String& key)
{
    return LockedFor<Message*>(
        key, nullptr, [&](SavedMessagesDatabase& saved) { return saved.GetLastMessageWithUserTimestamp(key); });
}

bool SavedMessagesModel::IsConversationProtectedWithUser(const Ixa::Base::String& key)
{
    return LockedFor(
        key, false, [&](SavedMessagesDatabase& saved) { return saved.IsConversationProtectedWithUser(key); });
}

bool SavedMessagesModel::UnProtectConversation(const Ixa::Base::String& key)
{
    return LockedFor(key, false, [&](SavedMessagesDatabase& saved) { return saved.UnProtectConversation(key); });
}

bool SavedMessagesModel::ProtectConversation(const Ixa::Base::String& key)
{
    return LockedFor(key, false, [&](SavedMessagesDatabase& saved) { return saved.ProtectConversation(key); });
}

ArrayList* SavedMessagesModel::GetAllMessagesWithUser(const Ixa::Base::String& key)
{
    return LockedFor<ArrayList*>(
        key, nullptr, [&](SavedMessagesDatabase& saved) { return saved.GetMessagesWithUser(key); });
}

ArrayList* SavedMessagesModel::GetAllUserIds()
{
    return Locked<ArrayList*>(nullptr, [](SavedMessagesDatabase& saved) { return saved.GetAllUserIds(); });
}

bool SavedMessagesModel::DeleteSavedConversation(const Ixa::Base::String& key)
{
    return LockedFor(key, false, [&](SavedMessagesDatabase& saved) { return saved.DeleteSavedConversation(key); });
}

ArrayList* SavedMessagesModel::SearchMessages(const IMString& typed, int limit)
{
    return Locked<ArrayList*>(nullptr, [&](SavedMessagesDatabase& saved) { return saved.SearchMessages(typed, limit); });
}
