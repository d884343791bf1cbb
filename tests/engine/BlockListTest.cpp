// Blocking against a scripted server on 127.0.0.1 that has the standard blocking command, and
// one that refuses it: the blocked-list query after the first roster, what its result and the
// server's pushes do to the stored contacts, and which stanza a block sends (ids normalised
// where the client picks them).
#include "EngineFixture.h"

#include "xmpp/Constants.h"

using TestSupport::TlsScript;

namespace {

class BlockListTest : public EngineFixture {
protected:
    static std::string domain() { return Constants::DOMAIN.ToUtf8(); }

    static std::string item(const std::string& user, const std::string& attributes = "")
    {
        return "<item jid='" + idOf(user) + "'" + attributes + "/>";
    }

    static std::string blocking(const std::string& type, const std::string& id, const std::string& from,
        const std::string& element, const std::string& items)
    {
        std::string fromAttribute = from.empty() ? "" : " from='" + from + "'";
        return "<iq type='" + type + "' id='" + id + "'" + fromAttribute + "><" + element +
               " xmlns='urn:xmpp:blocking'>" + items + "</" + element + "></iq>";
    }

    static std::string acknowledged(const std::string& id) { return "<iq id=\"" + id + "\" type=\"result\"></iq>"; }

    static std::string rosterAcknowledged(const std::string& id)
    {
        return "<iq id=\"" + id + "\" to=\"" + domain() + "\" from=\"" + ScriptedSignIn::fullId() +
               "\" type=\"result\"></iq>";
    }

    // The sign-in up to the blocked-list query: a roster of bob and jane, then the initial
    // presence and the account queries.
    static TlsScript upToTheBlockListQuery()
    {
        const std::string own = ScriptedSignIn::bareId();
        TlsScript script = ScriptedSignIn::signIn();
        script
            .ExpectNext("<iq id=\"#\" type=\"get\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" "
                        "gr:ext=\"2\"/></iq>")
            .Send("<iq type='result' id='roster_1'><query xmlns='jabber:iq:roster'>" +
                  item("bob", " subscription='both' name='Bob'") + item("jane", " subscription='both'") +
                  "</query></iq>")
            .ExpectNext("<presence><priority>0</priority></presence>")
            .ExpectNext(
                "<iq id=\"#\" to=\"" + own + "\" type=\"get\"><query xmlns='google:shared-status' version='2'/></iq>")
            .ExpectNext("<iq id=\"#\" type=\"get\"><query xmlns=\"google:nosave\" /></iq>")
            .ExpectNext("<iq id=\"#\" to=\"" + own + "\" from=\"" + ScriptedSignIn::fullId() +
                        "\" type=\"get\"><usersetting xmlns=\"google:setting\"/></iq>")
            .ExpectNext("<iq id=\"blocklist_1\" type=\"get\"><blocklist xmlns=\"urn:xmpp:blocking\"/></iq>");
        return script;
    }

    void signInAndLoad(TlsScript script)
    {
        signIn(std::move(script));
        controller_.refreshLists(false);
        ASSERT_TRUE(delegate_.WaitFor("OnAllPresenceReceived"));
    }

    // Waits for the contact to be reported blocked or unblocked, and on the buddy list or off
    // it, after the first `skip` contact reports.
    bool reported(const std::string& user, std::pair<bool, bool> state, size_t skip)
    {
        const std::string id = idOf(user);
        auto matches = [&](const TestSupport::RecordingDelegate::Call& call) {
            return call.contact != nullptr && call.contact->GetContactId().ToUtf8() == id &&
                   std::make_pair(call.contact->GetIsBlocked(), call.contact->GetOnBuddyList()) == state;
        };
        return delegate_.WaitFor("OnContactUpdated", matches, TestSupport::RecordingDelegate::DefaultWait, skip)
            .has_value();
    }

    size_t reports() { return delegate_.Count("OnContactUpdated"); }

    // Blocked, and on the buddy list, as stored.
    std::pair<bool, bool> stored(const std::string& user)
    {
        std::unique_ptr<Contact> contact = storedContact(idOf(user));
        EXPECT_NE(contact, nullptr) << user;
        return contact != nullptr ? std::make_pair(contact->GetIsBlocked(), contact->GetOnBuddyList())
                                  : std::make_pair(false, false);
    }

    void expectScriptDone()
    {
        EXPECT_TRUE(server_->WaitUntilScriptDone());
        EXPECT_TRUE(server_->Failures().empty()) << testing::PrintToString(server_->Failures());
    }
};

const std::pair<bool, bool> BLOCKED{true, false};
const std::pair<bool, bool> ON_BUDDY_LIST{false, true};
const std::pair<bool, bool> UNBLOCKED_OFF_THE_LIST{false, false};

}  // namespace

TEST_F(BlockListTest, AServerWithTheBlockingCommandGetsItsBlocksAndItsListAndPushesDecideTheBlockedContacts)
{
    const std::string own = ScriptedSignIn::bareId();
    TlsScript script = upToTheBlockListQuery();
    script.Send(blocking("result", "blocklist_1", own, "blocklist", item("jane")))
        .ExpectNext("<iq id=\"#\" to=\"" + own + "\" type=\"get\"><vCard xmlns=\"vcard-temp\"/></iq>")
        // A roster push never marks a blocked contact on this server: jane stays blocked.
        .Send("<iq type='set' id='push-1'><query xmlns='jabber:iq:roster'>" +
              item("jane", " subscription='both' name='Janet'") + "</query></iq>")
        .ExpectNext(rosterAcknowledged("push-1"))
        .ExpectNext("<iq id=\"#\" type=\"set\"><block xmlns=\"urn:xmpp:blocking\"><item jid=\"" + idOf("bob") +
                    "\"/></block></iq>")
        .Send(blocking("set", "push-2", "", "block", item("bob")))
        .ExpectNext(acknowledged("push-2"))
        // A stranger, blocked from another resource of the account.
        .Send(blocking("set", "push-3", own, "block", item("kate")))
        .ExpectNext("<iq id=\"push-3\" to=\"" + own + "\" type=\"result\"></iq>")
        // Nobody but the server may unblock.
        .Send(blocking("set", "push-4", idOf("mallory") + "/x", "unblock", ""))
        .ExpectNext("<iq id=\"push-4\" to=\"" + idOf("mallory") +
                    "/x\" type=\"error\"><error type=\"cancel\"><service-unavailable "
                    "xmlns=\"urn:ietf:params:xml:ns:xmpp-stanzas\"/></error></iq>")
        .ExpectNext("<iq id=\"#\" type=\"set\"><unblock xmlns=\"urn:xmpp:blocking\"><item jid=\"" + idOf("jane") +
                    "\"/></unblock></iq>")
        .Send(blocking("set", "push-5", "", "unblock", item("jane")))
        .ExpectNext(acknowledged("push-5"))
        // Unblocked, jane goes back to the buddy list with the roster asked again.
        .ExpectNext("<iq id=\"#\" type=\"get\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" "
                    "gr:ext=\"2\"/></iq>")
        .Send("<iq type='result' id='roster_2'><query xmlns='jabber:iq:roster'>" +
              item("bob", " subscription='both' name='Bob'") + item("jane", " subscription='both' name='Janet'") +
              "</query></iq>");
    signInAndLoad(std::move(script));

    ASSERT_TRUE(reported("jane", BLOCKED, 0));
    EXPECT_EQ(stored("jane"), BLOCKED);
    EXPECT_EQ(stored("bob"), ON_BUDDY_LIST);
    ASSERT_TRUE(server_->WaitUntilReceived("\"push-1\""));
    settleRequests();
    size_t before = reports();
    controller_.AddToIgnoreList(new IMString("bob"));
    ASSERT_TRUE(reported("bob", BLOCKED, before));
    ASSERT_TRUE(reported("kate", BLOCKED, before));
    ASSERT_TRUE(server_->WaitUntilReceived("push-4"));
    EXPECT_EQ(stored("jane"), BLOCKED) << "neither the roster push nor the stranger's unblock releases her";
    EXPECT_EQ(stored("kate"), BLOCKED);
    EXPECT_EQ(stored("bob"), BLOCKED);

    IMString jane("jane");
    before = reports();
    controller_.RemoveFromIgnoreList(&jane);
    ASSERT_TRUE(reported("jane", UNBLOCKED_OFF_THE_LIST, before));
    expectScriptDone();
    ASSERT_TRUE(reported("jane", ON_BUDDY_LIST, before));
    EXPECT_EQ(stored("jane"), ON_BUDDY_LIST);
    EXPECT_EQ(stored("bob"), BLOCKED) << "the roster asked again does not release the others";
    EXPECT_EQ(stored("kate"), BLOCKED);
    EXPECT_EQ(sentAfterSignIn("</unblock>").find("gr:t=\"B\""), std::string::npos);
}

// A server without the command refuses the query: blocking stays with the roster mark, byte for
// byte.
TEST_F(BlockListTest, AServerThatRefusesTheBlockedListGetsTheRosterMark)
{
    TlsScript script = upToTheBlockListQuery();
    script
        .Send("<iq type='error' id='blocklist_1'><error type='cancel'><service-unavailable "
              "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>")
        .ExpectNext("<iq id=\"#\" to=\"" + ScriptedSignIn::bareId() + "\" type=\"get\"><vCard xmlns=\"vcard-temp\"/></iq>")
        .Send("<iq type='set' id='push-1'><query xmlns='jabber:iq:roster'>" +
              item("bob", " subscription='both' name='Bob'") + "</query></iq>")
        .ExpectNext(rosterAcknowledged("push-1"))
        .ExpectNext("<iq id=\"#\" type=\"set\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" "
                    "gr:ext=\"2\"><item jid=\"" + idOf("zoe") + "\" gr:t=\"B\"></item></query></iq>");
    signInAndLoad(std::move(script));
    ASSERT_TRUE(server_->WaitUntilReceived("\"push-1\""));
    settleRequests();
    controller_.AddToIgnoreList(new IMString("zoe"));
    expectScriptDone();
    EXPECT_EQ(stored("bob"), ON_BUDDY_LIST);
}
