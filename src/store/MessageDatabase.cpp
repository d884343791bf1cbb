#include "store/MessageDatabase.h"

#include "platform/Integer.h"
#include "store/MessageImpl.h"

#include <algorithm>
#include <memory>

using Ixa::Base::Collection::ArrayList;
using Ixa::Base::Collection::HashMap;

namespace {

constexpr const char* CREATE_TABLE =
    "CREATE TABLE IF NOT EXISTS messagetable(otheruserid NTEXT,messagetype INTEGER,message NTEXT,protocolid NTEXT,"
    "timestamp DATETIME,isofflinemessage INTEGER,messageid INTEGER,archiveid NTEXT,stanzaid NTEXT)";
// Files made before the received messages kept their ids get the two columns, in the same
// order, so that a row reads alike from either.
constexpr const char* ADD_ARCHIVE_ID = "ALTER TABLE messagetable ADD COLUMN archiveid NTEXT";
constexpr const char* ADD_STANZA_ID = "ALTER TABLE messagetable ADD COLUMN stanzaid NTEXT";
// One row per message id, found in one step; conversations are read per user in time order.
constexpr const char* CREATE_ID_INDEX = "CREATE UNIQUE INDEX IF NOT EXISTS messagetable_id ON messagetable(messageid)";
constexpr const char* CREATE_USER_INDEX =
    "CREATE INDEX IF NOT EXISTS messagetable_user ON messagetable(otheruserid,timestamp)";
// A message delivered again is recognised by its archive id, or by its sender and stanza id.
// Only rows with an archive id are in the archive index (a burst from a server that keeps no
// archive adds nothing to it); it replaces an index over every row.
constexpr const char* DROP_FULL_ARCHIVE_INDEX = "DROP INDEX IF EXISTS messagetable_archive";
constexpr const char* CREATE_ARCHIVE_INDEX =
    "CREATE INDEX IF NOT EXISTS messagetable_archived ON messagetable(archiveid) WHERE archiveid<>''";
constexpr const char* CREATE_STANZA_INDEX =
    "CREATE INDEX IF NOT EXISTS messagetable_stanza ON messagetable(otheruserid,stanzaid)";
// Every sign-in looks for messages still waiting to go out; only those rows are in this index,
// so the look costs nothing however many messages are stored, and a received one adds nothing.
constexpr const char* CREATE_SENDING_INDEX =
    "CREATE INDEX IF NOT EXISTS messagetable_sending ON messagetable(timestamp) WHERE messagetype=1";

// The full-text index over the message texts. Searches answer the newest hits first and
// stop at a limit, so the index files each message under a key that grows with its time
// stamp: the index walks its hits newest first and stops after the limit instead of ranking
// every message a common word is in. (Message ids follow the order messages were stored in,
// which is not their time order: an archive fetched later gives older messages newer ids.)
// The key is the time stamp in seconds times 1024, plus the order of storing among the
// messages of that second; messagesearchkey maps keys to message ids. In the rare second with
// more than 1024 messages the rest are filed after every other key ("spilled"), so they list
// as the newest, and are found again by their id for removal.
//
// The index keeps no copy of the texts. Accents and case are folded away, so "cafe" finds
// "Café". Storing a message does no indexing: a burst of received messages costs the table
// and its indexes only. messagesearchfill holds the last row considered (`nextrow`); the rows
// after it are indexed a bounded step at a time (IndexSearchStep), and a search first takes one
// such step, so what was stored a moment ago is found. Triggers keep the indexed rows in step
// with every other write, whichever statement makes it: a row is indexed through the view
// messagesearchinput, and unindexed before it is changed or deleted (while its old time stamp
// still finds its key). New rows take the row number after the largest one, so after a delete
// `nextrow` comes down to the largest remaining row: a new row always lands after it.
//
// A file with messages made before the index existed starts with `nextrow` 0, and one made
// when every message was indexed as it was stored starts at its last row.
constexpr const char* SEARCH_TABLE = "messagesearch";
constexpr const char* CREATE_SEARCH_KEYS =
    "CREATE TABLE IF NOT EXISTS messagesearchkey(key INTEGER PRIMARY KEY,messageid INTEGER,spilled INTEGER)";
constexpr const char* CREATE_SPILLED_INDEX =
    "CREATE INDEX IF NOT EXISTS messagesearchkey_spilled ON messagesearchkey(messageid) WHERE spilled=1";
constexpr const char* CREATE_SEARCH_FILL = "CREATE TABLE IF NOT EXISTS messagesearchfill(nextrow INTEGER)";
constexpr const char* CREATE_SEARCH =
    "CREATE VIRTUAL TABLE messagesearch USING fts5(message,content='',columnsize=0,"
    "tokenize='unicode61 remove_diacritics 2')";
constexpr const char* MARK_SEARCH_UNFILLED = "INSERT INTO messagesearchfill(nextrow) VALUES(0)";
// A file whose index was kept complete by an insert trigger: the trigger goes, the index stays.
// One still filling (where rows after `nextrow` may be indexed) starts its fill again from an
// empty index, so that no row after `nextrow` is ever in the index and a step need not look.
constexpr const char* EMPTY_EARLIER_INDEX =
    "INSERT INTO messagesearch(messagesearch) SELECT 'delete-all' WHERE EXISTS(SELECT 1 FROM sqlite_master "
    "WHERE type='trigger' AND name='messagesearch_insert') AND EXISTS(SELECT 1 FROM messagesearchfill)";
constexpr const char* EMPTY_EARLIER_KEYS =
    "DELETE FROM messagesearchkey WHERE EXISTS(SELECT 1 FROM sqlite_master "
    "WHERE type='trigger' AND name='messagesearch_insert') AND EXISTS(SELECT 1 FROM messagesearchfill)";
constexpr const char* RESTART_EARLIER_FILL =
    "UPDATE messagesearchfill SET nextrow=0 WHERE EXISTS(SELECT 1 FROM sqlite_master "
    "WHERE type='trigger' AND name='messagesearch_insert')";
constexpr const char* DROP_INSERT_TRIGGER = "DROP TRIGGER IF EXISTS messagesearch_insert";
constexpr const char* MARK_SEARCH_FILLED =
    "INSERT INTO messagesearchfill(nextrow) SELECT IFNULL(MAX(rowid),0) FROM messagetable "
    "WHERE NOT EXISTS(SELECT 1 FROM messagesearchfill)";
constexpr const char* CREATE_SEARCH_ROW_VIEW =
    "CREATE VIEW IF NOT EXISTS messagesearchrow AS SELECT rowid AS row,messageid,message,"
    "IFNULL(CAST(strftime('%s',timestamp) AS INTEGER),0)*1024 AS base FROM messagetable";
constexpr const char* CREATE_SEARCH_INDEXED_VIEW =
    "CREATE VIEW IF NOT EXISTS messagesearchindexed AS SELECT r.messageid,r.message,k.key FROM messagesearchrow r "
    "JOIN messagesearchkey k ON k.messageid=r.messageid AND ((k.key>=r.base AND k.key<r.base+1024) OR k.spilled=1)";
constexpr const char* CREATE_SEARCH_INPUT_VIEW =
    "CREATE VIEW IF NOT EXISTS messagesearchinput AS SELECT messageid FROM messagetable WHERE 0";
constexpr const char* CREATE_SEARCH_INPUT_TRIGGER =
    "CREATE TRIGGER IF NOT EXISTS messagesearchinput_insert INSTEAD OF INSERT ON messagesearchinput BEGIN "
    "INSERT INTO messagesearchkey(key,messageid,spilled) "
    "SELECT IIF(next<base+1024,next,(SELECT MAX(key)+1 FROM messagesearchkey)),messageid,IIF(next<base+1024,NULL,1) "
    "FROM (SELECT messageid,base,IFNULL((SELECT key+1 FROM messagesearchkey WHERE key>=base AND key<base+1024 "
    "ORDER BY key DESC LIMIT 1),base) AS next FROM messagesearchrow WHERE messageid=new.messageid);"
    "INSERT INTO messagesearch(rowid,message) SELECT last_insert_rowid(),message FROM messagetable "
    "WHERE messageid=new.messageid; END";
constexpr const char* CREATE_DELETE_TRIGGER =
    "CREATE TRIGGER IF NOT EXISTS messagesearch_delete BEFORE DELETE ON messagetable BEGIN "
    "INSERT INTO messagesearch(messagesearch,rowid,message) SELECT 'delete',key,message FROM messagesearchindexed "
    "WHERE messageid=old.messageid;"
    "DELETE FROM messagesearchkey WHERE key IN (SELECT key FROM messagesearchindexed WHERE messageid=old.messageid); END";
constexpr const char* CREATE_LOWER_FILL_TRIGGER =
    "CREATE TRIGGER IF NOT EXISTS messagesearch_lowerfill AFTER DELETE ON messagetable BEGIN "
    "UPDATE messagesearchfill SET nextrow=(SELECT IFNULL(MAX(rowid),0) FROM messagetable) "
    "WHERE nextrow>(SELECT IFNULL(MAX(rowid),0) FROM messagetable); END";
constexpr const char* CREATE_UNINDEX_TRIGGER =
    "CREATE TRIGGER IF NOT EXISTS messagesearch_unindex BEFORE UPDATE OF message,messageid,timestamp ON messagetable "
    "BEGIN INSERT INTO messagesearch(messagesearch,rowid,message) SELECT 'delete',key,message FROM messagesearchindexed "
    "WHERE messageid=old.messageid;"
    "DELETE FROM messagesearchkey WHERE key IN (SELECT key FROM messagesearchindexed WHERE messageid=old.messageid); END";
// A row not yet reached by the steps is left to them. (The trigger of that name in older
// files indexed every changed row.)
constexpr const char* DROP_OLD_REINDEX_TRIGGER = "DROP TRIGGER IF EXISTS messagesearch_reindex";
constexpr const char* CREATE_REINDEX_TRIGGER =
    "CREATE TRIGGER IF NOT EXISTS messagesearch_refresh AFTER UPDATE OF message,messageid,timestamp ON messagetable "
    "WHEN new.rowid<=(SELECT nextrow FROM messagesearchfill) "
    "BEGIN INSERT INTO messagesearchinput VALUES(new.messageid); END";
// The index answers its newest keys first and stops at the limit.
constexpr const char* SEARCH_MESSAGES =
    "SELECT m.* FROM (SELECT rowid AS key FROM messagesearch WHERE messagesearch MATCH ? ORDER BY rowid DESC LIMIT ?) hits "
    "JOIN messagesearchkey k ON k.key=hits.key JOIN messagetable m ON m.messageid=k.messageid ORDER BY hits.key DESC";
// Catching up with the rows stored after `nextrow`, none of which is indexed.
constexpr const char* SELECT_FILL_ROW = "SELECT IFNULL((SELECT nextrow FROM messagesearchfill),-1)";
constexpr const char* SELECT_FILL_STEP_END =
    "SELECT IFNULL(MAX(rowid),-1) FROM (SELECT rowid FROM messagetable WHERE rowid>? ORDER BY rowid LIMIT ?)";
constexpr const char* FILL_SEARCH_STEP =
    "INSERT INTO messagesearchinput SELECT messageid FROM messagetable WHERE rowid>? AND rowid<=? ORDER BY rowid";
constexpr const char* SET_FILL_ROW = "UPDATE messagesearchfill SET nextrow=?";
constexpr const char* SELECT_LARGEST_ROW = "SELECT IFNULL(MAX(rowid),0) FROM messagetable";

// Inserts the row, or updates every column of the row that has the message id.
constexpr const char* SAVE_MESSAGE =
    "INSERT INTO messagetable(otheruserid,messagetype,message,protocolid,timestamp,isofflinemessage,messageid,"
    "archiveid,stanzaid) VALUES(?,?,?,?,?,?,?,?,?) ON CONFLICT(messageid) DO UPDATE SET otheruserid=excluded.otheruserid,"
    "messagetype=excluded.messagetype,message=excluded.message,protocolid=excluded.protocolid,"
    "timestamp=excluded.timestamp,isofflinemessage=excluded.isofflinemessage,archiveid=excluded.archiveid,"
    "stanzaid=excluded.stanzaid";

// Time stamps are fixed-width ISO 8601 text, so their text order is their time order; rowid
// keeps messages of the same millisecond in the order they were stored. The users are listed
// by their newest messages. Each user is found with one step of the user index from the one
// before, and each newest message with one more, so the cost follows the number of
// conversations, not of messages (a GROUP BY would read every message).
constexpr const char* SELECT_USER_IDS =
    "WITH RECURSIVE users(id) AS (SELECT MIN(otheruserid) FROM messagetable UNION ALL "
    "SELECT (SELECT MIN(otheruserid) FROM messagetable WHERE otheruserid>users.id) FROM users WHERE users.id IS NOT NULL),"
    "newest(id,timestamp,row) AS (SELECT id,"
    "(SELECT timestamp FROM messagetable WHERE otheruserid=id ORDER BY timestamp DESC,rowid DESC LIMIT 1),"
    "(SELECT rowid FROM messagetable WHERE otheruserid=id ORDER BY timestamp DESC,rowid DESC LIMIT 1) "
    "FROM users WHERE id IS NOT NULL) "
    "SELECT id FROM newest ORDER BY timestamp DESC,row DESC";
constexpr const char* SELECT_WITH_USER =
    "SELECT * FROM messagetable WHERE otheruserid=? ORDER BY timestamp ASC,rowid ASC";
constexpr const char* SELECT_LAST_WITH_USER =
    "SELECT * FROM messagetable WHERE otheruserid=? ORDER BY timestamp DESC,rowid DESC LIMIT 1";
constexpr const char* SELECT_SENDING =
    "SELECT * FROM messagetable WHERE messagetype=1 ORDER BY timestamp ASC,rowid ASC";
constexpr const char* SELECT_BY_ID = "SELECT * FROM messagetable WHERE messageid=?";
constexpr const char* SELECT_LARGEST_ID = "SELECT MAX(messageid) FROM messagetable";
// Received messages are of type 0 (unread) and 3 (read). Two messages the user's server
// archived under different ids are different messages, whatever ids their senders gave them;
// the sender's id only recognises a row stored without an archive id. The last archive id is that of the
// received message stored last: the archive hands out its results oldest first, and asking
// after an id older than the newest only fetches again what is then skipped.
// Its parameters are the sender, the stanza id and the archive id, each bound once.
constexpr const char* SELECT_RECEIVED_DUPLICATE =
    "SELECT * FROM messagetable WHERE messagetype IN (0,3) AND ((?3<>'' AND archiveid<>'' AND archiveid=?3) "
    "OR (?2<>'' AND otheruserid=?1 AND stanzaid=?2 AND (?3='' OR IFNULL(archiveid,'')=''))) LIMIT 1";
constexpr const char* SELECT_LAST_ARCHIVE_ID =
    "SELECT archiveid FROM messagetable WHERE messagetype IN (0,3) AND archiveid<>'' ORDER BY rowid DESC LIMIT 1";
constexpr const char* SELECT_LAST_RECEIVED =
    "SELECT * FROM messagetable WHERE messagetype IN (0,3) ORDER BY timestamp DESC,rowid DESC LIMIT 1";
constexpr const char* SELECT_UNREAD_COUNTS =
    "SELECT otheruserid,count(*) FROM messagetable WHERE messagetype=0 GROUP BY otheruserid";

constexpr const char* COUNT_WITH_USER = "SELECT count(*) FROM messagetable WHERE otheruserid=?";
constexpr const char* COUNT_UNREAD_WITH_USER =
    "SELECT count(*) FROM messagetable WHERE messagetype=0 AND otheruserid=?";
constexpr const char* COUNT_UNREAD = "SELECT count(*) FROM messagetable WHERE messagetype=0";

constexpr const char* MARK_USER_READ = "UPDATE messagetable SET messagetype=3 WHERE messagetype=0 AND otheruserid=?";
constexpr const char* MARK_MESSAGE_READ = "UPDATE messagetable SET messagetype=3 WHERE messageid=?";
constexpr const char* UPDATE_STATUS =
    "UPDATE messagetable SET messagetype=?,protocolid=?,timestamp=? WHERE messageid=?";
constexpr const char* UPDATE_SENDING_STATUS =
    "UPDATE messagetable SET messagetype=?,protocolid=?,timestamp=? WHERE messageid=? AND messagetype=1";
constexpr const char* DELETE_BY_ID = "DELETE FROM messagetable WHERE messageid=?";
constexpr const char* DELETE_WITH_USER = "DELETE FROM messagetable WHERE otheruserid=?";
constexpr const char* DELETE_ALL = "DELETE FROM messagetable";

}  // namespace

const char* const MessageDatabase::dbLocation = "/Home/gtalkmessage.db";

IMString MessageDatabase::getDBLocation() { return IMString(dbLocation); }

MessageDatabase::MessageDatabase()
    : StoreTable(dbLocation,
                 {CREATE_TABLE, {"messagetable", "archiveid", ADD_ARCHIVE_ID}, {"messagetable", "stanzaid", ADD_STANZA_ID},
                  CREATE_ID_INDEX, CREATE_USER_INDEX, DROP_FULL_ARCHIVE_INDEX, CREATE_ARCHIVE_INDEX, CREATE_STANZA_INDEX,
                  CREATE_SENDING_INDEX,
                  CREATE_SEARCH_KEYS, CREATE_SPILLED_INDEX, CREATE_SEARCH_FILL,
                  SchemaStep::DerivedTable(SEARCH_TABLE, CREATE_SEARCH, MARK_SEARCH_UNFILLED), EMPTY_EARLIER_INDEX,
                  EMPTY_EARLIER_KEYS, RESTART_EARLIER_FILL, DROP_INSERT_TRIGGER, MARK_SEARCH_FILLED, CREATE_SEARCH_ROW_VIEW,
                  CREATE_SEARCH_INDEXED_VIEW, CREATE_SEARCH_INPUT_VIEW,
                  CREATE_SEARCH_INPUT_TRIGGER, CREATE_DELETE_TRIGGER, CREATE_LOWER_FILL_TRIGGER, CREATE_UNINDEX_TRIGGER,
                  DROP_OLD_REINDEX_TRIGGER, CREATE_REINDEX_TRIGGER})
{
}

MessageDatabase::~MessageDatabase() = default;

SqlParameters MessageDatabase::BindValues(Message* message)
{
    SqlParameters values;
    values.Text(message->GetOtherUserId())
        .Int(message->GetMessageType())
        .Text(message->GetMessage())
        .Text(message->GetProtocolId())
        .Time(message->GetTimeStamp())
        .Flag(message->IsOfflineMessage())
        .Int64(message->GetMessageId())
        .Text(message->GetArchiveId())
        .Text(message->GetStanzaId());
    return values;
}

Message* MessageDatabase::CreateStoredMessage(const Ixa::Io::DbEnumerator& row)
{
    Message* message = CreateMessageObject(row);
    message->SetArchiveId(TextAt(row, 7));
    message->SetStanzaId(TextAt(row, 8));
    return message;
}

Message* MessageDatabase::CreateMessageObject(const Ixa::Io::DbEnumerator& row)
{
    auto message = new MessageImpl();
    message->SetOtherUserId(TextAt(row, 0));
    message->SetMessageType(IntAt(row, 1));
    message->SetMessage(TextAt(row, 2));
    message->SetProtocolId(TextAt(row, 3));
    message->SetTimeStamp(TimeAt(row, 4));
    message->SetOfflineMessage(FlagAt(row, 5));
    message->SetMessageId(Int64At(row, 6));
    return message;
}

Ixa::Base::String* MessageDatabase::CreateUserIdObject(const Ixa::Io::DbEnumerator& row)
{
    return new Ixa::Base::String(TextAt(row, 0));
}

// One statement, so the write is atomic without a transaction of its own.
bool MessageDatabase::SaveOrUpdate(Message* message)
{
    return message != nullptr && Execute(SAVE_MESSAGE, BindValues(message));
}

ArrayList* MessageDatabase::GetAllUserIds() { return QueryList(SELECT_USER_IDS, SqlParameters(), CreateUserIdObject); }

ArrayList* MessageDatabase::GetSendingMessages()
{
    return QueryList(SELECT_SENDING, SqlParameters(), CreateStoredMessage);
}

bool MessageDatabase::DeleteDatabase() { return DeleteAllChats(); }

ArrayList* MessageDatabase::GetMessagesWithUser(const Ixa::Base::String& user, bool keepUnread)
{
    if (!BeginTransaction()) {
        return nullptr;
    }
    std::unique_ptr<ArrayList> messages(QueryList(SELECT_WITH_USER, SqlParameters().Text(user), CreateStoredMessage));
    if (messages == nullptr || (!keepUnread && !Execute(MARK_USER_READ, SqlParameters().Text(user)))) {
        RollbackTransaction();
        if (messages != nullptr) {
            messages->RemoveAll(true);
        }
        return nullptr;
    }
    if (!CommitTransaction()) {
        messages->RemoveAll(true);
        return nullptr;
    }
    return messages.release();
}

ArrayList* MessageDatabase::SearchMessages(const IMString& typed, int limit)
{
    IndexSearchStep(SEARCH_CATCH_UP_ROWS);
    return QuerySearch(SEARCH_MESSAGES, typed, limit, CreateStoredMessage);
}

double MessageDatabase::IndexSearchStep(int rows)
{
    const long long next = QueryInt64(SELECT_FILL_ROW, SqlParameters());
    const long long end = next < 0 ? -1 : QueryInt64(SELECT_FILL_STEP_END, SqlParameters().Int64(next).Int(rows));
    if (end < 0) {
        return next < 0 ? -1.0 : 1.0;
    }
    if (!BeginTransaction()) {
        return -1.0;
    }
    if (!Execute(FILL_SEARCH_STEP, SqlParameters().Int64(next).Int64(end)) ||
        !Execute(SET_FILL_ROW, SqlParameters().Int64(end))) {
        RollbackTransaction();
        return -1.0;
    }
    return CommitTransaction() ? SearchIndexShare() : -1.0;
}

double MessageDatabase::SearchIndexShare()
{
    const long long indexed = QueryInt64(SELECT_FILL_ROW, SqlParameters());
    const long long largest = QueryInt64(SELECT_LARGEST_ROW, SqlParameters());
    if (indexed < 0 || largest < 0) {
        return -1.0;
    }
    return indexed >= largest ? 1.0 : std::min(0.999, static_cast<double>(indexed) / static_cast<double>(largest));
}

bool MessageDatabase::IsSearchIndexComplete() { return IsOpened() && SearchIndexShare() == 1.0; }

Message* MessageDatabase::GetLastMessageWithUser(const Ixa::Base::String& user)
{
    return QueryFirst(SELECT_LAST_WITH_USER, SqlParameters().Text(user), CreateStoredMessage);
}

Message* MessageDatabase::FindMessageById(long long messageId)
{
    return QueryFirst(SELECT_BY_ID, SqlParameters().Int64(messageId), CreateStoredMessage);
}

long long MessageDatabase::GetLargestMessageId() { return QueryInt64(SELECT_LARGEST_ID, SqlParameters()); }

Message* MessageDatabase::FindReceivedMessage(const IMString& sender, const IMString& stanzaId, const IMString& archiveId)
{
    return QueryFirst(SELECT_RECEIVED_DUPLICATE, SqlParameters().Text(sender).Text(stanzaId).Text(archiveId),
        CreateStoredMessage);
}

IMString MessageDatabase::GetLastArchiveId()
{
    bool failed = false;
    std::unique_ptr<Ixa::Io::DbEnumerator> rows = Query(SELECT_LAST_ARCHIVE_ID, SqlParameters(), failed);
    if (rows == nullptr || Ixa::IsFailed(rows->MoveNext())) {
        return IMString();
    }
    return TextAt(*rows, 0);
}

Message* MessageDatabase::GetLastReceivedMessage()
{
    return QueryFirst(SELECT_LAST_RECEIVED, SqlParameters(), CreateStoredMessage);
}

bool MessageDatabase::IsChatPresentWithUser(const Ixa::Base::String& user)
{
    return QueryInt(COUNT_WITH_USER, SqlParameters().Text(user)) > 0;
}

int MessageDatabase::GetNumUnreadMessagesWithUser(const Ixa::Base::String& user)
{
    return QueryInt(COUNT_UNREAD_WITH_USER, SqlParameters().Text(user));
}

int MessageDatabase::GetTotalUnreadMessages() { return QueryInt(COUNT_UNREAD, SqlParameters()); }

bool MessageDatabase::UpdateMessageStatus(const Ixa::Base::String& user)
{
    return Execute(MARK_USER_READ, SqlParameters().Text(user));
}

bool MessageDatabase::UpdateMessageStatus(Message* message)
{
    return message != nullptr && Execute(MARK_MESSAGE_READ, SqlParameters().Int64(message->GetMessageId()));
}

bool MessageDatabase::updateByMessageId(Message* message) { return updateStatus(UPDATE_STATUS, message); }

bool MessageDatabase::updateSendingMessage(Message* message) { return updateStatus(UPDATE_SENDING_STATUS, message); }

bool MessageDatabase::updateStatus(const char* sql, Message* message)
{
    if (message == nullptr) {
        return false;
    }
    SqlParameters values;
    values.Int(message->GetMessageType())
        .Text(message->GetProtocolId())
        .Time(message->GetTimeStamp())
        .Int64(message->GetMessageId());
    return Execute(sql, values) && GetChangedRowCount() > 0;
}

bool MessageDatabase::DeleteMessage(long long messageId) { return Execute(DELETE_BY_ID, SqlParameters().Int64(messageId)); }

bool MessageDatabase::DeleteChatsWithUser(const Ixa::Base::String& user)
{
    return Execute(DELETE_WITH_USER, SqlParameters().Text(user));
}

bool MessageDatabase::DeleteAllChats() { return Execute(DELETE_ALL); }

HashMap* MessageDatabase::GetUnreadMessages()
{
    bool failed = false;
    std::unique_ptr<Ixa::Io::DbEnumerator> rows = Query(SELECT_UNREAD_COUNTS, SqlParameters(), failed);
    if (failed) {
        return nullptr;
    }
    auto unread = new HashMap();
    unread->Construct(16, 0.75f);
    while (rows != nullptr && Ixa::IsSucceeded(rows->MoveNext())) {
        unread->Add(CreateUserIdObject(*rows), new Ixa::Base::Integer(IntAt(*rows, 1)));
    }
    return unread;
}
