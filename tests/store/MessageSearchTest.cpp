#include "platform/Database.h"
#include "store/MessageModel.h"
#include "store/SavedMessagesModel.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using Ixa::Base::String;
using Ixa::Base::Collection::ArrayList;

namespace {

constexpr int LIMIT = 50;
constexpr const char* MESSAGES = "/Home/gtalkmessage.db";
constexpr const char* SAVED = "/Home/gtalksavedmessages.db";

IMDateTime At(int minute)
{
    IMDateTime time;
    time.SetValue(2024, 5, 6, 7, minute, 0, 0);
    return time;
}

// The first column of the query's first row on a connection of its own, "" when none.
std::string Scalar(const char* sql, const char* file = MESSAGES)
{
    Ixa::Io::Database raw;
    if (Ixa::IsFailed(raw.Construct(String(file), false))) {
        return "no file";
    }
    std::unique_ptr<Ixa::Io::DbEnumerator> rows(raw.QueryN(String(sql)));
    String value;
    if (rows == nullptr || Ixa::IsFailed(rows->MoveNext()) || Ixa::IsFailed(rows->GetStringAt(0, value))) {
        return "";
    }
    return value.ToUtf8();
}

void RunSql(const char* sql, const char* file = MESSAGES)
{
    Ixa::Io::Database raw;
    ASSERT_EQ(raw.Construct(String(file), false), Ixa::E_SUCCESS);
    ASSERT_EQ(raw.ExecuteSql(String(sql), true), Ixa::E_SUCCESS) << sql;
}

// Fails unless the index is consistent in itself (the message index keeps no texts to
// compare with; IndexContents compares it with one built afresh).
constexpr const char* INTEGRITY_CHECK = "INSERT INTO messagesearch(messagesearch) VALUES('integrity-check')";

// What a file made before the message index existed has none of.
constexpr const char* SEARCH_SCHEMA[] = {
    "DROP TRIGGER messagesearch_lowerfill", "DROP TRIGGER messagesearch_delete", "DROP TRIGGER messagesearch_unindex",
    "DROP TRIGGER messagesearch_refresh",   "DROP VIEW messagesearchinput",      "DROP VIEW messagesearchindexed",
    "DROP VIEW messagesearchrow",           "DROP TABLE messagesearch",          "DROP TABLE messagesearchkey",
    "DROP TABLE messagesearchfill"};

// The triggers with which an earlier version indexed every message as it was stored or changed.
constexpr const char* EARLIER_TRIGGERS[] = {
    "CREATE TRIGGER messagesearch_insert AFTER INSERT ON messagetable BEGIN "
    "INSERT INTO messagesearchinput VALUES(new.messageid); END",
    "DROP TRIGGER messagesearch_refresh",
    "CREATE TRIGGER messagesearch_reindex AFTER UPDATE OF message,messageid,timestamp ON messagetable "
    "BEGIN INSERT INTO messagesearchinput VALUES(new.messageid); END"};

constexpr const char* SAVED_INTEGRITY_CHECK =
    "INSERT INTO savedmessagesearch(savedmessagesearch,rank) VALUES('integrity-check',1)";

// Every term of the index with the message and position it stands at.
std::string IndexContents(const char* file = MESSAGES, const char* index = "messagesearch")
{
    Ixa::Io::Database raw;
    const std::string terms = std::string("CREATE VIRTUAL TABLE temp.terms USING fts5vocab(main,") + index + ",instance)";
    if (Ixa::IsFailed(raw.Construct(String(file), false)) || Ixa::IsFailed(raw.ExecuteSql(String(terms.c_str()), true))) {
        return "no index";
    }
    std::unique_ptr<Ixa::Io::DbEnumerator> rows(
        raw.QueryN(String("SELECT term||'@'||doc||':'||offset FROM terms ORDER BY term,doc,offset")));
    std::string contents;
    String value;
    while (rows != nullptr && Ixa::IsSucceeded(rows->MoveNext())) {
        rows->GetStringAt(0, value);
        contents += value.ToUtf8() + " ";
    }
    return contents;
}

class MessageSearchTest : public testing::Test {
protected:
    long long Store(const char* user, const char* text, int minute) { return StoreAt(user, text, At(minute)); }

    long long StoreAt(const char* user, const char* text, IMDateTime time)
    {
        std::unique_ptr<Message> message(model_->CreateMessage());
        message->SetOtherUserId(IMString(user));
        message->SetMessage(IMString(text));
        message->SetMessageType(Message::TYPE_RECEIVED_UNREAD);
        message->SetTimeStamp(time);
        EXPECT_TRUE(model_->SaveOrUpdate(message.get()));
        return message->GetMessageId();
    }

    // Steps through the indexing of what waits, `rows` at a time; the number of steps.
    int IndexCompletely(int rows)
    {
        int steps = 0;
        for (double done = 0; done < 1.0; ++steps) {
            done = model_->IndexSearchStep(rows);
            if (done < 0 || steps > 1000) {
                ADD_FAILURE() << "indexing failed or did not end";
                break;
            }
        }
        return steps;
    }

    std::string Search(const char* typed) { return Joined(model_->SearchMessages(IMString(typed), LIMIT), false); }

    std::string SearchSaved(SavedMessagesModel& saved, const char* typed)
    {
        return Joined(saved.SearchMessages(IMString(typed), LIMIT), true);
    }

    // The hits as "user:text" (after "key/" with `withKey`) joined by "|"; "failed" for null.
    static std::string Joined(ArrayList* hits, bool withKey)
    {
        if (hits == nullptr) {
            return "failed";
        }
        std::string joined;
        for (int i = 0; i < hits->GetCount(); ++i) {
            auto hit = static_cast<Message*>(hits->GetAt(i));
            joined += (i > 0 ? "|" : "") + (withKey ? hit->GetUserid_TimeStamp().ToUtf8() + "/" : std::string()) +
                      hit->GetOtherUserId().ToUtf8() + ":" + hit->GetMessage().ToUtf8();
        }
        hits->RemoveAll(true);
        delete hits;
        return joined;
    }

    TempDataDir dir_;
    std::unique_ptr<MessageModel> model_{MessageModel::GetInstance()};
};

}  // namespace

// Words are found by their beginnings whatever their case and accents, newest first, with the
// contact, time and id of each message; CJK runs and words next to emoji are found too.
TEST_F(MessageSearchTest, WordsAreFoundByPrefixWhateverTheirCaseAndAccents)
{
    Store("ann@x", "Meeting at the Café", 1);
    long long newest = Store("bob@x", "meet me at the CAFE", 5);
    Store("cy@x", "東京 タワーで会おう", 3);
    Store("dee@x", "Party 🎉tonight", 2);
    Store("eve@x", "nothing here", 4);
    Store("fay@x", "Tiếng Việt", 0);

    EXPECT_EQ(Search("meet"), "bob@x:meet me at the CAFE|ann@x:Meeting at the Café");
    EXPECT_EQ(Search("  café   MEE "), "bob@x:meet me at the CAFE|ann@x:Meeting at the Café");
    EXPECT_EQ(Search("meeting cafe"), "ann@x:Meeting at the Café");
    EXPECT_EQ(Search("TIENG viet"), "fay@x:Tiếng Việt") << "letters with two accents fold too";
    EXPECT_EQ(Search("meat"), "");
    EXPECT_EQ(Search("eting"), "") << "words are matched from their beginnings";
    EXPECT_EQ(Search("東京"), "cy@x:東京 タワーで会おう");
    EXPECT_EQ(Search("タワー"), "cy@x:東京 タワーで会おう");
    EXPECT_EQ(Search("🎉 party"), "dee@x:Party 🎉tonight");
    EXPECT_EQ(Search("tonight"), "dee@x:Party 🎉tonight");
    EXPECT_EQ(Search("🎉"), "") << "emoji separate words and find nothing alone";
    EXPECT_EQ(Search(""), "");
    EXPECT_EQ(Search("   "), "");

    std::unique_ptr<ArrayList> hits(model_->SearchMessages(IMString("cafe"), 1));
    ASSERT_EQ(hits->GetCount(), 1) << "the limit holds";
    auto hit = static_cast<Message*>(hits->GetAt(0));
    EXPECT_EQ(hit->GetMessageId(), newest);
    EXPECT_EQ(hit->GetTimeStamp(), At(5));
    EXPECT_EQ(hit->GetOtherUserId(), IMString("bob@x"));
    hits->RemoveAll(true);
}

// What the user types is never query syntax: quotes, stars, minus signs, colons, brackets and
// the operator words are searched for as text, and none of them makes the search fail.
TEST_F(MessageSearchTest, QuotesAndOperatorsTypedAreSearchedAsText)
{
    Store("ann@x", "she said \"hi\" to me", 1);
    Store("bob@x", "NEAR the door", 2);
    Store("cy@x", "the x-ray subject: bones", 3);
    Store("dee@x", "hi or not", 4);

    EXPECT_EQ(Search("\"hi\""), "dee@x:hi or not|ann@x:she said \"hi\" to me");
    EXPECT_EQ(Search("\"she said"), "ann@x:she said \"hi\" to me");
    EXPECT_EQ(Search("said\"hi"), "ann@x:she said \"hi\" to me") << "a quote inside a word separates words";
    EXPECT_EQ(Search("NEAR"), "bob@x:NEAR the door");
    EXPECT_EQ(Search("NEAR(the door)"), "bob@x:NEAR the door");
    EXPECT_EQ(Search("x-ray"), "cy@x:the x-ray subject: bones");
    EXPECT_EQ(Search("-ray"), "cy@x:the x-ray subject: bones");
    EXPECT_EQ(Search("subject:bones"), "cy@x:the x-ray subject: bones");
    EXPECT_EQ(Search("message:bones"), "") << "a column filter would have found the bones";
    EXPECT_EQ(Search("hi NOT said"), "") << "NOT is a word to find, not an operator";
    EXPECT_EQ(Search("hi OR door"), "") << "OR is a word to find";
    EXPECT_EQ(Search("hi AND"), "");
    EXPECT_EQ(Search("hi or"), "dee@x:hi or not");
    EXPECT_EQ(Search("*"), "");
    EXPECT_EQ(Search("\""), "");
    EXPECT_EQ(Search("^ray"), "cy@x:the x-ray subject: bones");
    EXPECT_EQ(Search("{message}:bones"), "");
}

// Deleting a message, a conversation or everything, and changing a text, leave nothing in
// the index that is no longer stored.
TEST_F(MessageSearchTest, DeletionsAndChangedTextsLeaveNoStaleHits)
{
    long long first = Store("ann@x", "apples and pears", 1);
    Store("ann@x", "more apples", 2);
    Store("bob@x", "apples for bob", 3);
    Store("cy@x", "cherries", 4);
    ASSERT_EQ(Search("apple"), "bob@x:apples for bob|ann@x:more apples|ann@x:apples and pears");

    ASSERT_TRUE(model_->DeleteMessageByMessageId(first));
    EXPECT_EQ(Search("pears"), "");
    ASSERT_TRUE(model_->DeleteChatsWithUser(String("ann@x")));
    EXPECT_EQ(Search("apple"), "bob@x:apples for bob");

    long long cherries = Store("cy@x", "cherries", 5);
    std::unique_ptr<Message> changed(model_->FindMessageById(cherries));
    changed->SetMessage(IMString("plums"));
    ASSERT_TRUE(model_->SaveOrUpdate(changed.get()));
    EXPECT_EQ(Search("cherries"), "cy@x:cherries") << "only the changed message leaves";
    EXPECT_EQ(Search("plum"), "cy@x:plums");
    RunSql(INTEGRITY_CHECK);

    ASSERT_TRUE(model_->DeleteDatabase());
    EXPECT_EQ(Search("apple"), "");
    EXPECT_EQ(Search("plums"), "");
    EXPECT_EQ(Scalar("SELECT count(*) FROM messagesearchkey"), "0");
    EXPECT_EQ(IndexContents(), "");
    RunSql(INTEGRITY_CHECK);
}

// Hits list by time stamp, not by the order they were stored in: an older message fetched
// later (from the server's archive) lists under its own time, and a message whose time stamp
// changes when it is finally sent moves with it.
TEST_F(MessageSearchTest, HitsAreListedByTimeStampWhateverTheOrderOfStoring)
{
    long long waiting = Store("ann@x", "lunch typed offline", 1);
    Store("bob@x", "lunch today", 3);
    Store("cy@x", "lunch from the archive", 2);
    EXPECT_EQ(Search("lunch"), "bob@x:lunch today|cy@x:lunch from the archive|ann@x:lunch typed offline");

    std::unique_ptr<Message> sent(model_->FindMessageById(waiting));
    IMDateTime later = At(4);
    sent->SetTimeStamp(later);
    sent->SetMessageType(Message::TYPE_SENT);
    ASSERT_TRUE(model_->updateByMessageId(sent.get()));
    EXPECT_EQ(Search("lunch"), "ann@x:lunch typed offline|bob@x:lunch today|cy@x:lunch from the archive");
    EXPECT_EQ(IndexContents().find("offline@"), IndexContents().rfind("offline@")) << "indexed once";
    RunSql(INTEGRITY_CHECK);
}

// More messages in one second than the index orders within a second are still found, each
// once, and leave nothing behind when deleted.
TEST_F(MessageSearchTest, AnOverfullSecondIsStillIndexedAndUnindexed)
{
    constexpr int PER_SECOND = 1024;
    ASSERT_TRUE(model_->BeginBatch());
    for (int i = 0; i <= PER_SECOND; ++i) {
        StoreAt("ann@x", i == PER_SECOND ? "crowded last" : "crowded", At(1));
    }
    ASSERT_TRUE(model_->EndBatch());
    Store("bob@x", "crowded later", 2);
    IndexCompletely(PER_SECOND);

    std::unique_ptr<ArrayList> hits(model_->SearchMessages(IMString("crowded"), 2 * PER_SECOND));
    ASSERT_NE(hits, nullptr);
    EXPECT_EQ(hits->GetCount(), PER_SECOND + 2);
    hits->RemoveAll(true);
    EXPECT_EQ(Scalar("SELECT count(*) FROM messagesearchkey WHERE spilled=1"), "1");
    ASSERT_TRUE(model_->DeleteChatsWithUser(String("ann@x")));
    EXPECT_EQ(Search("crowded"), "bob@x:crowded later");
    EXPECT_EQ(Scalar("SELECT count(*) FROM messagesearchkey"), "1");
    RunSql(INTEGRITY_CHECK);
}

// A file stored before the index existed is indexed a step at a time after it is opened,
// while messages go on being stored and deleted, and ends exactly as an index brought up to
// date after each write would be.
TEST_F(MessageSearchTest, AnIndexBuiltOnFirstOpenEqualsOneKeptInStep)
{
    Store("ann@x", "Meeting at the Café", 1);
    long long gone = Store("bob@x", "東京 タワー and 🎉 \"quotes\"", 2);
    Store("cy@x", "the x-ray subject: bones", 3);
    ASSERT_TRUE(model_->DeleteMessageByMessageId(gone));
    Store("bob@x", "Ünïcödé wörds again", 4);
    Store("cy@x", "bones again", 5);
    long long last = Store("dee@x", "a new cafe", 6);
    Store("eve@x", "deleted while indexing", 7);
    IndexCompletely(100);
    std::string keptInStep = IndexContents();
    ASSERT_NE(keptInStep.find("cafe@"), std::string::npos) << keptInStep;
    EXPECT_TRUE(model_->IsSearchIndexComplete());
    EXPECT_EQ(model_->IndexSearchStep(2), 1.0);

    std::unique_ptr<Message> stored(model_->FindMessageById(last));
    model_.reset();
    for (const char* sql : SEARCH_SCHEMA) {
        RunSql(sql);
    }
    RunSql("DELETE FROM messagetable WHERE otheruserid='dee@x'");
    model_.reset(MessageModel::GetInstance());
    ASSERT_TRUE(model_->CheckOpenDB());
    EXPECT_FALSE(model_->IsSearchIndexComplete());
    EXPECT_EQ(IndexContents(), "") << "nothing is indexed before the first step";

    double done = model_->IndexSearchStep(2);
    EXPECT_GT(done, 0.0);
    EXPECT_LT(done, 1.0);
    EXPECT_NE(IndexContents().find("meeting@"), std::string::npos);
    EXPECT_EQ(IndexContents().find("again@"), std::string::npos) << "two rows a step";
    ASSERT_TRUE(model_->SaveOrUpdate(stored.get())) << "stored while the older ones are indexed";
    ASSERT_TRUE(model_->DeleteChatsWithUser(String("eve@x")));
    Store("eve@x", "deleted while indexing", 7);
    EXPECT_GE(IndexCompletely(2), 2);
    EXPECT_TRUE(model_->IsSearchIndexComplete());

    EXPECT_EQ(IndexContents(), keptInStep);
    RunSql(INTEGRITY_CHECK);
    EXPECT_EQ(Search("unicode"), "bob@x:Ünïcödé wörds again");
    EXPECT_EQ(Search("cafe"), "dee@x:a new cafe|ann@x:Meeting at the Café");
    Store("fay@x", "cafe again", 8);
    EXPECT_EQ(Search("cafe"), "fay@x:cafe again|dee@x:a new cafe|ann@x:Meeting at the Café");
}

// Storing indexes nothing, yet a search finds what was stored a moment ago: it first indexes
// a bounded step of what waits, so after a larger burst the newest is found a few searches
// later, once the steps have reached it.
TEST_F(MessageSearchTest, AMessageStoredAMomentAgoIsFound)
{
    Store("ann@x", "kiwi first", 1);
    EXPECT_EQ(IndexContents(), "") << "storing indexed the message";
    EXPECT_FALSE(model_->IsSearchIndexComplete());
    EXPECT_EQ(Search("kiwi"), "ann@x:kiwi first");
    EXPECT_TRUE(model_->IsSearchIndexComplete());
    Store("bob@x", "kiwi second", 2);
    EXPECT_EQ(Search("kiwi"), "bob@x:kiwi second|ann@x:kiwi first");

    constexpr int BURST = MessageDatabase::SEARCH_CATCH_UP_ROWS + 10;
    ASSERT_TRUE(model_->BeginBatch());
    for (int i = 0; i < BURST; ++i) {
        Store("cy@x", i + 1 == BURST ? "mango newest" : "burst", 3);
    }
    ASSERT_TRUE(model_->EndBatch());
    EXPECT_EQ(Search("mango"), "") << "one search indexes a bounded step, not the whole burst";
    double indexed = model_->SearchIndexShare();
    EXPECT_GT(indexed, 0.9);
    EXPECT_LT(indexed, 1.0);
    EXPECT_EQ(Search("mango"), "cy@x:mango newest");
    EXPECT_EQ(model_->SearchIndexShare(), 1.0);
    RunSql(INTEGRITY_CHECK);
}

// A message deleted, or changed, before it was indexed never shows in a search; nor does one
// deleted after; and a message stored after the newest indexed one was deleted (taking its
// place at the end of the table) is still indexed.
TEST_F(MessageSearchTest, MessagesDeletedOrChangedBeforeIndexingAreNeverFound)
{
    long long early = Store("ann@x", "papaya early", 1);
    long long edited = Store("bob@x", "papaya typo", 2);
    Store("cy@x", "papaya kept", 3);
    ASSERT_TRUE(model_->DeleteMessageByMessageId(early));
    std::unique_ptr<Message> changed(model_->FindMessageById(edited));
    changed->SetMessage(IMString("guava fixed"));
    ASSERT_TRUE(model_->SaveOrUpdate(changed.get()));
    EXPECT_GE(IndexCompletely(1), 1);
    EXPECT_EQ(Search("papaya"), "cy@x:papaya kept");
    EXPECT_EQ(Search("guava"), "bob@x:guava fixed");
    EXPECT_EQ(IndexContents().find("typo@"), std::string::npos);

    long long newest = Store("dee@x", "papaya newest", 4);
    EXPECT_EQ(Search("papaya"), "dee@x:papaya newest|cy@x:papaya kept");
    ASSERT_TRUE(model_->DeleteMessageByMessageId(newest));
    EXPECT_EQ(Search("papaya"), "cy@x:papaya kept");
    Store("eve@x", "papaya after", 5);
    EXPECT_EQ(Search("papaya"), "eve@x:papaya after|cy@x:papaya kept");
    RunSql(INTEGRITY_CHECK);

    ASSERT_TRUE(model_->DeleteDatabase());
    Store("fay@x", "papaya anew", 6);
    ASSERT_TRUE(model_->DeleteChatsWithUser(String("fay@x")));
    EXPECT_EQ(Search("papaya"), "");
    EXPECT_EQ(IndexContents(), "");
    EXPECT_TRUE(model_->IsSearchIndexComplete());
}

// A file whose messages an earlier version indexed as they were stored or changed loses
// those triggers when opened and keeps its index; from then on new messages wait for a step.
// One that was still indexing its older messages indexes them all again, each once.
TEST_F(MessageSearchTest, AFileIndexedOnEveryInsertKeepsItsIndexWithoutTheTriggers)
{
    Store("ann@x", "lemon one", 1);
    long long changed = Store("bob@x", "lemon two", 2);
    IndexCompletely(10);
    const std::string indexed = IndexContents();
    model_.reset();
    for (const char* sql : EARLIER_TRIGGERS) {
        RunSql(sql);
    }
    RunSql("DELETE FROM messagesearchfill");
    model_.reset(MessageModel::GetInstance());
    ASSERT_TRUE(model_->CheckOpenDB());
    EXPECT_EQ(Scalar("SELECT count(*) FROM sqlite_master WHERE name IN ('messagesearch_insert','messagesearch_reindex')"), "0");
    EXPECT_TRUE(model_->IsSearchIndexComplete());
    EXPECT_EQ(IndexContents(), indexed);

    long long stored = Store("cy@x", "lemon three", 3);
    std::unique_ptr<Message> message(model_->FindMessageById(stored));
    message->SetMessage(IMString("lemon third"));
    ASSERT_TRUE(model_->SaveOrUpdate(message.get()));
    EXPECT_EQ(IndexContents(), indexed) << "storing or changing a message the steps have not reached indexed it";
    EXPECT_EQ(Search("lemon"), "cy@x:lemon third|bob@x:lemon two|ann@x:lemon one");

    model_.reset();
    for (const char* sql : EARLIER_TRIGGERS) {
        RunSql(sql);
    }
    RunSql("UPDATE messagesearchfill SET nextrow=1");
    model_.reset(MessageModel::GetInstance());
    ASSERT_TRUE(model_->CheckOpenDB());
    EXPECT_EQ(IndexContents(), "") << "the fill starts again from an empty index";
    EXPECT_FALSE(model_->IsSearchIndexComplete());
    std::unique_ptr<Message> edit(model_->FindMessageById(changed));
    edit->SetMessage(IMString("lemon second"));
    ASSERT_TRUE(model_->SaveOrUpdate(edit.get()));
    EXPECT_EQ(IndexCompletely(1), 3);
    EXPECT_EQ(Search("lemon"), "cy@x:lemon third|bob@x:lemon second|ann@x:lemon one");
    EXPECT_EQ(IndexContents().find("two@"), std::string::npos);
    RunSql(INTEGRITY_CHECK);
}

// Saved copies are searched the same way; each hit names the copy it belongs to, a message
// saved twice is found in both copies, and deleting a copy, or all of them, leaves no stale
// hit. A file of copies made before the index existed is indexed when first opened.
TEST_F(MessageSearchTest, SavedCopiesAreSearchedAndIndexedLikeTheMessages)
{
    Store("ann@x", "Meeting at the Café", 1);
    Store("ann@x", "bring \"the\" x-ray", 2);
    Store("bob@x", "meet bob", 3);
    std::unique_ptr<SavedMessagesModel> saved(SavedMessagesModel::GetInstance());
    ASSERT_TRUE(saved->SaveAllMessagesWithUser(model_->GetAllMessagesWithUser(String("ann@x"), true), String("k1")));
    ASSERT_TRUE(saved->SaveAllMessagesWithUser(model_->GetAllMessagesWithUser(String("ann@x"), true), String("k2")));
    ASSERT_TRUE(saved->SaveAllMessagesWithUser(model_->GetAllMessagesWithUser(String("bob@x"), true), String("k3")));

    EXPECT_EQ(SearchSaved(*saved, "meet"), "k3/bob@x:meet bob|k2/ann@x:Meeting at the Café|k1/ann@x:Meeting at the Café");
    EXPECT_EQ(SearchSaved(*saved, "\"the\" -ray"), "k2/ann@x:bring \"the\" x-ray|k1/ann@x:bring \"the\" x-ray");
    EXPECT_EQ(SearchSaved(*saved, "cafe NEAR"), "");
    ASSERT_TRUE(saved->DeleteSavedConversation(String("k2")));
    EXPECT_EQ(SearchSaved(*saved, "cafe"), "k1/ann@x:Meeting at the Café");
    RunSql(SAVED_INTEGRITY_CHECK, SAVED);
    std::string keptInStep = IndexContents(SAVED, "savedmessagesearch");
    ASSERT_NE(keptInStep.find("ray@"), std::string::npos) << keptInStep;

    saved.reset();
    RunSql("DROP TABLE savedmessagesearch", SAVED);
    RunSql("DROP TRIGGER savedmessagesearch_insert", SAVED);
    saved.reset(SavedMessagesModel::GetInstance());
    ASSERT_TRUE(saved->CheckOpenDB());
    EXPECT_EQ(IndexContents(SAVED, "savedmessagesearch"), keptInStep);
    RunSql(SAVED_INTEGRITY_CHECK, SAVED);

    ASSERT_TRUE(saved->DeleteDatabase());
    EXPECT_EQ(SearchSaved(*saved, "meet"), "");
    EXPECT_EQ(Scalar("SELECT count(*) FROM savedmessagesearch_docsize", SAVED), "0");
}
