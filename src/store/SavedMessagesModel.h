// The process-wide saved-conversation store ("SavedMessageModel"). Results are new objects
// the caller owns; nothing is cached or notified here. Operations answer null or false while
// the lock is missing, and at once for an empty conversation key.
// Threading: safe from any thread; the model's lock serialises every table call.
// Ownership: see StoreModel.
#pragma once

#include "store/SavedMessagesDatabase.h"
#include "store/StoreModel.h"

class SavedMessagesModel : public StoreModel<SavedMessagesModel, SavedMessagesDatabase> {
public:
    static const char* const modelName;

    ~SavedMessagesModel() override;

    IMString getModelName() const override;

    // A new empty message (ticks 0).
    virtual Message* CreateMessage();
    virtual bool SaveOrUpdate(Message* message);
    // Empties the table; the file stays.
    virtual bool DeleteDatabase();
    // A new string with the other party's user id of the copy, or null.
    virtual Ixa::Base::String* GetUserIdFromTimeStampId(const Ixa::Base::String& key);
    // Stores the conversation under `key`, completely or not at all. Takes the list and its
    // messages (and deletes them) whatever the outcome.
    virtual bool SaveAllMessagesWithUser(Ixa::Base::Collection::ArrayList* messages, const Ixa::Base::String& key);
    virtual Message* GetLastMessageWithUserTimestamp(const Ixa::Base::String& key);

    bool IsConversationProtectedWithUser(const Ixa::Base::String& key);
    bool UnProtectConversation(const Ixa::Base::String& key);
    bool ProtectConversation(const Ixa::Base::String& key);
    // The copy's messages oldest first.
    Ixa::Base::Collection::ArrayList* GetAllMessagesWithUser(const Ixa::Base::String& key);
    // Every conversation key once, in the order the copies were saved.
    Ixa::Base::Collection::ArrayList* GetAllUserIds();
    bool DeleteSavedConversation(const Ixa::Base::String& key);
    // As SavedMessagesDatabase::SearchMessages.
    Ixa::Base::Collection::ArrayList* SearchMessages(const IMString& typed, int limit);

private:
    friend class StoreModel<SavedMessagesModel, SavedMessagesDatabase>;
    SavedMessagesModel();
};
