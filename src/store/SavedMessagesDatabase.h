// The saved-conversation table (savedmessagetable in "/Home/gtalksavedmessages.db"): copies of
// conversations the user chose to keep, each copy under its own conversation key, with a
// protect flag that guards it against deletion. Results are new objects the caller owns;
// failures and a closed table answer null, false or 0 as MessageDatabase does.
// Threading and ownership: as StoreTable (SavedMessagesModel serialises it).
#pragma once

#include "store/Message.h"
#include "store/StoreTable.h"

class SavedMessagesDatabase : public StoreTable {
public:
    static const char* const dbLocation;
    static IMString getDBLocation();

    SavedMessagesDatabase();
    ~SavedMessagesDatabase() override;

    // Always inserts.
    bool SaveOrUpdate(Message* message);
    // Every conversation key once, in the order the copies were saved.
    Ixa::Base::Collection::ArrayList* GetAllUserIds();
    bool DeleteDatabase();
    // The copy's messages oldest first.
    Ixa::Base::Collection::ArrayList* GetMessagesWithUser(const Ixa::Base::String& key);
    bool UnProtectConversation(const Ixa::Base::String& key);
    bool IsConversationProtectedWithUser(const Ixa::Base::String& key);
    // A new string with the other party's user id of the copy, or null.
    Ixa::Base::String* GetUserIdFromTimeStampId(const Ixa::Base::String& key);
    Message* GetLastMessageWithUserTimestamp(const Ixa::Base::String& key);
    // As MessageDatabase::SearchMessages over the saved copies; each hit carries the key of
    // the copy it belongs to.
    Ixa::Base::Collection::ArrayList* SearchMessages(const IMString& typed, int limit);
    // Stores every message of `messages` under `key` in one transaction: the copy is stored
    // completely or not at all. The list and its messages stay the caller's.
    bool SaveAllMessagesWithUser(const Ixa::Base::Collection::ArrayList& messages, const Ixa::Base::String& key);
    bool DeleteSavedConversation(const Ixa::Base::String& key);
    bool ProtectConversation(const Ixa::Base::String& key);

private:
    static Message* CreateMessageObject(const Ixa::Io::DbEnumerator& row);
    static SqlParameters BindValues(Message* message);
};
