#include "store/SavedMessagesDatabase.h"

#include "store/MessageDatabase.h"

using Ixa::Base::Collection::ArrayList;

namespace {

constexpr const char* CREATE_TABLE =
    "CREATE TABLE IF NOT EXISTS savedmessagetable(otheruserid NTEXT,useridtimestamp NTEXT,messagetype INTEGER,"
    "message NTEXT,protocolid NTEXT,timestamp DATETIME,isofflinemessage INTEGER,messageid INTEGER,"
    "isprotected INTEGER)";
constexpr const char* CREATE_KEY_INDEX =
    "CREATE INDEX IF NOT EXISTS savedmessagetable_key ON savedmessagetable(useridtimestamp,timestamp)";

// The full-text index over the saved texts, as the message store's (MessageDatabase). A
// message saved twice has two rows with one message id, so the index files rows by rowid.
constexpr const char* SEARCH_TABLE = "savedmessagesearch";
constexpr const char* CREATE_SEARCH =
    "CREATE VIRTUAL TABLE savedmessagesearch USING fts5(message,content='savedmessagetable',"
    "tokenize='unicode61 remove_diacritics 2')";
constexpr const char* FILL_SEARCH = "INSERT INTO savedmessagesearch(savedmessagesearch) VALUES('rebuild')";
constexpr const char* CREATE_INSERT_TRIGGER =
    "CREATE TRIGGER IF NOT EXISTS savedmessagesearch_insert AFTER INSERT ON savedmessagetable BEGIN "
    "INSERT INTO savedmessagesearch(rowid,message) VALUES(new.rowid,new.message); END";
constexpr const char* CREATE_DELETE_TRIGGER =
    "CREATE TRIGGER IF NOT EXISTS savedmessagesearch_delete AFTER DELETE ON savedmessagetable BEGIN "
    "INSERT INTO savedmessagesearch(savedmessagesearch,rowid,message) VALUES('delete',old.rowid,old.message); END";
constexpr const char* CREATE_UPDATE_TRIGGER =
    "CREATE TRIGGER IF NOT EXISTS savedmessagesearch_update AFTER UPDATE OF message ON savedmessagetable BEGIN "
    "INSERT INTO savedmessagesearch(savedmessagesearch,rowid,message) VALUES('delete',old.rowid,old.message);"
    "INSERT INTO savedmessagesearch(rowid,message) VALUES(new.rowid,new.message); END";
constexpr const char* SEARCH_MESSAGES =
    "SELECT s.otheruserid,s.messagetype,s.message,s.protocolid,s.timestamp,s.isofflinemessage,s.messageid,"
    "s.useridtimestamp,s.isprotected FROM savedmessagesearch JOIN savedmessagetable s ON s.rowid=savedmessagesearch.rowid "
    "WHERE savedmessagesearch MATCH ? ORDER BY s.timestamp DESC,s.rowid DESC LIMIT ?";

constexpr const char* INSERT_MESSAGE =
    "INSERT INTO savedmessagetable(otheruserid,useridtimestamp,messagetype,message,protocolid,timestamp,"
    "isofflinemessage,messageid,isprotected)VALUES(?,?,?,?,?,?,?,?,?)";

// The columns in messagetable's order first, so that one reader serves both stores.
constexpr const char* SELECT_WITH_KEY =
    "SELECT otheruserid,messagetype,message,protocolid,timestamp,isofflinemessage,messageid,useridtimestamp,"
    "isprotected FROM savedmessagetable WHERE useridtimestamp=? ORDER BY timestamp ASC,rowid ASC";
constexpr const char* SELECT_LAST_WITH_KEY =
    "SELECT otheruserid,messagetype,message,protocolid,timestamp,isofflinemessage,messageid,useridtimestamp,"
    "isprotected FROM savedmessagetable WHERE useridtimestamp=? ORDER BY timestamp DESC,rowid DESC LIMIT 1";
constexpr const char* SELECT_KEYS =
    "SELECT useridtimestamp FROM savedmessagetable GROUP BY useridtimestamp ORDER BY MIN(rowid)";
constexpr const char* SELECT_USER_ID = "SELECT otheruserid FROM savedmessagetable WHERE useridtimestamp=?";
constexpr const char* SELECT_PROTECTED = "SELECT isprotected FROM savedmessagetable WHERE useridtimestamp=? LIMIT 1";

constexpr const char* PROTECT = "UPDATE savedmessagetable SET isprotected=1 WHERE useridtimestamp=?";
constexpr const char* UNPROTECT = "UPDATE savedmessagetable SET isprotected=0 WHERE useridtimestamp=?";
constexpr const char* DELETE_WITH_KEY = "DELETE FROM savedmessagetable WHERE useridtimestamp=?";
constexpr const char* DELETE_ALL = "DELETE FROM savedmessagetable";

}  // namespace

const char* const SavedMessagesDatabase::dbLocation = "/Home/gtalksavedmessages.db";

IMString SavedMessagesDatabase::getDBLocation() { return IMString(dbLocation); }

SavedMessagesDatabase::SavedMessagesDatabase()
    : StoreTable(dbLocation,
                 {CREATE_TABLE, CREATE_KEY_INDEX, SchemaStep::DerivedTable(SEARCH_TABLE, CREATE_SEARCH, FILL_SEARCH),
                  CREATE_INSERT_TRIGGER, CREATE_DELETE_TRIGGER, CREATE_UPDATE_TRIGGER})
{
}

SavedMessagesDatabase::~SavedMessagesDatabase() = default;

SqlParameters SavedMessagesDatabase::BindValues(Message* message)
{
    SqlParameters values;
    values.Text(message->GetOtherUserId())
        .Text(message->GetUserid_TimeStamp())
        .Int(message->GetMessageType())
        .Text(message->GetMessage())
        .Text(message->GetProtocolId())
        .Time(message->GetTimeStamp())
        .Flag(message->IsOfflineMessage())
        .Int64(message->GetMessageId())
        .Flag(message->IsProtected());
    return values;
}

Message* SavedMessagesDatabase::CreateMessageObject(const Ixa::Io::DbEnumerator& row)
{
    Message* message = MessageDatabase::CreateMessageObject(row);
    message->SetUserid_TimeStamp(TextAt(row, 7));
    message->SetIsProtected(FlagAt(row, 8));
    return message;
}

bool SavedMessagesDatabase::SaveOrUpdate(Message* message)
{
    return message != nullptr && Execute(INSERT_MESSAGE, BindValues(message));
}

ArrayList* SavedMessagesDatabase::GetAllUserIds()
{
    return QueryList(SELECT_KEYS, SqlParameters(), MessageDatabase::CreateUserIdObject);
}

bool SavedMessagesDatabase::DeleteDatabase() { return Execute(DELETE_ALL); }

ArrayList* SavedMessagesDatabase::GetMessagesWithUser(const Ixa::Base::String& key)
{
    return QueryList(SELECT_WITH_KEY, SqlParameters().Text(key), CreateMessageObject);
}

ArrayList* SavedMessagesDatabase::SearchMessages(const IMString& typed, int limit)
{
    return QuerySearch(SEARCH_MESSAGES, typed, limit, CreateMessageObject);
}

Message* SavedMessagesDatabase::GetLastMessageWithUserTimestamp(const Ixa::Base::String& key)
{
    return QueryFirst(SELECT_LAST_WITH_KEY, SqlParameters().Text(key), CreateMessageObject);
}

Ixa::Base::String* SavedMessagesDatabase::GetUserIdFromTimeStampId(const Ixa::Base::String& key)
{
    return QueryFirst(SELECT_USER_ID, SqlParameters().Text(key), MessageDatabase::CreateUserIdObject);
}

bool SavedMessagesDatabase::IsConversationProtectedWithUser(const Ixa::Base::String& key)
{
    return QueryInt(SELECT_PROTECTED, SqlParameters().Text(key)) != 0;
}

bool SavedMessagesDatabase::ProtectConversation(const Ixa::Base::String& key)
{
    return Execute(PROTECT, SqlParameters().Text(key));
}

bool SavedMessagesDatabase::UnProtectConversation(const Ixa::Base::String& key)
{
    return Execute(UNPROTECT, SqlParameters().Text(key));
}

bool SavedMessagesDatabase::DeleteSavedConversation(const Ixa::Base::String& key)
{
    return Execute(DELETE_WITH_KEY, SqlParameters().Text(key));
}

bool SavedMessagesDatabase::SaveAllMessagesWithUser(const ArrayList& messages, const Ixa::Base::String& key)
{
    if (!BeginTransaction()) {
        return false;
    }
    for (int i = 0; i < messages.GetCount(); ++i) {
        auto message = static_cast<Message*>(messages.GetAt(i));
        message->SetUserid_TimeStamp(key);
        if (!Execute(INSERT_MESSAGE, BindValues(message))) {
            RollbackTransaction();
            return false;
        }
    }
    return CommitTransaction();
}
