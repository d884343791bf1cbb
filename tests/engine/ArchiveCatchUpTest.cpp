// The catch-up from the server's archive after a fresh sign-in, against a scripted TLS server:
// the query the client sends, the results it stores (each message once, in order, only from
// the user's own server and for a query it asked), and the next page it asks for.
#include "EngineFixture.h"

#include "engine/ArchivedMessageHandler.h"
#include "foundation/IMSystemTime.h"
#include "platform/ArrayList.h"

#include <memory>
#include <string>

namespace {

using TestSupport::TlsScript;

class ArchiveCatchUpTest : public EngineFixture {
protected:
    // Stores a received message from `user` as if it had come in an earlier session.
    void storeReceived(const std::string& user, const char* text, const char* archiveId, const IMDateTime& time)
    {
        std::unique_ptr<Message> message(messages_->CreateMessage());
        message->SetOtherUserId(IMString(user.c_str()));
        message->SetMessage(IMString(text));
        message->SetMessageType(Message::TYPE_RECEIVED_READ);
        message->SetArchiveId(IMString(archiveId));
        message->SetTimeStamp(time);
        ASSERT_TRUE(messages_->SaveOrUpdate(message.get()));
    }

    // "text/archive id" of each stored message of the conversation, oldest first.
    std::string conversation(const std::string& user)
    {
        std::unique_ptr<Ixa::Base::Collection::ArrayList> list(
            messages_->GetAllMessagesWithUser(Ixa::Base::String(user.c_str()), true));
        std::string rows;
        for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
            auto message = static_cast<Message*>(list->GetAt(i));
            rows += (i > 0 ? "," : "") + message->GetMessage().ToUtf8() + "/" + message->GetArchiveId().ToUtf8();
        }
        if (list != nullptr) {
            list->RemoveAll(true);
        }
        return rows;
    }

    IMDateTime start_ = [] {
        IMDateTime now;
        IMSystemTime::GetCurrentTime(Ixa::System::UTC_TIME, now);
        return now;
    }();

    // The sign-in up to the initial presence and the account queries that follow the first
    // roster: the archive is asked only after them.
    static TlsScript signInUpToThePresence()
    {
        TlsScript script = ScriptedSignIn::signIn();
        script.ExpectNext("<iq id=\"#\" type=\"get\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" "
                          "gr:ext=\"2\"/></iq>")
            .Send("<iq type='result' id='roster_1'><query xmlns='jabber:iq:roster'/></iq>")
            .ExpectNext("<presence><priority>0</priority></presence>")
            .WaitFor("<vCard xmlns=\"vcard-temp\"/></iq>");
        return script;
    }
    // Signs in and asks for the roster, as the application does.
    void signInAndLoad(TlsScript script)
    {
        signIn(std::move(script));
        controller_.refreshLists(false);
    }

    static std::string query(const std::string& id, const std::string& bound)
    {
        return "<iq id=\"" + id + "\" type=\"set\"><query xmlns=\"urn:xmpp:mam:2\" queryid=\"" + id +
               "\"><x xmlns=\"jabber:x:data\" type=\"submit\"><field var=\"FORM_TYPE\" type=\"hidden\">"
               "<value>urn:xmpp:mam:2</value></field>" + bound;
    }
    static std::string after(const std::string& id, const std::string& last)
    {
        return query(id, "</x><set xmlns=\"http://jabber.org/protocol/rsm\"><max>50</max><after>" + last +
                             "</after></set></query></iq>");
    }
    // An hour ago and `second` seconds: archived before the session, so older than anything
    // received live in it.
    IMDateTime stamp(int second) const
    {
        IMDateTime time(start_);
        time.AddMilliseconds(-time.GetMillisecond());
        time.AddSeconds(second - 3600);
        return time;
    }
    std::string result(const std::string& attributes, const std::string& queryId, const std::string& archiveId,
                              const std::string& from, const std::string& id, const std::string& body)
    {
        return "<message to='" + ScriptedSignIn::fullId() + "'" + attributes + "><result xmlns='urn:xmpp:mam:2' queryid='" +
               queryId + "' id='" + archiveId + "'><forwarded xmlns='urn:xmpp:forward:0'>"
               "<delay xmlns='urn:xmpp:delay' stamp='" + stamp(std::stoi(archiveId.substr(1))).ToString().ToUtf8() + "'/>"
               "<message from='" + from + "/res' to='" + ScriptedSignIn::bareId() + "' type='chat' id='" + id +
               "'><body>" + body + "</body></message></forwarded></result></message>";
    }
};

IMDateTime At(int day)
{
    IMDateTime time;
    time.SetValue(2020, 11, day, 8, 0, 0, 0);
    return time;
}

// A session starts afresh after messages went by: the client asks for what was archived after
// the last archive id it stored. A live message, archived by the server too, comes again in
// the results and is stored once; results from someone else or for a query never asked are
// not stored; the user's own message from another client is skipped. The first page is not
// complete, so the client asks for the one after its last id; the second is, and it stops.
TEST_F(ArchiveCatchUpTest, PagesAfterTheLastArchiveIdAreStoredOnceAndInOrder)
{
    const std::string own = ScriptedSignIn::bareId();
    const std::string bob = idOf("bob");
    const std::string carol = idOf("carol");
    storeReceived(bob, "zero", "A0", At(1));
    TlsScript script = signInUpToThePresence();
    script.ExpectNext(after("archive_1", "A0"))
        .Send("<message from='" + bob + "/res' type='chat' id='b1'><body>one</body>"
              "<stanza-id xmlns='urn:xmpp:sid:0' by='" + own + "' id='A1'/></message>" +
              result("", "archive_1", "A1", bob, "b1", "one") + result("", "archive_1", "A2", carol, "c2", "two") +
              result(" from='" + idOf("mallory") + "'", "archive_1", "A3", bob, "m3", "injected") +
              result("", "archive_9", "A4", bob, "u4", "unasked") +
              result(" from='" + own + "'", "archive_1", "A5", bob, "b5", "five") +
              result("", "archive_1", "A6", own, "o6", "mine, sent elsewhere") +
              "<iq type='result' id='archive_1'><fin xmlns='urn:xmpp:mam:2' complete='false'>"
              "<set xmlns='http://jabber.org/protocol/rsm'><first>A1</first><last>A6</last></set></fin></iq>")
        .ExpectNext(after("archive_2", "A6"))
        .Send(result("", "archive_2", "A7", carol, "c7", "seven") +
              "<message from='" + carol + "/res' type='chat' id='c8'><body>forged</body>"
              "<stanza-id xmlns='urn:xmpp:sid:0' by='" + carol + "' id='A7'/></message>"
              "<iq type='result' id='archive_2'><fin xmlns='urn:xmpp:mam:2' complete='true'>"
              "<set xmlns='http://jabber.org/protocol/rsm'><first>A7</first><last>A7</last></set></fin></iq>"
              "<message from='" + bob + "/res' type='chat' id='b9'><body>after</body>"
              "<stanza-id xmlns='urn:xmpp:sid:0' by='" + own + "' id='A8'/></message>");
    signInAndLoad(std::move(script));
    ASSERT_TRUE(delegate_.WaitFor("OnMessageReceivedToChat", 6));
    settleRequests();
    EXPECT_TRUE(server_->WaitUntilScriptDone());
    EXPECT_TRUE(server_->Failures().empty()) << testing::PrintToString(server_->Failures());

    EXPECT_EQ(conversation(bob), "zero/A0,one/A1,five/A5,after/A8")
        << "in the archive's order: a result is never filed before the one ahead of it, which came live";
    EXPECT_EQ(conversation(carol), "two/A2,seven/A7,forged/")
        << "a stanza id given by the sender is no archive id, and hides no message";
    EXPECT_EQ(conversation(idOf("mallory")), "");
    EXPECT_EQ(conversation(own), "");
    EXPECT_EQ(delegate_.Count("OnMessageReceivedToChat"), 6u) << "a message skipped as stored reaches nobody";
    std::unique_ptr<Ixa::Base::Collection::ArrayList> carolRows(
        messages_->GetAllMessagesWithUser(Ixa::Base::String(carol.c_str()), true));
    ASSERT_NE(carolRows, nullptr);
    EXPECT_EQ(static_cast<Message*>(carolRows->GetAt(0))->GetTimeStamp().ToString().ToUtf8(), stamp(2).ToString().ToUtf8()) << "stored at the archive's time";
    carolRows->RemoveAll(true);
    EXPECT_EQ(sentAfterSignIn("archive_2").find("archive_3"), std::string::npos);
}

// Without an archive id the catch-up starts at the newest received message's time; a server
// without an archive answers with an error, which ends it quietly.
TEST_F(ArchiveCatchUpTest, WithoutAnArchiveIdTheCatchUpStartsAtTheLastReceivedTime)
{
    storeReceived(idOf("bob"), "older", "", At(2));
    storeReceived(idOf("carol"), "newest", "", At(3));
    TlsScript script = signInUpToThePresence();
    script
        .ExpectNext(query("archive_1", "<field var=\"start\"><value>2020-11-03T08:00:00.000Z</value></field></x>"
                                       "<set xmlns=\"http://jabber.org/protocol/rsm\"><max>50</max></set></query></iq>"))
        .Send("<iq type='error' id='archive_1'><error type='cancel'><service-unavailable "
              "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>"
              "<message from='" + idOf("bob") + "/res' type='chat' id='b1'><body>live</body></message>");
    signInAndLoad(std::move(script));
    ASSERT_TRUE(delegate_.WaitFor("OnMessageReceivedToChat"));
    EXPECT_TRUE(server_->WaitUntilScriptDone());
    EXPECT_TRUE(server_->Failures().empty()) << testing::PrintToString(server_->Failures());
    EXPECT_EQ(conversation(idOf("bob")), "older/,live/");
    settleRequests();
    EXPECT_EQ(delegate_.Names().back(), "OnMessageReceivedToChat") << "no word to the user about the refusal";
}

// The archive id the client stored has expired from the server's archive, which refuses to
// page after it: the catch-up goes on by time, from the last received message on, once.
TEST_F(ArchiveCatchUpTest, AnArchiveIdTheServerNoLongerKeepsLeadsToACatchUpByTime)
{
    const std::string bob = idOf("bob");
    storeReceived(bob, "zero", "A0", At(1));
    TlsScript script = signInUpToThePresence();
    script.ExpectNext(after("archive_1", "A0"))
        .Send("<iq type='error' id='archive_1'><error type='cancel'><item-not-found "
              "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>")
        .ExpectNext(query("archive_2", "<field var=\"start\"><value>2020-11-01T08:00:00.000Z</value></field></x>"
                                       "<set xmlns=\"http://jabber.org/protocol/rsm\"><max>50</max></set></query></iq>"))
        .Send(result("", "archive_2", "A5", bob, "b5", "five") +
              "<iq type='error' id='archive_3'><error type='cancel'><item-not-found "
              "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>"
              "<iq type='result' id='archive_2'><fin xmlns='urn:xmpp:mam:2' complete='true'>"
              "<set xmlns='http://jabber.org/protocol/rsm'><first>A5</first><last>A5</last></set></fin></iq>");
    signInAndLoad(std::move(script));
    ASSERT_TRUE(delegate_.WaitFor("OnMessageReceivedToChat"));
    settleRequests();
    EXPECT_TRUE(server_->WaitUntilScriptDone());
    EXPECT_TRUE(server_->Failures().empty()) << testing::PrintToString(server_->Failures());
    EXPECT_EQ(conversation(bob), "zero/A0,five/A5");
    EXPECT_EQ(sentAfterSignIn("archive_2").find("archive_3"), std::string::npos)
        << "an error for a page never asked changes nothing";
}

// A new account has stored nothing: there is nothing to catch up from, and nothing is asked.
TEST_F(ArchiveCatchUpTest, AnEmptyStoreAsksNothing)
{
    signInAndLoad(signInUpToThePresence().Send("<message from='" + idOf("bob") + "/res' type='chat' id='b1'>"
                                               "<body>first</body></message>"));
    ASSERT_TRUE(delegate_.WaitFor("OnMessageReceivedToChat"));
    settleRequests();
    controller_.SignOut();
    ASSERT_TRUE(delegate_.WaitFor("OnSignOutSuccess"));
    EXPECT_EQ(sentAfterSignIn("</stream:stream>").find("urn:xmpp:mam:2"), std::string::npos);
}

}  // namespace

namespace {

std::string Stamp(const char* text)
{
    IMDateTime time;
    return ArchivedMessageHandler::readStamp(IMString(text), time) ? time.ToString().ToUtf8() : "(unread)";
}

}  // namespace

// The archive's delay stamps as servers write them: whole seconds or fractions of any length,
// in UTC or with an offset; anything else is not read.
TEST(ArchiveStampTest, StampsAreReadAsUtcToTheMillisecond)
{
    EXPECT_EQ(Stamp("2026-12-06T05:00:01Z"), "2026-12-06T05:00:01.000Z");
    EXPECT_EQ(Stamp("2026-12-06T05:00:01.5Z"), "2026-12-06T05:00:01.500Z");
    EXPECT_EQ(Stamp("2026-12-06T05:00:01.123456Z"), "2026-12-06T05:00:01.123Z");
    EXPECT_EQ(Stamp("2026-12-06T06:30:01+01:30"), "2026-12-06T05:00:01.000Z");
    EXPECT_EQ(Stamp("2026-12-05T23:00:01-06:00"), "2026-12-06T05:00:01.000Z");
    EXPECT_EQ(Stamp("2026-12-06T05:00:01"), "(unread)");
    EXPECT_EQ(Stamp("2026-12-06 05:00:01Z"), "(unread)");
    EXPECT_EQ(Stamp("yesterday"), "(unread)");
}
