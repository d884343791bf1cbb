#include "platform/Database.h"
#include "foundation/IMSystemTime.h"
#include "platform/Integer.h"
#include "platform/LongLong.h"
#include "store/MessageModel.h"
#include "store/SavedMessagesModel.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

using Ixa::Base::String;
using Ixa::Base::Collection::ArrayList;
using Ixa::Base::Collection::HashMap;

namespace {

struct OwnedListDeleter {
    void operator()(ArrayList* list) const
    {
        list->RemoveAll(true);
        delete list;
    }
};
using OwnedList = std::unique_ptr<ArrayList, OwnedListDeleter>;

IMDateTime At(int minute, int millisecond = 0)
{
    IMDateTime time;
    time.SetValue(2024, 5, 6, 7, minute, 0, millisecond);
    return time;
}

Message* Received(MessageModel& model, const char* user, const char* text, const IMDateTime& time)
{
    Message* message = model.CreateMessage();
    message->SetOtherUserId(IMString(user));
    message->SetMessage(IMString(text));
    message->SetMessageType(Message::TYPE_RECEIVED_UNREAD);
    message->SetTimeStamp(time);
    return message;
}

void Store(MessageModel& model, const char* user, const char* text, const IMDateTime& time, int type = 0)
{
    std::unique_ptr<Message> message(Received(model, user, text, time));
    message->SetMessageType(type);
    ASSERT_TRUE(model.SaveOrUpdate(message.get()));
}

// The texts of a message list, joined by ",".
std::string Texts(ArrayList* list)
{
    std::string texts;
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        texts += (i > 0 ? "," : "") + static_cast<Message*>(list->GetAt(i))->GetMessage().ToUtf8();
    }
    return texts;
}

std::string Strings(ArrayList* list)
{
    std::string joined;
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        joined += (i > 0 ? "," : "") + static_cast<String*>(list->GetAt(i))->ToUtf8();
    }
    return joined;
}

// The minute past the hour of the received message found, or -1 when none is.
int Found(MessageModel& model, const IMString& sender, const IMString& stanzaId, const IMString& archiveId)
{
    std::unique_ptr<Message> found(model.FindReceivedMessage(sender, stanzaId, archiveId));
    if (found == nullptr) {
        return -1;
    }
    return found->GetTimeStamp().GetMinute();
}

class MessageStoreTest : public testing::Test {
protected:
    TempDataDir dir_;
    std::unique_ptr<MessageModel> model_{MessageModel::GetInstance()};
};

// The entries of an index of the message file, as text; "" when there is no such index.
std::string IndexEntries(const char* index)
{
    Ixa::Io::Database raw;
    if (Ixa::IsFailed(raw.Construct(String("/Home/gtalkmessage.db"), false))) {
        return "no file";
    }
    const std::string sql = std::string("SELECT sum(ncell) FROM dbstat WHERE pagetype='leaf' AND name='") + index + "'";
    std::unique_ptr<Ixa::Io::DbEnumerator> rows(raw.QueryN(String(sql.c_str())));
    String value;
    if (rows == nullptr || Ixa::IsFailed(rows->MoveNext()) || Ixa::IsFailed(rows->GetStringAt(0, value))) {
        return "";
    }
    return value.ToUtf8();
}

void RunSql(const char* sql)
{
    Ixa::Io::Database raw;
    ASSERT_EQ(raw.Construct(String("/Home/gtalkmessage.db"), false), Ixa::E_SUCCESS);
    ASSERT_EQ(raw.ExecuteSql(String(sql), true), Ixa::E_SUCCESS) << sql;
}

}  // namespace

TEST_F(MessageStoreTest, ReadingAConversationMarksItReadUnlessAskedToKeepItUnread)
{
    MessageModel& model = *model_;
    Store(model, "ann@x", "second", At(2));
    Store(model, "ann@x", "first", At(1));
    Store(model, "ann@x", "mine", At(3), Message::TYPE_SENT);
    Store(model, "bob@x", "hi", At(4));
    EXPECT_EQ(model.GetTotalUnreadMessages(), 3);
    EXPECT_EQ(model.GetNumUnreadMessagesWithUser(String("ann@x")), 2);

    EXPECT_EQ(Texts(OwnedList(model.GetAllMessagesWithUser(String("ann@x"), true)).get()), "first,second,mine");
    EXPECT_EQ(model.GetNumUnreadMessagesWithUser(String("ann@x")), 2);

    std::unique_ptr<HashMap> unread(model.GetUnreadMessages());
    ASSERT_NE(unread, nullptr);
    EXPECT_EQ(unread->GetCount(), 2);
    auto annCount = static_cast<Ixa::Base::Integer*>(unread->GetValue(String("ann@x")));
    ASSERT_NE(annCount, nullptr);
    EXPECT_EQ(annCount->ToInt(), 2);
    unread->RemoveAll(true);

    OwnedList read(model.GetAllMessagesWithUser(String("ann@x"), false));
    EXPECT_EQ(Texts(read.get()), "first,second,mine");
    EXPECT_EQ(static_cast<Message*>(read->GetAt(0))->GetMessageType(), Message::TYPE_RECEIVED_UNREAD)
        << "the list shows the messages as they were before the reading";
    EXPECT_EQ(model.GetNumUnreadMessagesWithUser(String("ann@x")), 0);
    EXPECT_EQ(model.GetTotalUnreadMessages(), 1);
    OwnedList again(model.GetAllMessagesWithUser(String("ann@x"), true));
    EXPECT_EQ(static_cast<Message*>(again->GetAt(0))->GetMessageType(), Message::TYPE_RECEIVED_READ);
    EXPECT_EQ(static_cast<Message*>(again->GetAt(2))->GetMessageType(), Message::TYPE_SENT);

    EXPECT_TRUE(model.UpdateMessageStatus(String("bob@x")));
    unread.reset(model.GetUnreadMessages());
    ASSERT_NE(unread, nullptr);
    EXPECT_EQ(unread->GetCount(), 0);

    EXPECT_EQ(model.GetAllMessagesWithUser(String(), false), nullptr);
    EXPECT_EQ(model.GetNumUnreadMessagesWithUser(String()), -1);
    EXPECT_EQ(Texts(OwnedList(model.GetAllMessagesWithUser(String("nobody@x"), false)).get()), "");
}

TEST_F(MessageStoreTest, ConversationsAreListedByTheirNewestMessage)
{
    MessageModel& model = *model_;
    Store(model, "old@x", "a", At(1));
    Store(model, "mid@x", "b", At(2));
    Store(model, "new@x", "c", At(3));
    Store(model, "old@x", "d", At(4));
    Store(model, "mid@x", "e", At(5, 1));
    Store(model, "new@x", "f", At(5, 0));
    EXPECT_EQ(Strings(OwnedList(model.GetAllUserIds()).get()), "mid@x,new@x,old@x");

    std::unique_ptr<Message> last(model.GetLastMessageWithUser(String("old@x")));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetMessage(), IMString("d"));
    EXPECT_EQ(last->GetTimeStamp(), At(4));

    EXPECT_TRUE(model.IsChatPresentWithUser(String("new@x")));
    EXPECT_TRUE(model.DeleteChatsWithUser(String("new@x")));
    EXPECT_FALSE(model.IsChatPresentWithUser(String("new@x")));
    EXPECT_EQ(Strings(OwnedList(model.GetAllUserIds()).get()), "mid@x,old@x");

    Ixa::Io::Database raw;
    ASSERT_EQ(raw.Construct(String("/Home/gtalkmessage.db"), false), Ixa::E_SUCCESS);
    std::unique_ptr<Ixa::Io::DbEnumerator> row(
        raw.QueryN(String("SELECT timestamp FROM messagetable WHERE message='e'")));
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->MoveNext(), Ixa::E_SUCCESS);
    String stored;
    row->GetStringAt(0, stored);
    EXPECT_EQ(stored, String("2024-05-06T07:05:00.001Z"));
}

TEST_F(MessageStoreTest, MessagesMadeInOneMillisecondKeepDistinctIds)
{
    MessageModel& model = *model_;
    std::set<long long> ids;
    for (int i = 0; i < 500; ++i) {
        std::unique_ptr<Message> message(Received(model, "ann@x", std::to_string(i).c_str(), At(1)));
        ids.insert(message->GetMessageId());
        ASSERT_TRUE(model.SaveOrUpdate(message.get()));
    }
    EXPECT_EQ(ids.size(), 500u);
    EXPECT_EQ(model.GetTotalUnreadMessages(), 500);
    EXPECT_EQ(Texts(OwnedList(model.GetAllMessagesWithUser(String("ann@x"), true)).get()).substr(0, 12), "0,1,2,3,4,5,")
        << "messages of one millisecond keep the order they were stored in";
}

// An earlier run filed messages under the ids this run's clock is about to give (its clock
// was ahead and has since been set back; the ids of the next seconds, in the 64-bit form and
// in the 32-bit form ids once had). New messages after the restart take ids of their own:
// every earlier row stays, and every new message gets a row.
TEST_F(MessageStoreTest, IdsStayUniqueAcrossARestartAndAClockSetBack)
{
    constexpr int Earlier = 3000;
    long long now = 0;
    IMSystemTime::GetTicks(now);
    {
        Ixa::Io::Database raw;
        ASSERT_EQ(raw.Construct(String("/Home/gtalkmessage.db"), false), Ixa::E_SUCCESS);
        std::unique_ptr<Ixa::Io::DbStatement> insert(raw.CreateStatementN(String(
            "INSERT INTO messagetable(otheruserid,messagetype,message,protocolid,timestamp,isofflinemessage,messageid)"
            " VALUES('earlier@x',3,'earlier','','2024-05-06T07:00:00.000Z',0,?)")));
        ASSERT_NE(insert, nullptr);
        ASSERT_EQ(raw.BeginTransaction(), Ixa::E_SUCCESS);
        for (long long tick = now; tick < now + Earlier; ++tick) {
            for (long long id : {tick, static_cast<long long>(Ixa::Base::LongLong(tick).GetHashCode())}) {
                ASSERT_EQ(insert->BindInt64(0, id), Ixa::E_SUCCESS);
                std::unique_ptr<Ixa::Io::DbEnumerator> done(raw.ExecuteStatementN(*insert));
            }
        }
        ASSERT_EQ(raw.CommitTransaction(), Ixa::E_SUCCESS);
    }
    model_.reset();
    model_.reset(MessageModel::GetInstance());
    const std::unique_ptr<Message> bigId(model_->CreateMessage());
    EXPECT_GT(bigId->GetMessageId(), now + Earlier - 1) << "past every stored id";

    std::set<long long> ids;
    for (int i = 0; i < 200; ++i) {
        std::unique_ptr<Message> message(Received(*model_, "ann@x", std::to_string(i).c_str(), At(1)));
        ids.insert(message->GetMessageId());
        ASSERT_TRUE(model_->SaveOrUpdate(message.get()));
    }
    EXPECT_EQ(ids.size(), 200u);
    EXPECT_EQ(OwnedList(model_->GetAllMessagesWithUser(String("earlier@x"), true))->GetCount(), 2 * Earlier);
    EXPECT_EQ(OwnedList(model_->GetAllMessagesWithUser(String("ann@x"), true))->GetCount(), 200);
    std::unique_ptr<Message> last(model_->FindMessageById(*ids.rbegin()));
    ASSERT_NE(last, nullptr) << "a 64-bit id finds its row";
    EXPECT_EQ(last->GetMessageId(), *ids.rbegin());
}

TEST_F(MessageStoreTest, SavingTwiceUpdatesAndStatusUpdatesFindTheirRow)
{
    MessageModel& model = *model_;
    std::unique_ptr<Message> sent(Received(model, "ann@x", "draft", At(1)));
    sent->SetMessageType(Message::TYPE_SENDING);
    ASSERT_TRUE(model.SaveOrUpdate(sent.get()));
    sent->SetMessage(IMString("it's \"final\" \\ 100%"));
    ASSERT_TRUE(model.SaveOrUpdate(sent.get()));
    EXPECT_EQ(Texts(OwnedList(model.GetAllMessagesWithUser(String("ann@x"), true)).get()), "it's \"final\" \\ 100%");

    std::unique_ptr<Message> stored(model.FindMessageById(sent->GetMessageId()));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetMessageId(), sent->GetMessageId());
    stored->SetMessageType(Message::TYPE_SENT);
    stored->SetProtocolId(IMString("p'1"));
    stored->SetTimeStamp(At(9));
    EXPECT_TRUE(model.updateByMessageId(stored.get()));
    std::unique_ptr<Message> updated(model.FindMessageById(sent->GetMessageId()));
    EXPECT_EQ(updated->GetMessageType(), Message::TYPE_SENT);
    EXPECT_EQ(updated->GetProtocolId(), IMString("p'1"));
    EXPECT_EQ(updated->GetTimeStamp(), At(9));
    EXPECT_EQ(updated->GetMessage(), IMString("it's \"final\" \\ 100%"));

    std::unique_ptr<Message> stranger(model.CreateMessage());
    stranger->SetMessageId(12345);
    EXPECT_FALSE(model.updateByMessageId(stranger.get()));

    std::unique_ptr<Message> incoming(Received(model, "bob@x", "hey", At(2)));
    ASSERT_TRUE(model.SaveOrUpdate(incoming.get()));
    EXPECT_TRUE(model.UpdateMessageStatus(incoming.get()));
    EXPECT_EQ(model.GetNumUnreadMessagesWithUser(String("bob@x")), 0);

    EXPECT_TRUE(model.DeleteMessageByMessageId(sent->GetMessageId()));
    EXPECT_EQ(model.FindMessageById(sent->GetMessageId()), nullptr);
    EXPECT_TRUE(model.DeleteDatabase());
    EXPECT_FALSE(model.IsChatPresentWithUser(String("bob@x")));
}

TEST_F(MessageStoreTest, ReceivedMessagesStoredAsABatchSurviveReopen)
{
    ASSERT_TRUE(model_->BeginBatch());
    for (int i = 0; i < 50; ++i) {
        Store(*model_, "ann@x", "m", At(i % 60));
    }
    ASSERT_TRUE(model_->EndBatch());
    model_.reset();
    model_.reset(MessageModel::GetInstance());
    EXPECT_EQ(model_->GetTotalUnreadMessages(), 50);
}

TEST_F(MessageStoreTest, ThreeThreadsWritingAndReadingStayConsistent)
{
    constexpr int PER_THREAD = 80;
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([t] {
            MessageModel* model = MessageModel::GetInstance();
            std::string user = "user" + std::to_string(t) + "@x";
            for (int i = 0; i < PER_THREAD; ++i) {
                Store(*model, user.c_str(), "text", At(i % 60, t));
                if (i % 8 == 7) {
                    OwnedList read(model->GetAllMessagesWithUser(String(user.c_str()), false));
                    EXPECT_EQ(read->GetCount(), i + 1);
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(model_->GetTotalUnreadMessages(), 0);
    EXPECT_EQ(OwnedList(model_->GetAllUserIds())->GetCount(), 3);
    for (int t = 0; t < 3; ++t) {
        std::string user = "user" + std::to_string(t) + "@x";
        EXPECT_EQ(OwnedList(model_->GetAllMessagesWithUser(String(user.c_str()), true))->GetCount(), PER_THREAD);
    }
}

TEST(SavedMessagesTest, ACopyIsStoredWholeUnderItsKeyAndProtectionGuardsIt)
{
    TempDataDir dir;
    std::unique_ptr<MessageModel> messages(MessageModel::GetInstance());
    std::unique_ptr<SavedMessagesModel> saved(SavedMessagesModel::GetInstance());
    const char* texts[] = {"one", "two", "it's", "\U0001F600", "five"};
    for (int i = 0; i < 5; ++i) {
        Store(*messages, "ann@x", texts[i], At(10 + i));
    }
    String key("ann_2024-05-06T08:00:00.000Z");
    ASSERT_TRUE(saved->SaveAllMessagesWithUser(messages->GetAllMessagesWithUser(String("ann@x"), true), key));
    EXPECT_EQ(messages->GetNumUnreadMessagesWithUser(String("ann@x")), 5) << "saving reads nothing";
    String otherKey("ann_2024-05-06T09:00:00.000Z");
    ASSERT_TRUE(saved->SaveAllMessagesWithUser(messages->GetAllMessagesWithUser(String("ann@x"), true), otherKey));

    EXPECT_EQ(
        Strings(OwnedList(saved->GetAllUserIds()).get()), "ann_2024-05-06T08:00:00.000Z,ann_2024-05-06T09:00:00.000Z");
    OwnedList copy(saved->GetAllMessagesWithUser(key));
    EXPECT_EQ(Texts(copy.get()), "one,two,it's,\U0001F600,five");
    EXPECT_EQ(static_cast<Message*>(copy->GetAt(4))->GetUserid_TimeStamp(), key);
    std::unique_ptr<Message> last(saved->GetLastMessageWithUserTimestamp(key));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetMessage(), IMString("five"));
    std::unique_ptr<String> user(saved->GetUserIdFromTimeStampId(key));
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(*user, String("ann@x"));

    EXPECT_FALSE(saved->IsConversationProtectedWithUser(key));
    EXPECT_TRUE(saved->ProtectConversation(key));
    EXPECT_TRUE(saved->IsConversationProtectedWithUser(key));
    EXPECT_FALSE(saved->IsConversationProtectedWithUser(otherKey));
    EXPECT_TRUE(saved->UnProtectConversation(key));
    EXPECT_FALSE(saved->IsConversationProtectedWithUser(key));

    EXPECT_TRUE(saved->DeleteSavedConversation(otherKey));
    EXPECT_EQ(Strings(OwnedList(saved->GetAllUserIds()).get()), "ann_2024-05-06T08:00:00.000Z");

    saved.reset();
    saved.reset(SavedMessagesModel::GetInstance());
    EXPECT_EQ(OwnedList(saved->GetAllMessagesWithUser(key))->GetCount(), 5);
    EXPECT_EQ(saved->GetAllMessagesWithUser(String()), nullptr);
    EXPECT_FALSE(saved->ProtectConversation(String()));
    EXPECT_FALSE(saved->SaveAllMessagesWithUser(nullptr, key));
    auto list = new ArrayList();
    list->Add(saved->CreateMessage());
    EXPECT_FALSE(saved->SaveAllMessagesWithUser(list, String())) << "the list is taken and freed all the same";
}

// A file made before received messages kept their ids: the store adds the two columns on
// opening, keeps every old row, and files and finds the ids of new rows.
TEST_F(MessageStoreTest, AnOldFileGetsTheIdColumnsAndKeepsItsRows)
{
    model_.reset();
    {
        Ixa::Io::Database raw;
        ASSERT_EQ(raw.Construct(String("/Home/gtalkmessage.db"), true), Ixa::E_SUCCESS);
        ASSERT_EQ(raw.ExecuteSql(String("DROP TABLE messagetable"), true), Ixa::E_SUCCESS);
        ASSERT_EQ(raw.ExecuteSql(String("CREATE TABLE messagetable(otheruserid NTEXT,messagetype INTEGER,"
                                         "message NTEXT,protocolid NTEXT,timestamp DATETIME,isofflinemessage INTEGER,"
                                         "messageid INTEGER)"), true), Ixa::E_SUCCESS);
        ASSERT_EQ(raw.ExecuteSql(String("INSERT INTO messagetable VALUES('old@x',0,'before','old',"
                                         "'2024-05-06T07:03:00.000Z',0,7)"), true), Ixa::E_SUCCESS);
    }
    model_.reset(MessageModel::GetInstance());
    ASSERT_TRUE(model_->CheckOpenDB());
    std::unique_ptr<Message> old(model_->FindMessageById(7));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->GetMessage(), IMString("before"));
    EXPECT_TRUE(old->GetArchiveId().IsEmpty());
    EXPECT_EQ(model_->GetLastArchiveId(), IMString()) << "an old row has no archive id";
    IMDateTime last;
    ASSERT_TRUE(model_->GetLastReceivedTime(last));
    EXPECT_EQ(last, At(3));

    std::unique_ptr<Message> fresh(Received(*model_, "new@x", "after", At(4)));
    fresh->SetArchiveId(IMString("A1"));
    fresh->SetStanzaId(IMString("s1"));
    ASSERT_TRUE(model_->SaveOrUpdate(fresh.get()));
    model_.reset();
    model_.reset(MessageModel::GetInstance());
    std::unique_ptr<Message> reread(model_->FindMessageById(fresh->GetMessageId()));
    ASSERT_NE(reread, nullptr) << "a second opening does not add the columns again";
    EXPECT_EQ(reread->GetArchiveId(), IMString("A1"));
    EXPECT_EQ(reread->GetStanzaId(), IMString("s1"));
    EXPECT_EQ(OwnedList(model_->GetAllMessagesWithUser(String("old@x"), true))->GetCount(), 1);
}

// A received message counts as stored again by its archive id, or by its sender and stanza
// id (against a row without an archive id, when it has one); sent messages and empty ids
// never match. The last archive id is that of the
// received message stored last, and the last received time ignores sent messages.
TEST_F(MessageStoreTest, ReceivedMessagesAreFoundByArchiveIdOrBySenderAndStanzaId)
{
    MessageModel& model = *model_;
    EXPECT_EQ(model.GetLastArchiveId(), IMString());
    IMDateTime none;
    EXPECT_FALSE(model.GetLastReceivedTime(none)) << "an empty store has nothing to catch up from";

    auto store = [&](const char* user, int minute, const char* stanzaId, const char* archiveId, int type) {
        std::unique_ptr<Message> message(Received(model, user, "m", At(minute)));
        message->SetMessageType(type);
        message->SetStanzaId(IMString(stanzaId));
        message->SetArchiveId(IMString(archiveId));
        ASSERT_TRUE(model.SaveOrUpdate(message.get()));
    };
    store("ann@x", 5, "s1", "A2", Message::TYPE_RECEIVED_UNREAD);
    store("ann@x", 2, "s2", "A1", Message::TYPE_RECEIVED_READ);
    store("bob@x", 9, "s3", "", Message::TYPE_SENT);
    store("bob@x", 1, "s4", "", Message::TYPE_RECEIVED_UNREAD);

    EXPECT_EQ(Found(model, IMString("ann@x"), IMString("s1"), IMString()), 5);
    EXPECT_EQ(Found(model, IMString("zed@x"), IMString(), IMString("A1")), 2);
    EXPECT_EQ(Found(model, IMString("bob@x"), IMString("s4"), IMString("A9")), 1)
        << "a row stored without an archive id is found by sender and stanza id";
    EXPECT_EQ(-1, Found(model, IMString("ann@x"), IMString("s1"), IMString("A7")))
        << "archived under another id, it is another message that reused the sender's id";
    EXPECT_EQ(-1, Found(model, IMString("bob@x"), IMString("s1"), IMString()))
        << "a stanza id counts only with its sender";
    EXPECT_EQ(-1, Found(model, IMString("bob@x"), IMString("s3"), IMString()))
        << "a sent message is no received one";
    EXPECT_EQ(-1, Found(model, IMString("bob@x"), IMString(), IMString()));
    EXPECT_EQ(-1, Found(model, IMString("ann@x"), IMString(), IMString("A3")));

    EXPECT_EQ(model.GetLastArchiveId(), IMString("A1")) << "stored last, though older in time";
    IMDateTime last;
    ASSERT_TRUE(model.GetLastReceivedTime(last));
    EXPECT_EQ(last, At(5)) << "the sent message at minute 9 does not count";

    EXPECT_EQ(IndexEntries("messagetable_archived"), "2") << "only rows with an archive id are in the archive index";
    model_.reset();
    RunSql("DROP INDEX messagetable_archived");
    RunSql("CREATE INDEX messagetable_archive ON messagetable(archiveid)");
    model_.reset(MessageModel::GetInstance());
    ASSERT_TRUE(model_->CheckOpenDB());
    EXPECT_EQ(IndexEntries("messagetable_archive"), "") << "the index over every row is gone";
    EXPECT_EQ(IndexEntries("messagetable_archived"), "2");
    EXPECT_EQ(Found(*model_, IMString("zed@x"), IMString(), IMString("A1")), 2);
}
