// The controller's requests, run as commands on the real request thread against a scripted
// server on 127.0.0.1: the exact stanzas each one sends (ids normalised), the completion of
// ids without a domain, what they do to the stores, and what they report.
#include "EngineFixture.h"

#include "engine/IgnoreUserCommand.h"
#include "engine/UnignoreUserCommand.h"
#include "xmpp/Connection.h"

using Names = std::vector<std::string>;
using TestSupport::TlsScript;
using namespace std::chrono_literals;

namespace {

class CommandTest : public EngineFixture {
protected:
    // A new chat message as the chat screen makes it, with its id.
    std::unique_ptr<Message> chatMessage(const std::string& to, const char* text)
    {
        std::unique_ptr<Message> shown(messages_->CreateMessage());
        shown->SetOtherUserId(IMString(to.c_str()));
        shown->SetMessage(IMString(text));
        shown->SetMessageType(Message::TYPE_SENDING);
        return shown;
    }

    void sendChat(const char* to, const char* text) { send(*chatMessage(to, text)); }

    // Stores the message as the chat screen does before sending it, and hands a copy to the
    // controller.
    void send(Message& shown)
    {
        messages_->SaveOrUpdate(&shown);
        Message* copy = messages_->CreateMessage();
        copy->SetOtherUserId(shown.GetOtherUserId());
        copy->SetMessage(shown.GetMessage());
        copy->SetMessageType(Message::TYPE_SENDING);
        copy->SetMessageId(shown.GetMessageId());
        controller_.SendMessage(copy);
    }

    static std::string rosterSet(const std::string& item)
    {
        return "<iq id=\"#\" type=\"set\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" gr:ext=\"2\">" +
               item + "</query></iq>";
    }

    // Without the server's recent lists, which this server never sends, a change sends none.
    static std::string sharedStatusSet(const std::string& status, const std::string& show, bool invisible)
    {
        return "<iq id=\"#\" to=\"" + ScriptedSignIn::bareId() + "\" from=\"" + ScriptedSignIn::fullId() +
               "\" type=\"set\"><query xmlns='google:shared-status' version='2'>" + status + "<show>" + show +
               "</show><invisible value=\"" + (invisible ? "true" : "false") + "\"/></query></iq>";
    }
};

}  // namespace

TEST_F(CommandTest, ContactRequestsSendTheirStanzasForCompletedIds)
{
    storeContact(idOf("hank"), Contact::PRESENCE_AVAILABLE);
    std::unique_ptr<ContactIcon> avatar(icons_->CreateContactIcon());
    avatar->SetContactId(IMString(idOf("hank").c_str()));
    avatar->SetIconValidity(IMString("1234"));
    icons_->SaveOrUpdate(avatar.get());
    signIn();

    IMString carol("carol");
    IMString nick("Caz");
    IMString invitation("join me");
    controller_.CreateContactInExistingGroup(nullptr, &carol, &nick, &invitation);
    IMString dave("Dave@Elsewhere.org");
    IMString daveName("Dave <D>");
    controller_.RenameContact(&dave, &daveName);
    controller_.AddToIgnoreList(new IMString("eve"));
    IMString eve("eve");
    controller_.RemoveFromIgnoreList(&eve);
    IMString frank("frank");
    IMString unused("test");
    controller_.AllowPresenceSubscription(&frank, &unused);
    IMString gina("gina@elsewhere.org");
    controller_.DenyPresenceSubscription(&gina, &unused);
    controller_.AddToIgnoreList(nullptr);
    controller_.RemoveFromIgnoreList(nullptr);
    {
        std::unique_ptr<Contact> hank(contacts_->CreateContact());
        hank->SetContactId(IMString("hank"));
        controller_.RemoveContactFromGroup(hank.get(), nullptr);
    }
    settleRequests();

    EXPECT_EQ(sentAfterSignIn("remove"),
        "<presence to=\"" + idOf("carol") + "\" type=\"subscribe\"><priority>0</priority></presence>" +
            rosterSet("<item jid=\"dave@elsewhere.org\" name=\"Dave &lt;D&gt;\" gr:t=\"P\"></item>") +
            rosterSet("<item jid=\"" + idOf("eve") + "\" gr:t=\"B\"></item>") +
            rosterSet("<item jid=\"" + idOf("eve") + "\" gr:t=\"P\"></item>") + "<presence to=\"" + idOf("frank") +
            "\" type=\"subscribed\"><priority>0</priority></presence>" +
            "<presence to=\"gina@elsewhere.org\" type=\"unsubscribed\"><priority>0</priority></presence>" +
            rosterSet("<item jid=\"" + idOf("hank") + "\" subscription=\"remove\" gr:t=\"P\"></item>"));

    // The server never answered the removal: the contact is only marked, its avatar is gone.
    std::unique_ptr<Contact> hank = storedContact(idOf("hank"));
    ASSERT_NE(hank, nullptr);
    EXPECT_TRUE(hank->GetIsDeleted());
    EXPECT_EQ(storedAvatar(idOf("hank")), nullptr);
    EXPECT_EQ(delegate_.Names(), (Names{"OnMyDisplayNameChanged", "OnClientPresenceUpdated", "OnSignInSuccess"}));
}

// The group goes to the server with the contact, ahead of the subscription request; a
// request without a group sends the subscription request alone (above).
TEST_F(CommandTest, AddingAContactFilesItUnderItsGroupOnTheServerBeforeAskingToSubscribe)
{
    TlsScript script = ScriptedSignIn::signIn();
    script.WaitFor("</group></item></query></iq>").Send("<iq type='result' id='roster_set'/>");
    signIn(std::move(script));
    std::unique_ptr<Group> team(groups_->CreateGroup());
    team->SetGroupId(IMString("team & co"));
    team->SetGroupName(IMString("Team & Co"));
    IMString carol("Carol");
    IMString empty;
    controller_.CreateContactInExistingGroup(team.get(), &carol, &empty, &empty);
    settleRequests();

    EXPECT_EQ(sentAfterSignIn("subscribe"),
        rosterSet("<item jid=\"" + idOf("carol") + "\" gr:t=\"P\"><group>Team &amp; Co</group></item>") +
            "<presence to=\"" + idOf("Carol") + "\" type=\"subscribe\"><priority>0</priority></presence>");
}

// A roster set replaces the whole item on the server, so a rename, a block and an unblock
// repeat what the user has of the contact (its name and group); a server would drop both
// otherwise.
TEST_F(CommandTest, RenameAndBlockRepeatTheStoredNameAndGroup)
{
    std::unique_ptr<Contact> dave(contacts_->CreateContact());
    dave->SetContactId(IMString(idOf("dave").c_str()));
    dave->SetNickName(IMString("Dave"));
    dave->SetGroupName(IMString("Work & Play"));
    contacts_->SaveOrUpdate(dave.get());
    signIn();

    IMString typed("Dave");
    IMString name("David");
    controller_.RenameContact(&typed, &name);
    controller_.AddToIgnoreList(new IMString("dave"));
    IMString again("dave");
    controller_.RemoveFromIgnoreList(&again);
    controller_.AddToIgnoreList(new IMString("zoe"));
    settleRequests();

    const std::string group = "<group>Work &amp; Play</group></item>";
    EXPECT_EQ(sentAfterSignIn(idOf("zoe") + "\" gr:t=\"B\"></item></query></iq>"),
        rosterSet("<item jid=\"" + idOf("dave") + "\" name=\"David\" gr:t=\"P\">" + group) +
            rosterSet("<item jid=\"" + idOf("dave") + "\" name=\"Dave\" gr:t=\"B\">" + group) +
            rosterSet("<item jid=\"" + idOf("dave") + "\" name=\"Dave\" gr:t=\"P\">" + group) +
            rosterSet("<item jid=\"" + idOf("zoe") + "\" gr:t=\"B\"></item>"));
}

TEST_F(CommandTest, BlockingWithoutAUserFailsAndSendsNothing)
{
    for (bool block : {true, false}) {
        std::unique_ptr<BlockingCommand> command(
            block ? static_cast<BlockingCommand*>(new IgnoreUserCommand()) : new UnignoreUserCommand());
        command->setRequestController(&controller_);
        unsigned long result = Ixa::E_SUCCESS;
        command->executeCommand(&result);
        EXPECT_EQ(result, Ixa::E_FAILURE) << block;
    }
}

TEST_F(CommandTest, StatusChangesSendTheSharedStatusAndAwaySendsNothing)
{
    signIn();
    controller_.SetClientPresence(new PresenceStatus(PresenceStatus::BUSY, IMString("in a <meeting>"), true, 0));
    controller_.SetClientPresence(new PresenceStatus(PresenceStatus::AWAY, IMString("away"), false, 0));
    controller_.SetClientPresence(new PresenceStatus(PresenceStatus::AWAY_IDLE, IMString("idle"), false, 0));
    controller_.SetClientPresence(new PresenceStatus(PresenceStatus::AVAILABLE, IMString("free"), false, 0));
    controller_.SetClientPresence(new PresenceStatus(PresenceStatus::OFFLINE));
    settleRequests();

    const std::string meeting = "<status>in a &lt;meeting&gt;</status>";
    EXPECT_EQ(sentAfterSignIn("value=\"true\""),
        sharedStatusSet(meeting, "dnd", false) + sharedStatusSet("<status>free</status>", "default", false) +
            sharedStatusSet("<status>free</status>", "default", true));
}

TEST_F(CommandTest, AChatMessageIsSentToTheCompletedIdAndReportedSent)
{
    signIn();
    sendChat("ivan", "a <b> & \"c\"");
    ASSERT_TRUE(delegate_.WaitFor("OnMessageSentToChat"));
    EXPECT_EQ(sentAfterSignIn("</message>"),
        "<message id=\"#\" to=\"" + idOf("ivan") + "\" type=\"chat\"><body>a &lt;b&gt; &amp; &quot;c&quot;</body></message>");
    TestSupport::RecordingDelegate::Call sent = delegate_.CallsOf("OnMessageSentToChat")[0];
    EXPECT_EQ(sent.message->GetOtherUserId().ToUtf8(), idOf("ivan"));
    EXPECT_EQ(sent.message->GetMessage().ToUtf8(), "a <b> & \"c\"");
    EXPECT_EQ(delegate_.Count("OnMessageSentToChatFailed"), 0u);
}

// The chat goes out under the stored message's own id; the error reply that names that id
// reports the message failed. An error from someone else, or naming no sent message, does
// nothing.
TEST_F(CommandTest, AChatMessageCarriesItsIdAndAnErrorReplyToItReportsItFailed)
{
    std::unique_ptr<Message> shown = chatMessage(idOf("ivan"), "a <b> & \"c\"");
    const std::string id = std::to_string(shown->GetMessageId());
    const std::string error = "<error code='404' type='cancel'><remote-server-not-found "
                              "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/><text xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'>"
                              "No such host</text></error></message>";
    TlsScript script = ScriptedSignIn::signIn();
    script.WaitFor("</message>")
        .Send("<message from='" + idOf("mallory") + "' type='error' id='" + id + "'>" + error)
        .Send("<message from='" + idOf("ivan") + "' type='error' id='" + id + "0'>" + error)
        .Send("<message from='" + idOf("ivan") + "' type='error'>" + error)
        .Send("<message from='" + idOf("ivan") + "/desk' type='error' id='" + id + "'><body>a &lt;b&gt;</body>" + error);
    signIn(std::move(script));
    send(*shown);
    ASSERT_TRUE(delegate_.WaitFor("OnMessageSentToChatFailed"));
    EXPECT_NE(server_->Received().find("<message id=\"" + id + "\" to=\"" + idOf("ivan") +
                  "\" type=\"chat\"><body>a &lt;b&gt; &amp; &quot;c&quot;</body></message>"),
        std::string::npos)
        << server_->Received();
    EXPECT_EQ(delegate_.Count("OnMessageSentToChat"), 1u);
    ASSERT_EQ(delegate_.Count("OnMessageSentToChatFailed"), 1u) << "only the reply from the recipient counts";
    TestSupport::RecordingDelegate::Call failed = delegate_.CallsOf("OnMessageSentToChatFailed")[0];
    EXPECT_EQ(failed.message->GetMessageId(), shown->GetMessageId());
    EXPECT_EQ(failed.message->GetMessage().ToUtf8(), "a <b> & \"c\"");
    EXPECT_EQ(failed.text, "No such host");
    EXPECT_EQ(failed.code, 404);
}

TEST_F(CommandTest, AChatMessageThatCannotGoOutIsReportedFailed)
{
    sendChat(idOf("ivan").c_str(), "nobody is connected");
    ASSERT_TRUE(delegate_.WaitFor("OnMessageSentToChatFailed"));
    TestSupport::RecordingDelegate::Call failed = delegate_.CallsOf("OnMessageSentToChatFailed")[0];
    EXPECT_EQ(failed.code, 0);
    EXPECT_FALSE(failed.text.has_value());
    EXPECT_EQ(failed.message->GetMessage().ToUtf8(), "nobody is connected");
    EXPECT_EQ(delegate_.Count("OnMessageSentToChat"), 0u);
}

TEST_F(CommandTest, TheFirstRosterLeadsToTheInitialPresenceAndTheAccountQueries)
{
    const std::string own = ScriptedSignIn::bareId();
    TlsScript script = ScriptedSignIn::signIn();
    script
        .ExpectNext(
            "<iq id=\"#\" type=\"get\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" gr:ext=\"2\"/></iq>")
        .Send("<iq type='result' id='roster_1'><query xmlns='jabber:iq:roster' xmlns:gr='google:roster'>"
              "<item jid='" + idOf("bob") + "' subscription='both' name='Bob' gr:t='P'/></query></iq>")
        .ExpectNext("<presence><priority>0</priority></presence>")
        .ExpectNext("<iq id=\"#\" to=\"" + own + "\" type=\"get\"><query xmlns='google:shared-status' version='2'/></iq>")
        .ExpectNext("<iq id=\"#\" type=\"get\"><query xmlns=\"google:nosave\" /></iq>")
        .ExpectNext("<iq id=\"#\" to=\"" + own + "\" from=\"" + ScriptedSignIn::fullId() +
                    "\" type=\"get\"><usersetting xmlns=\"google:setting\"/></iq>")
        .ExpectNext("<iq id=\"#\" type=\"get\"><blocklist xmlns=\"urn:xmpp:blocking\"/></iq>")
        .ExpectNext("<iq id=\"#\" to=\"" + own + "\" type=\"get\"><vCard xmlns=\"vcard-temp\"/></iq>");
    signIn(std::move(script));
    controller_.refreshLists(false);
    ASSERT_TRUE(delegate_.WaitFor("OnAllPresenceReceived"));
    settleRequests();

    EXPECT_TRUE(server_->WaitUntilScriptDone());
    EXPECT_TRUE(server_->Failures().empty()) << testing::PrintToString(server_->Failures());
    std::unique_ptr<Contact> bob = storedContact(idOf("bob"));
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->GetNickName().ToUtf8(), "Bob");
    EXPECT_FALSE(contacts_->GetContactListRefreshing());
}

TEST_F(CommandTest, ListRefreshesMarkTheStoreAndThePendingRefreshOnlyReports)
{
    controller_.refreshLists(true);
    controller_.RefreshIgnoreList();
    settleRequests();
    EXPECT_TRUE(contacts_->GetContactListRefreshing());
    EXPECT_TRUE(contacts_->GetBlockedListRefreshing());
    EXPECT_TRUE(delegate_.Names().empty());

    controller_.refreshPendingList();
    settleRequests();
    EXPECT_EQ(delegate_.Names(), Names{"OnAllPresenceReceived"});
}

TEST_F(CommandTest, SignOutClosesTheStreamReportsAndForgetsAnUnsavedPassword)
{
    signIn();
    controller_.SignOut();
    ASSERT_TRUE(delegate_.WaitFor("OnSignOutSuccess"));
    EXPECT_EQ(sentAfterSignIn("</stream:stream>"),
        "<presence type=\"unavailable\"><priority>0</priority></presence></stream:stream>");
    EXPECT_FALSE(controller_.GetConnection()->isInitialized());
    EXPECT_TRUE(controller_.GetConnection()->isInitialLogin());
    ASSERT_NE(controller_.GetPassword(), nullptr);
    EXPECT_TRUE(controller_.GetPassword()->IsEmpty());
}

TEST_F(CommandTest, SignOutKeepsAPasswordTheUserAskedToSave)
{
    properties_->SavePassword(true);
    IMString password("kept");
    controller_.SetPassword(&password);
    controller_.SignOut();
    ASSERT_TRUE(delegate_.WaitFor("OnSignOutSuccess"));
    EXPECT_EQ(controller_.GetPassword()->ToUtf8(), "kept");
}

TEST_F(CommandTest, ASignInUsesTheAccountAsItWasWhenRequested)
{
    server_ = std::make_unique<TestSupport::ScriptedTlsServer>(
        *certificates_, std::vector<TlsScript>{ScriptedSignIn::signIn()});
    controller_.GetConnection()->setServerAddress(IMString("localhost"), server_->Port());
    IMString user(ScriptedSignIn::USER.c_str());
    IMString password(ScriptedSignIn::PASSWORD.c_str());
    controller_.SetUsername(&user);
    controller_.SetPassword(&password);
    controller_.SignIn(nullptr);
    IMString other("mallory");
    controller_.SetUsername(&other);
    controller_.SetPassword(&other);
    ASSERT_TRUE(delegate_.WaitFor("OnSignInSuccess"));
    EXPECT_TRUE(server_->Failures().empty());
}

TEST_F(CommandTest, ARefusedPasswordIsASignInErrorWithTheCheckYourPasswordText)
{
    TlsScript refusal;
    refusal.Expect(ScriptedSignIn::clientHeader())
        .Expect(ScriptedSignIn::clientAuth())
        .Send(ScriptedSignIn::serverHeader() +
              "<stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism>"
              "</mechanisms></stream:features><failure xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><not-authorized/>"
              "</failure>");
    server_ = std::make_unique<TestSupport::ScriptedTlsServer>(*certificates_, std::vector<TlsScript>{refusal});
    engine_.StartSignIn(server_->Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
    ASSERT_TRUE(delegate_.WaitFor("OnSignInError"));
    EXPECT_EQ(delegate_.CallsOf("OnSignInError")[0].text, std::string(CHECK_PASSWORD_TEXT) + ".  ");
    EXPECT_EQ(delegate_.Count("OnSignInSuccess"), 0u);
}
