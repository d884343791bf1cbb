// The message table (messagetable in "/Home/gtalkmessage.db"): every message of the current
// conversations, sent and received, with its read state. Lists are new ArrayLists (capacity
// 10) of new objects the caller owns: messages oldest first, user ids as platform strings.
// A failed query answers null for lists and single messages, false for checks and 0 for
// counts; so does a closed table. Storing never indexes for the search: the index catches up
// in bounded steps on the user-interface thread (see IndexSearchStep).
// Threading and ownership: as StoreTable (MessageModel serialises it).
#pragma once

#include "platform/HashMap.h"
#include "store/Message.h"
#include "store/StoreTable.h"

class MessageDatabase : public StoreTable {
public:
    static const char* const dbLocation;
    static IMString getDBLocation();

    MessageDatabase();
    ~MessageDatabase() override;

    // Updates the row filed under the message's id, or inserts one.
    bool SaveOrUpdate(Message* message);
    // Everyone with a conversation, the one with the newest message first.
    Ixa::Base::Collection::ArrayList* GetAllUserIds();
    // Every message still being sent, of every user, oldest first.
    Ixa::Base::Collection::ArrayList* GetSendingMessages();
    bool DeleteDatabase();
    // The conversation oldest first; unless `keepUnread`, its unread messages are then marked
    // read in the same transaction (null when that fails).
    Ixa::Base::Collection::ArrayList* GetMessagesWithUser(const Ixa::Base::String& user, bool keepUnread);
    bool DeleteAllChats();
    bool DeleteChatsWithUser(const Ixa::Base::String& user);
    bool IsChatPresentWithUser(const Ixa::Base::String& user);
    bool DeleteMessage(long long messageId);
    int GetTotalUnreadMessages();
    int GetNumUnreadMessagesWithUser(const Ixa::Base::String& user);
    // Marks the row filed under the message's id read.
    bool UpdateMessageStatus(Message* message);
    // Writes type, protocol id and time stamp of the row with the message's GetMessageId();
    // false when there is no such row.
    bool updateByMessageId(Message* message);
    // The same, only while the row is still being sent (type 1): a row an error reply has
    // already marked failed stays failed.
    bool updateSendingMessage(Message* message);
    // Marks every unread message of the user read.
    bool UpdateMessageStatus(const Ixa::Base::String& user);
    Message* FindMessageById(long long messageId);
    // The largest stored message id; 0 when there is none.
    long long GetLargestMessageId();
    // A new map from each user id with unread messages to its unread count (platform String
    // to Integer; the caller owns keys and values).
    Ixa::Base::Collection::HashMap* GetUnreadMessages();
    Message* GetLastMessageWithUser(const Ixa::Base::String& user);
    // Messages stored since the last indexing step are indexed first, up to this many.
    static constexpr int SEARCH_CATCH_UP_ROWS = 256;

    // At most `limit` messages with words beginning like every word of `typed` (case and
    // accents aside), the newest first; `typed` is taken as plain words (SearchQuery). Nothing
    // typed finds nothing. It takes an indexing step of SEARCH_CATCH_UP_ROWS first, so it finds
    // every stored message unless more than that many wait to be indexed.
    Ixa::Base::Collection::ArrayList* SearchMessages(const IMString& typed, int limit);
    // Storing a message does not index it (a burst of received messages stays cheap): this
    // indexes up to `rows` more of the messages not yet indexed, oldest first, in one
    // transaction, and answers how much of the table is indexed (0 to 1, 1 once complete), or
    // -1 when the step failed. The caller decides where the steps run: the conversations
    // screen takes them on the user-interface thread while it shows, and each search takes one.
    double IndexSearchStep(int rows);
    // How much of the table is indexed: 0 to 1, 1 once complete; -1 when it cannot be read.
    double SearchIndexShare();
    // Whether every stored message is in the index (false while the table is closed).
    bool IsSearchIndexComplete();
    // The received message stored with the archive id, or from `sender` with the stanza id on a
    // row that, when an archive id is given, has none; null when none is. An empty id matches
    // nothing.
    Message* FindReceivedMessage(const IMString& sender, const IMString& stanzaId, const IMString& archiveId);
    // The archive id of the received message stored last that has one; empty when none has.
    IMString GetLastArchiveId();
    // The received message with the newest time stamp, or null.
    Message* GetLastReceivedMessage();

    // A new message from a row of messagetable, all columns.
    static Message* CreateStoredMessage(const Ixa::Io::DbEnumerator& row);
    // A new message from a row whose first seven columns are those of messagetable.
    static Message* CreateMessageObject(const Ixa::Io::DbEnumerator& row);
    // A new platform string from column 0.
    static Ixa::Base::String* CreateUserIdObject(const Ixa::Io::DbEnumerator& row);

private:
    static SqlParameters BindValues(Message* message);
    bool updateStatus(const char* sql, Message* message);
};
