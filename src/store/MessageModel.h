// The process-wide message store ("MessageModel"). Every read goes to the table and answers
// new objects the caller owns; nothing is cached or notified here. Operations answer null,
// false, or -1 for counts while the lock is missing, and at once for an empty user id.
// A list of received messages is stored as one batch: BeginBatch(), SaveOrUpdate for each,
// EndBatch().
//
// CreateMessage gives each new message an id greater than every id stored or given before:
// the clock in milliseconds, or one more than the last id when the clock has not moved on
// (two messages in one millisecond, a clock set back, a restart over a table whose newest id
// is ahead of the clock). Storing a message therefore never overwrites another one's row.
// Threading: safe from any thread; the model's lock serialises every table call.
// Ownership: see StoreModel.
#pragma once

#include "store/MessageDAO.h"
#include "store/MessageDatabase.h"
#include "store/StoreModel.h"

class MessageModel : public StoreModel<MessageModel, MessageDatabase>, public MessageDAO {
public:
    static const char* const modelName;

    ~MessageModel() override;

    IMString getModelName() const override;

    Message* CreateMessage() override;
    bool SaveOrUpdate(Message* message) override;
    // Empties the table; the file stays.
    virtual bool DeleteDatabase();
    Message* FindMessageById(long long messageId) override;
    Message* FindReceivedMessage(const IMString& sender, const IMString& stanzaId, const IMString& archiveId) override;
    IMString GetLastArchiveId() override;
    bool GetLastReceivedTime(IMDateTime& time) override;
    virtual Ixa::Base::Collection::HashMap* GetUnreadMessages();
    virtual Message* GetLastMessageWithUser(const Ixa::Base::String& user);

    bool UpdateMessageStatus(Message* message);
    int GetNumUnreadMessagesWithUser(const Ixa::Base::String& user);
    int GetTotalUnreadMessages();
    bool updateByMessageId(Message* message);
    // As updateByMessageId, only while the stored row is still being sent.
    bool updateSendingMessage(Message* message);
    // As MessageDatabase::GetSendingMessages.
    Ixa::Base::Collection::ArrayList* GetSendingMessages();
    // Oldest first; unless `keepUnread`, the user's unread messages are marked read.
    Ixa::Base::Collection::ArrayList* GetAllMessagesWithUser(const Ixa::Base::String& user, bool keepUnread);
    bool DeleteChatsWithUser(const Ixa::Base::String& user);
    bool IsChatPresentWithUser(const Ixa::Base::String& user);
    bool DeleteMessageByMessageId(long long messageId);
    // Everyone with a conversation, the one with the newest message first.
    Ixa::Base::Collection::ArrayList* GetAllUserIds();
    // Marks every unread message of the user read.
    bool UpdateMessageStatus(const Ixa::Base::String& user);
    // As MessageDatabase::SearchMessages.
    Ixa::Base::Collection::ArrayList* SearchMessages(const IMString& typed, int limit);
    // As MessageDatabase::IndexSearchStep; -1 while the lock is missing.
    double IndexSearchStep(int rows);
    // As MessageDatabase::SearchIndexShare; -1 while the lock is missing.
    double SearchIndexShare();
    bool IsSearchIndexComplete();

private:
    friend class StoreModel<MessageModel, MessageDatabase>;
    MessageModel();

    long long NextMessageId();

    // The last id given or stored; guarded by the model's lock.
    long long lastId_ = 0;
};
