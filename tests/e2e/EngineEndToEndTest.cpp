// The service engine end to end, without screens: the engine (real controller, real stores,
// a recording listener behind its response delegate) signed in to a local Prosody with the
// service-extension modules, and scripted slixmpp peers (tests/e2e/peer.py) as the other
// users. Every user name is new per test, since the server keeps rosters between tests.
#include "support/EngineUnderTest.h"
#include "support/FaultProxy.h"
#include "support/LocalProsody.h"
#include "support/PeerClient.h"
#include "support/ProsodySuite.h"
#include "support/ScopedEnvironment.h"
#include "support/SecureSocketClient.h"
#include "support/TemporaryDirectory.h"

#include "store/Message.h"
#include "xmpp/Constants.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>

using namespace std::chrono_literals;
using TestSupport::EngineUnderTest;
using TestSupport::FaultProxy;
using TestSupport::LocalProsody;
using TestSupport::PeerClient;
using TestSupport::PeerEvent;
using TestSupport::ProsodySuite;
using TestSupport::RecordingDelegate;
using Call = RecordingDelegate::Call;

namespace {

constexpr std::chrono::seconds Wait{20};
const std::string Password = "through the looking glass";

std::string RandomBytes(size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

std::string Base64(const std::string& bytes)
{
    std::string encoded(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(encoded.data()),
        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    encoded.resize(static_cast<size_t>(length));
    return encoded;
}

std::string BytesOf(ContactIcon& avatar)
{
    IMByteBuffer* image = avatar.GetImageByteBuffer();
    return std::string(reinterpret_cast<const char*>(image->GetPointer()) + image->GetPosition(),
        static_cast<size_t>(image->GetRemaining()));
}

class EngineEndToEndTest : public ProsodySuite {
protected:
    void SetUp() override
    {
        ProsodySuite::SetUp();
        if (IsSkipped()) {
            return;
        }
        alice_ = NewUser("alice");
    }

    // A new account, registered on `server` (the suite's server by default).
    static std::string NewUser(const std::string& base, LocalProsody* server = nullptr)
    {
        static int serial = 0;
        std::string user = base + std::to_string(++serial);
        (server != nullptr ? server : server_)->Register(user, Password);
        return user;
    }

    static std::string Jid(const std::string& user) { return user + "@localhost"; }

    static std::unique_ptr<PeerClient> Online(
        const std::string& user, const std::string& resource = "peer", LocalProsody* server = nullptr)
    {
        return SignInPeer(server != nullptr ? *server : *server_, user, Password, resource);
    }

    // Gives `user` the contacts through a client of the user's own.
    static void MakeFriends(const std::string& user, const std::vector<Friend>& friends,
        LocalProsody* server = nullptr)
    {
        ProsodySuite::MakeFriends(*Online(user, "setup", server), friends);
    }

    // Signs the user in on a bare TLS stream (SASL PLAIN, bind, session), for stanzas no
    // client library would send.
    static void SignInBare(TestSupport::SecureSocketClient& client, const std::string& user)
    {
        ASSERT_EQ(client.Connect("127.0.0.1", server_->Port(), "localhost"), Ixa::E_SUCCESS);
        ASSERT_TRUE(client.WaitFor(TestSupport::SecureSocketClient::Event::Connected));
        const std::string opening = "<stream:stream to='localhost' xmlns='jabber:client' "
                                    "xmlns:stream='http://etherx.jabber.org/streams' version='1.0'>";
        client.Send(opening);
        ASSERT_TRUE(client.WaitUntilReceived("</stream:features>"));
        client.Send("<auth xmlns='urn:ietf:params:xml:ns:xmpp-sasl' mechanism='PLAIN'>" +
                    Base64(std::string(1, '\0') + user + std::string(1, '\0') + Password) + "</auth>");
        ASSERT_TRUE(client.WaitUntilReceived("<success"));
        client.Send(opening);
        ASSERT_TRUE(client.WaitUntilReceived("urn:ietf:params:xml:ns:xmpp-bind"));
        client.Send("<iq type='set' id='bind'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'>"
                    "<resource>bare</resource></bind></iq>"
                    "<iq type='set' id='session'><session xmlns='urn:ietf:params:xml:ns:xmpp-session'/></iq>");
        ASSERT_TRUE(client.WaitUntilReceived("id='session'"));
    }

    bool SignIn(LocalProsody* server = nullptr)
    {
        return engine_.SignIn((server != nullptr ? server : server_)->Port(), alice_, Password);
    }

    // An update of the contact, after those reported so far when `later` is set.
    std::optional<Call> ContactUpdate(
        const std::string& id, const std::function<bool(Contact&)>& match, bool later = false)
    {
        size_t skip = later ? engine_.Delegate().Count("OnContactUpdated") : 0;
        return engine_.Delegate().WaitFor("OnContactUpdated",
            [&](const Call& call) { return call.contact->GetContactId().ToUtf8() == id && match(*call.contact); },
            Wait, skip);
    }

    std::optional<Call> Received(const std::string& body)
    {
        return engine_.Delegate().WaitFor(
            "OnMessageReceivedToChat", [&](const Call& call) { return call.message->GetMessage().ToUtf8() == body; },
            Wait);
    }

    // Blocks the contact, who is on the buddy list: it shows blocked and its message does not
    // arrive; unblocked, it is back on the buddy list and its next message arrives.
    void BlockSilenceAndUnblock(const std::string& contact, PeerClient& peer)
    {
        engine_.Controller().AddToIgnoreList(new IMString(Jid(contact).c_str()));
        ASSERT_TRUE(ContactUpdate(Jid(contact), [](Contact& c) { return c.GetIsBlocked() && !c.GetOnBuddyList(); }, true));
        ExpectDone(peer, "send " + Jid(alice_) + " while blocked");
        // The server handles the peer's stanzas in order: once its roster query is answered,
        // the message before it has met the block (and not the unblocking below).
        ExpectDone(peer, "roster_get");

        IMString id(contact.c_str());
        engine_.Controller().RemoveFromIgnoreList(&id);
        ASSERT_TRUE(ContactUpdate(Jid(contact), [](Contact& c) { return !c.GetIsBlocked() && c.GetOnBuddyList(); }, true));
        ExpectDone(peer, "send " + Jid(alice_) + " after unblocking");
        ASSERT_TRUE(Received("after unblocking"));
        for (const Call& call : engine_.Delegate().CallsOf("OnMessageReceivedToChat")) {
            EXPECT_NE(call.message->GetMessage().ToUtf8(), "while blocked");
        }
    }

    // The groups of the contact's item in the user's roster as another client of the user
    // reads it, one line each.
    static std::string ServerGroupsOf(const std::string& user, const std::string& contact)
    {
        std::unique_ptr<PeerClient> other = Online(user, "reader");
        ExpectDone(*other, "roster_get");
        std::optional<PeerEvent> item = other->WaitFor(
            "roster_item", Wait, [&](const PeerEvent& event) { return event["jid"] == contact; });
        EXPECT_TRUE(other->Quit());
        return item ? (*item)["groups"] : "(not on the roster)";
    }

    void SignOut()
    {
        size_t before = engine_.Delegate().Count("OnSignOutSuccess");
        engine_.Controller().SignOut();
        ASSERT_TRUE(engine_.Delegate().WaitFor("OnSignOutSuccess", before + 1, Wait));
    }

    // Files the contact back under the default group and drops every other group here, so
    // only the server can bring them back.
    void ForgetGroupsLocally(const std::string& contact)
    {
        std::unique_ptr<Contact> stored = engine_.ContactById(contact);
        ASSERT_NE(stored, nullptr);
        stored->SetGroupName(IMString("Friends"));
        engine_.Contacts().SaveOrUpdate(stored.get());
        ASSERT_TRUE(engine_.Groups().DeleteDatabase());
    }

    std::string alice_;
    // Set before the engine's threads start (the suite's server, when there is one) and put
    // back after they have stopped.
    TestSupport::ScopedEnvironment caFile_{"VELOIM_CA_FILE", server_ != nullptr ? server_->CaFile() : std::string()};
    EngineUnderTest engine_;
};

PeerClient::Match FromUser(const std::string& bare)
{
    return [bare](const PeerEvent& event) { return event["from"].rfind(bare, 0) == 0; };
}

}  // namespace

TEST_F(EngineEndToEndTest, SignsInStoresTheRosterAndTakesTheDisplayNameFromTheSettings)
{
    const std::string bob = NewUser("bob");
    const std::string dave = NewUser("dave");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bobby B"}});
    {
        std::unique_ptr<PeerClient> own = Online(alice_, "setup");
        ExpectDone(*own, "subscribe " + Jid(dave));
        ExpectDone(*own, "raw <iq type='set'><usersetting xmlns='google:setting'>"
                         "<displayname value='Alice &amp; the Rabbit'/></usersetting></iq>");
        ASSERT_TRUE(own->Quit());
    }
    ASSERT_TRUE(SignIn()) << testing::PrintToString(engine_.Delegate().Names());

    std::unique_ptr<Contact> stored = engine_.ContactById(Jid(bob));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetNickName().ToUtf8(), "Bobby B");
    EXPECT_EQ(stored->GetUserName().ToUtf8(), bob);
    EXPECT_EQ(stored->GetGroupName().ToUtf8(), "Work") << "the group the roster item names";
    EXPECT_TRUE(stored->GetOnBuddyList());
    std::unique_ptr<Contact> invited = engine_.ContactById(Jid(dave));
    ASSERT_NE(invited, nullptr);
    EXPECT_EQ(invited->GetPresenceType(), Contact::PRESENCE_NEVER_SEEN);
    EXPECT_EQ(invited->GetGroupName().ToUtf8(), "Friends") << "an item without a group";
    for (const char* id : {"friends", "work"}) {
        std::unique_ptr<Group> group(engine_.Groups().FindByGroupId(IMString(id)));
        ASSERT_NE(group, nullptr) << id;
        EXPECT_TRUE(group->GetHasContacts());
    }

    const auto name = engine_.Delegate().WaitFor(
        "OnMyDisplayNameChanged", [](const Call& call) { return call.text == "Alice & the Rabbit"; }, Wait);
    EXPECT_TRUE(name);
    // Bob is online: the engine's initial presence brought his.
    EXPECT_TRUE(ContactUpdate(Jid(bob), [](Contact& c) { return c.GetPresenceType() == Contact::PRESENCE_AVAILABLE; }));
}

TEST_F(EngineEndToEndTest, ThePeersPresenceAndPhotoReachTheContactStore)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());

    ExpectDone(*bobPeer, "presence dnd Busy \"now\" <really>");
    EXPECT_TRUE(ContactUpdate(Jid(bob), [](Contact& c) {
        return c.GetPresenceType() == Contact::PRESENCE_BUSY && c.GetCustomMessage().ToUtf8() == "Busy \"now\" <really>";
    }));
    ExpectDone(*bobPeer, "presence away lunch");
    EXPECT_TRUE(ContactUpdate(Jid(bob), [](Contact& c) {
        return c.GetPresenceType() == Contact::PRESENCE_AWAY && c.GetCustomMessage().ToUtf8() == "lunch";
    }));
    EXPECT_FALSE(engine_.ContactById(Jid(bob))->GetIsBusy());

    TestSupport::TemporaryDirectory directory("veloim-photo");
    const std::string photo = RandomBytes(20000, 1);
    const std::string path = directory.Path() + "/bob.png";
    std::ofstream(path, std::ios::binary) << photo;
    ExpectDone(*bobPeer, "vcard_photo " + path);
    ASSERT_TRUE(engine_.Delegate().WaitFor(
        "OnContactImageUpdated", [&](const Call& call) { return call.contact->GetContactId().ToUtf8() == Jid(bob); },
        Wait));
    std::unique_ptr<ContactIcon> avatar = engine_.AvatarOf(Jid(bob));
    ASSERT_NE(avatar, nullptr);
    EXPECT_EQ(BytesOf(*avatar), photo);
    EXPECT_TRUE(engine_.ContactById(Jid(bob))->IsHavingAvatar());

    ExpectDone(*bobPeer, "presence unavailable");
    EXPECT_TRUE(
        ContactUpdate(Jid(bob), [](Contact& c) { return c.GetPresenceType() == Contact::PRESENCE_OFFLINE; }));
}

TEST_F(EngineEndToEndTest, ChatGoesBothWaysAndIsStoredAsSentReceivedAndRead)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());

    engine_.SendChat(Jid(bob), "Hello <Bob> & \"friends\" \xF0\x9F\x90\x87");
    const std::optional<PeerEvent> got = bobPeer->WaitFor("message", Wait);
    ASSERT_TRUE(got) << bobPeer->Diagnostics();
    EXPECT_EQ((*got)["body"], "Hello <Bob> & \"friends\" \xF0\x9F\x90\x87");
    EXPECT_EQ((*got)["type"], "chat");
    EXPECT_EQ((*got)["from"], Jid(alice_) + "/Mobile");
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnMessageSentToChat"));
    EXPECT_EQ(engine_.Delegate().CallsOf("OnMessageSentToChat")[0].message->GetOtherUserId().ToUtf8(), Jid(bob));

    ExpectDone(*bobPeer, "send " + Jid(alice_) + " " + PeerClient::EscapeText("Hi Alice\nsecond line"));
    std::optional<Call> received = Received("Hi Alice\nsecond line");
    ASSERT_TRUE(received);
    EXPECT_EQ(received->contact->GetContactId().ToUtf8(), Jid(bob));
    EXPECT_EQ(received->message->GetMessageType(), Message::TYPE_RECEIVED_UNREAD);
    EXPECT_EQ(engine_.Messages().GetNumUnreadMessagesWithUser(IMString(Jid(bob).c_str())), 1);

    // Opening the chat reads the conversation and marks what was received as read; the sent
    // message stays "sending" until the model side reports it sent.
    Ixa::Base::Collection::ArrayList* chat = engine_.Messages().GetAllMessagesWithUser(IMString(Jid(bob).c_str()), false);
    ASSERT_NE(chat, nullptr);
    ASSERT_EQ(chat->GetCount(), 2);
    auto first = static_cast<Message*>(chat->GetAt(0));
    auto second = static_cast<Message*>(chat->GetAt(1));
    EXPECT_EQ(first->GetMessageType(), Message::TYPE_SENDING);
    EXPECT_EQ(second->GetMessage().ToUtf8(), "Hi Alice\nsecond line");
    chat->RemoveAll(true);
    delete chat;
    EXPECT_EQ(engine_.Messages().GetNumUnreadMessagesWithUser(IMString(Jid(bob).c_str())), 0);
    std::unique_ptr<Message> last(engine_.Messages().GetLastMessageWithUser(IMString(Jid(bob).c_str())));
    EXPECT_EQ(last->GetMessageType(), Message::TYPE_RECEIVED_READ);
}

TEST_F(EngineEndToEndTest, SubscriptionRequestsReachTheDelegateAndCanBeAllowedOrDenied)
{
    const std::string erin = NewUser("erin");
    const std::string frank = NewUser("frank");
    std::unique_ptr<PeerClient> erinPeer = Online(erin);
    std::unique_ptr<PeerClient> frankPeer = Online(frank);
    ASSERT_TRUE(SignIn());

    for (const std::string* asker : {&erin, &frank}) {
        ExpectDone(asker == &erin ? *erinPeer : *frankPeer, "subscribe " + Jid(alice_));
        ASSERT_TRUE(engine_.Delegate().WaitFor(
            "OnPresenceSubscriptionRequested", [&](const Call& call) { return call.text == Jid(*asker); }, Wait))
            << *asker;
    }
    IMString erinId(erin.c_str());
    IMString frankId(Jid(frank).c_str());
    IMString unused("test");
    engine_.Controller().AllowPresenceSubscription(&erinId, &unused);
    engine_.Controller().DenyPresenceSubscription(&frankId, &unused);
    EXPECT_TRUE(erinPeer->WaitFor("subscribed", Wait, FromUser(Jid(alice_))));
    EXPECT_TRUE(frankPeer->WaitFor("unsubscribed", Wait, FromUser(Jid(alice_))));
    // Erin may now see Alice.
    EXPECT_TRUE(erinPeer->WaitFor("presence", Wait, FromUser(Jid(alice_))));
}

TEST_F(EngineEndToEndTest, AContactIsAddedRenamedAndRemoved)
{
    const std::string gina = NewUser("gina");
    std::unique_ptr<PeerClient> ginaPeer = Online(gina);
    ExpectDone(*ginaPeer, "auto_accept on");
    ASSERT_TRUE(SignIn());

    IMString typed(gina.c_str());
    IMString empty;
    engine_.Controller().CreateContactInExistingGroup(nullptr, &typed, &empty, &empty);
    // Gina accepts and asks back; Alice allows it, and Gina is a full contact.
    ASSERT_TRUE(engine_.Delegate().WaitFor(
        "OnPresenceSubscriptionRequested", [&](const Call& call) { return call.text == Jid(gina); }, Wait));
    IMString ginaId(Jid(gina).c_str());
    IMString unused("test");
    engine_.Controller().AllowPresenceSubscription(&ginaId, &unused);
    EXPECT_TRUE(ContactUpdate(Jid(gina), [](Contact& c) { return c.GetOnBuddyList() && !c.GetIsBlocked(); }));
    EXPECT_TRUE(EngineUnderTest::Eventually([&] {
        std::unique_ptr<Contact> stored = engine_.ContactById(Jid(gina));
        return stored != nullptr && stored->GetPresenceType() == Contact::PRESENCE_AVAILABLE;
    }));

    IMString newName("Gina <the> Great");
    engine_.Controller().RenameContact(&ginaId, &newName);
    EXPECT_TRUE(ContactUpdate(Jid(gina), [](Contact& c) { return c.GetNickName().ToUtf8() == "Gina <the> Great"; }));

    std::unique_ptr<Contact> contact = engine_.ContactById(Jid(gina));
    engine_.Controller().RemoveContactFromGroup(contact.get(), nullptr);
    EXPECT_TRUE(engine_.Delegate().WaitFor("onContactDeletedFromServer",
        [&](const Call& call) { return call.contact->GetContactId().ToUtf8() == Jid(gina); }, Wait));
    std::unique_ptr<Contact> marked = engine_.ContactById(Jid(gina));
    ASSERT_NE(marked, nullptr);
    EXPECT_TRUE(marked->GetIsDeleted());
    EXPECT_TRUE(ginaPeer->WaitFor("unsubscribed", Wait, FromUser(Jid(alice_))));
}

// The group chosen when adding lives on the server: the user's other clients see it there, it
// comes back with the roster at the next sign-in, and a group another client sets shows at
// the sign-in after that (the emptied group goes).
TEST_F(EngineEndToEndTest, AGroupChosenWhenAddingLivesOnTheServer)
{
    const std::string gina = NewUser("gina");
    std::unique_ptr<PeerClient> ginaPeer = Online(gina);
    ExpectDone(*ginaPeer, "auto_accept on");
    ASSERT_TRUE(SignIn());

    std::unique_ptr<Group> team(engine_.Groups().CreateGroup());
    team->SetGroupId(IMString("team"));
    team->SetGroupName(IMString("Team"));
    engine_.Groups().SaveOrUpdate(team.get());
    IMString typed(gina.c_str());
    IMString empty;
    engine_.Controller().CreateContactInExistingGroup(team.get(), &typed, &empty, &empty);
    // Gina accepts and asks back; Alice allows it, and Gina is a full contact.
    ASSERT_TRUE(engine_.Delegate().WaitFor(
        "OnPresenceSubscriptionRequested", [&](const Call& call) { return call.text == Jid(gina); }, Wait));
    IMString ginaId(Jid(gina).c_str());
    IMString unused("test");
    engine_.Controller().AllowPresenceSubscription(&ginaId, &unused);
    EXPECT_TRUE(ContactUpdate(Jid(gina), [](Contact& c) { return c.GetOnBuddyList() && c.GetGroupName().ToUtf8() == "Team"; }));
    EXPECT_EQ(ServerGroupsOf(alice_, Jid(gina)), "Team");

    SignOut();
    ForgetGroupsLocally(Jid(gina));
    ASSERT_TRUE(SignIn());
    std::unique_ptr<Contact> stored = engine_.ContactById(Jid(gina));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetGroupName().ToUtf8(), "Team");
    EXPECT_NE(std::unique_ptr<Group>(engine_.Groups().FindByGroupId(IMString("Team"))), nullptr);

    SignOut();
    {
        std::unique_ptr<PeerClient> other = Online(alice_, "other");
        ExpectDone(*other, "roster_add " + Jid(gina) + " Gina 'Old Friends'");
        ASSERT_TRUE(other->Quit());
    }
    ASSERT_TRUE(SignIn());
    stored = engine_.ContactById(Jid(gina));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetGroupName().ToUtf8(), "Old Friends");
    EXPECT_EQ(stored->GetNickName().ToUtf8(), "Gina");
    EXPECT_EQ(std::unique_ptr<Group>(engine_.Groups().FindByGroupId(IMString("team"))), nullptr)
        << "the server's roster no longer lists Team";
}

TEST_F(EngineEndToEndTest, ABlockedContactIsMarkedAndSilencedUntilUnblocked)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());

    BlockSilenceAndUnblock(bob, *bobPeer);
}

TEST_F(EngineEndToEndTest, OwnStatusMessageAndInvisibilityGoThroughTheSharedStatus)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());
    const std::string aliceMobile = Jid(alice_) + "/Mobile";
    RecordingDelegate& delegate = engine_.Delegate();

    engine_.Controller().SetClientPresence(new PresenceStatus(PresenceStatus::BUSY, IMString("In a <meeting>"), true, 0));
    EXPECT_TRUE(delegate.WaitFor("OnClientPresenceUpdated", [](const Call& call) {
        return call.status.GetPresenceStatus() == PresenceStatus::BUSY && call.text == "In a <meeting>";
    }, Wait));
    EXPECT_TRUE(bobPeer->WaitFor("presence", Wait, [&](const PeerEvent& event) {
        return event["from"] == aliceMobile && event["show"] == "dnd" && event["status"] == "In a <meeting>";
    }));

    engine_.Controller().SetClientPresence(new PresenceStatus(PresenceStatus::OFFLINE));
    EXPECT_TRUE(delegate.WaitFor("OnClientPresenceUpdated", [](const Call& call) {
        return call.status.GetPresenceStatus() == PresenceStatus::OFFLINE && call.status.GetInvisible();
    }, Wait));
    EXPECT_TRUE(bobPeer->WaitFor("presence", Wait, [&](const PeerEvent& event) {
        return event["from"] == aliceMobile && event["type"] == "unavailable";
    }));

    engine_.Controller().SetClientPresence(new PresenceStatus(PresenceStatus::AVAILABLE, IMString("Back"), false, 0));
    EXPECT_TRUE(delegate.WaitFor("OnClientPresenceUpdated", [](const Call& call) {
        return call.status.GetPresenceStatus() == PresenceStatus::AVAILABLE && !call.status.GetInvisible()
            && call.text == "Back";
    }, Wait));
    EXPECT_TRUE(bobPeer->WaitFor("presence", Wait, [&](const PeerEvent& event) {
        return event["from"] == aliceMobile && event["type"] == "available" && event["status"] == "Back";
    }));
}

// The recent status messages belong to the account: a change after signing in adds to the
// lists another client of the user left on the server, it does not replace them.
TEST_F(EngineEndToEndTest, AStatusChangeAddsToTheRecentStatusesOnTheServer)
{
    std::unique_ptr<PeerClient> own = Online(alice_, "desk");
    ExpectDone(*own, "raw <iq type='set'><query xmlns='google:shared-status' version='2'>"
                     "<status>Old one</status><show>default</show>"
                     "<status-list show='default'><status>Old one</status><status>Older</status></status-list>"
                     "<status-list show='dnd'><status>Meeting</status></status-list>"
                     "<invisible value='false'/></query></iq>");
    ASSERT_TRUE(SignIn());
    RecordingDelegate& delegate = engine_.Delegate();
    ASSERT_TRUE(delegate.WaitFor("OnClientPresenceUpdated", [](const Call& call) { return call.text == "Old one"; },
        Wait));

    engine_.Controller().SetClientPresence(new PresenceStatus(PresenceStatus::AVAILABLE, IMString("New"), false, 0));
    ASSERT_TRUE(delegate.WaitFor("OnClientPresenceUpdated", [](const Call& call) { return call.text == "New"; },
        Wait));
    ExpectDone(*own, "raw <iq type='get'><query xmlns='google:shared-status' version='2'/></iq>");
    std::optional<PeerEvent> stored = own->WaitFor("iq", Wait, [](const PeerEvent& event) {
        return event["xml"].find("google:shared-status") != std::string::npos;
    });
    ASSERT_TRUE(stored);
    EXPECT_NE((*stored)["xml"].find("<status-list show=\"default\"><status>New</status><status>Old one</status>"
                                    "<status>Older</status></status-list><status-list show=\"dnd\">"
                                    "<status>Meeting</status></status-list>"),
        std::string::npos)
        << (*stored)["xml"];
}

TEST_F(EngineEndToEndTest, SigningOutEndsTheSessionForTheContacts)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());
    ASSERT_TRUE(bobPeer->WaitFor("presence", Wait, [&](const PeerEvent& event) {
        return event["from"] == Jid(alice_) + "/Mobile" && event["type"] == "available";
    }));

    engine_.Controller().SignOut();
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnSignOutSuccess"));
    EXPECT_TRUE(bobPeer->WaitFor("presence", Wait, [&](const PeerEvent& event) {
        return event["from"] == Jid(alice_) + "/Mobile" && event["type"] == "unavailable";
    }));
    EXPECT_EQ(engine_.Delegate().Count("OnConnectionLost"), 0u);
}

TEST_F(EngineEndToEndTest, HostileBodiesAreStoredExactly)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());

    std::string large;
    for (int i = 0; large.size() < 64 * 1024; ++i) {
        large += "line " + std::to_string(i) + " <&>\"' \xC3\xA9\xF0\x9F\x98\x80\n";
    }
    const std::vector<std::string> bodies = {"\"quoted\" 'single'", "<b>not markup</b> & &amp; ]]>",
        "\xF0\x9F\x98\x80\xF0\x9F\x91\x8D\xE2\x9D\xA4\xEF\xB8\x8F", large};
    for (const std::string& body : bodies) {
        ExpectDone(*bobPeer, "send " + Jid(alice_) + " " + PeerClient::EscapeText(body));
        std::optional<Call> received = Received(body);
        ASSERT_TRUE(received) << body.substr(0, 40);
    }
    Ixa::Base::Collection::ArrayList* stored = engine_.Messages().GetAllMessagesWithUser(IMString(Jid(bob).c_str()), true);
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->GetCount(), static_cast<int>(bodies.size()));
    for (int i = 0; i < stored->GetCount(); ++i) {
        EXPECT_EQ(static_cast<Message*>(stored->GetAt(i))->GetMessage().ToUtf8(), bodies[static_cast<size_t>(i)]);
    }
    stored->RemoveAll(true);
    delete stored;
}

// The local server must take stanzas of this size (c2s_stanza_size_limit in
// testing/prosody/prosody.cfg.lua.in); its default of 256 KiB refuses the peer's vCard.
TEST_F(EngineEndToEndTest, AMegabytePhotoIsStoredAndABrokenOneDoesNotStopTheNext)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());

    TestSupport::TemporaryDirectory directory("veloim-photo");
    const std::string photo = RandomBytes(1024 * 1024, 2);
    const std::string path = directory.Path() + "/big.jpg";
    std::ofstream(path, std::ios::binary) << photo;
    ExpectDone(*bobPeer, "vcard_photo " + path);
    ASSERT_TRUE(EngineUnderTest::Eventually([&] {
        std::unique_ptr<ContactIcon> avatar = engine_.AvatarOf(Jid(bob));
        return avatar != nullptr && BytesOf(*avatar) == photo;
    })) << "the megabyte photo never arrived";

    // A picture that does not decode is dropped (the handler's own tests check that it stores
    // and reports nothing); the good one published after it still arrives. How often the
    // delegate hears of one photo depends on how the server's presence and vCard answers
    // interleave, so only the stored result is checked here.
    ExpectDone(*bobPeer, "vcard_binval %%% this is not base64 %%%");
    const std::string small = RandomBytes(3000, 3);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << small;
    ExpectDone(*bobPeer, "vcard_photo " + path);
    EXPECT_TRUE(EngineUnderTest::Eventually([&] {
        std::unique_ptr<ContactIcon> avatar = engine_.AvatarOf(Jid(bob));
        return avatar != nullptr && BytesOf(*avatar) == small;
    })) << "the photo published after the broken one never arrived";
}

TEST_F(EngineEndToEndTest, ARosterPushFromAStrangerIsIgnored)
{
    const std::string mallory = NewUser("mallory");
    ASSERT_TRUE(SignIn());
    const size_t updates = engine_.Delegate().Count("OnContactUpdated");

    // The push and a message after it, on one stream, so they arrive in that order.
    TestSupport::SecureSocketClient bare;
    SignInBare(bare, mallory);
    const std::string to = Jid(alice_) + "/Mobile";
    bare.Send("<iq type='set' id='push1' to='" + to + "'><query xmlns='jabber:iq:roster'>"
                  "<item jid='intruder@localhost' subscription='both' name='Intruder'/></query></iq>"
                  "<message type='chat' to='" + to + "'><body>knock knock</body></message>");
    ASSERT_TRUE(Received("knock knock"));
    bare.Send("</stream:stream>");
    EXPECT_EQ(engine_.ContactById("intruder@localhost"), nullptr);
    EXPECT_EQ(engine_.Delegate().Count("OnContactUpdated"), updates);
    std::unique_ptr<Contact> stranger = engine_.ContactById(Jid(mallory));
    ASSERT_NE(stranger, nullptr) << "a stranger's message files a contact under the conversation's id";
    EXPECT_FALSE(stranger->GetOnBuddyList());
}

// Servers and contacts' clients ping a client and ask what it is; a client that leaves them
// unanswered is taken for gone.
TEST_F(EngineEndToEndTest, APeersPingAndDiscoveryQueryAreAnswered)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());
    const std::string client = Jid(alice_) + "/Mobile";
    const auto ask = [&](const std::string& payload) {
        ExpectDone(*bobPeer, "raw <iq type='get' to='" + client + "'>" + payload + "</iq>");
        std::optional<PeerEvent> answer = bobPeer->WaitFor("iq", Wait);
        return answer ? *answer : PeerEvent();
    };

    PeerEvent pong = ask("<ping xmlns='urn:xmpp:ping'/>");
    EXPECT_EQ(pong["type"], "result") << pong["xml"];
    PeerEvent info = ask("<query xmlns='http://jabber.org/protocol/disco#info'/>");
    EXPECT_EQ(info["type"], "result") << info["xml"];
    for (const char* part : {"category=\"client\"", "type=\"phone\"", "name=\"VeloIM\"",
             "var=\"urn:xmpp:ping\"", "var=\"http://jabber.org/protocol/disco#info\""}) {
        EXPECT_NE(info["xml"].find(part), std::string::npos) << part << " in " << info["xml"];
    }
    PeerEvent version = ask("<query xmlns='jabber:iq:version'/>");
    EXPECT_EQ(version["type"], "error") << version["xml"];
    EXPECT_NE(version["xml"].find("service-unavailable"), std::string::npos) << version["xml"];
}

// A stranger asking the client for the user's shared status, or setting it, is refused, and
// the user's own status stays as it is.
TEST_F(EngineEndToEndTest, AStrangersSharedStatusQueryChangesNothing)
{
    const std::string mallory = NewUser("mallory");
    ASSERT_TRUE(SignIn());
    RecordingDelegate& delegate = engine_.Delegate();
    const auto busy = [](const Call& call) {
        return call.status.GetPresenceStatus() == PresenceStatus::BUSY && call.text == "In a meeting";
    };
    engine_.Controller().SetClientPresence(new PresenceStatus(PresenceStatus::BUSY, IMString("In a meeting"), true, 0));
    ASSERT_TRUE(delegate.WaitFor("OnClientPresenceUpdated", busy, Wait));

    TestSupport::SecureSocketClient bare;
    SignInBare(bare, mallory);
    const std::string to = Jid(alice_) + "/Mobile";
    bare.Send("<iq type='get' id='ss1' to='" + to + "'><query xmlns='google:shared-status' version='2'/></iq>"
              "<iq type='set' id='ss2' to='" + to + "'><query xmlns='google:shared-status' version='2'>"
              "<status>hacked</status><show>default</show></query></iq>"
              "<message type='chat' to='" + to + "'><body>after the queries</body></message>");
    ASSERT_TRUE(Received("after the queries"));
    EXPECT_TRUE(bare.WaitUntilReceived("id='ss2'")) << bare.Received();
    bare.Send("</stream:stream>");
    std::vector<Call> updates = delegate.CallsOf("OnClientPresenceUpdated");
    ASSERT_FALSE(updates.empty());
    EXPECT_TRUE(busy(updates.back())) << testing::PrintToString(updates.back().text);
    EXPECT_NE(bare.Received().find("service-unavailable"), std::string::npos) << bare.Received();
}

// Bob is signed in on his phone and his laptop: signing off on one leaves him as the other
// shows him.
TEST_F(EngineEndToEndTest, AContactOnTwoClientsStaysAvailableWhenOneSignsOff)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> phone = Online(bob, "phone");
    MakeFriends(alice_, {{phone.get(), "Bob"}});
    std::unique_ptr<PeerClient> laptop = Online(bob, "laptop");
    ASSERT_TRUE(SignIn());

    ExpectDone(*phone, "presence away on the road");
    ExpectDone(*laptop, "presence available at my desk");
    EXPECT_TRUE(ContactUpdate(Jid(bob), [](Contact& c) {
        return c.GetPresenceType() == Contact::PRESENCE_AVAILABLE && c.GetCustomMessage().ToUtf8() == "at my desk";
    }));
    // Counted before each sign-off, since the update may come before Quit returns.
    size_t before = engine_.Delegate().Count("OnContactUpdated");
    ASSERT_TRUE(laptop->Quit());
    EXPECT_TRUE(engine_.Delegate().WaitFor("OnContactUpdated", [&](const Call& call) {
        return call.contact->GetContactId().ToUtf8() == Jid(bob) &&
               call.contact->GetPresenceType() == Contact::PRESENCE_AWAY &&
               call.contact->GetCustomMessage().ToUtf8() == "on the road";
    }, Wait, before));
    before = engine_.Delegate().Count("OnContactUpdated");
    ASSERT_TRUE(phone->Quit());
    EXPECT_TRUE(engine_.Delegate().WaitFor("OnContactUpdated", [&](const Call& call) {
        return call.contact->GetContactId().ToUtf8() == Jid(bob) &&
               call.contact->GetPresenceType() == Contact::PRESENCE_OFFLINE;
    }, Wait, before));
}

// The server dies in the middle of a burst and comes back: nothing reported received is lost,
// and the client signs in again by itself (the server lost the session it could have resumed).
// Another client signs in to Alice's account with the client's own resource: the server hands
// it the session and tells the client so. The client signs the user out instead of coming back,
// which would take the session back and start the two taking it from each other.
TEST_F(EngineEndToEndTest, AnotherSignInWithTheSameResourceSignsTheUserOutForGood)
{
    ASSERT_TRUE(SignIn());
    std::unique_ptr<PeerClient> other = Online(alice_, Constants::RESOURCE.ToUtf8());
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnServerInitiatedSignOut", 1, Wait))
        << testing::PrintToString(engine_.Delegate().Names());
    EXPECT_EQ(engine_.Delegate().Count("OnReconnecting"), 0u);
    EXPECT_FALSE(engine_.Controller().GetReconnector()->isActive());
    ExpectDone(*other, "roster_get");
}

// The server dies mid-burst and comes back on its port. Alice reaches it through a proxy that
// turns her away until Bob, back first, has written to her and Carol has stayed away: so what
// Bob sent waits in the server's offline store, and the client must come back by itself, get it,
// and show each contact as it is now.
TEST_F(EngineEndToEndTest, AServerRestartLosesNothingAndTheClientComesBackByItselfToCurrentPresence)
{
    LocalProsody doomed;
    doomed.Start();
    setenv("VELOIM_CA_FILE", doomed.CaFile().c_str(), 1);
    const std::string alice = NewUser("alice", &doomed);
    const std::string bob = NewUser("bob", &doomed);
    const std::string carol = NewUser("carol", &doomed);
    alice_ = alice;
    std::unique_ptr<PeerClient> bobPeer = Online(bob, "peer", &doomed);
    std::unique_ptr<PeerClient> carolPeer = Online(carol, "peer", &doomed);
    MakeFriends(alice, {{bobPeer.get(), "Bob"}, {carolPeer.get(), "Carol"}}, &doomed);
    FaultProxy proxy(doomed.Port());
    ASSERT_TRUE(proxy.Start());
    ASSERT_TRUE(engine_.SignIn(proxy.Port(), alice, Password));
    auto available = [&](const std::string& user) {
        return engine_.ContactById(Jid(user))->GetPresenceType() == Contact::PRESENCE_AVAILABLE;
    };
    ASSERT_TRUE(EngineUnderTest::Eventually([&] { return available(bob) && available(carol); }));

    ASSERT_TRUE(bobPeer->Send("burst " + Jid(alice) + " 5000 burst-"));
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnMessageReceivedToChat", 200, Wait));
    proxy.RefuseFor(10min);
    doomed.Kill();
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnReconnecting", 1, Wait));
    bobPeer.reset();
    carolPeer.reset();

    // Everything reported received is stored, and nothing else is (the reader may still have
    // handed on a few messages it had read before the loss).
    size_t reported = 0;
    EXPECT_TRUE(EngineUnderTest::Eventually([&] {
        reported = engine_.Delegate().Count("OnMessageReceivedToChat");
        return engine_.Messages().GetNumUnreadMessagesWithUser(IMString(Jid(bob).c_str()))
            == static_cast<int>(reported);
    }));
    EXPECT_GE(reported, 200u);
    // And they are the burst's first messages, in order, none missing.
    Ixa::Base::Collection::ArrayList* stored =
        engine_.Messages().GetAllMessagesWithUser(IMString(Jid(bob).c_str()), true);
    ASSERT_NE(stored, nullptr);
    for (int i = 0; i < stored->GetCount(); ++i) {
        ASSERT_EQ(static_cast<Message*>(stored->GetAt(i))->GetMessage().ToUtf8(), "burst-" + std::to_string(i));
    }
    stored->RemoveAll(true);
    delete stored;
    EXPECT_EQ(engine_.Delegate().Count("OnSignInError"), 0u);

    const unsigned short port = doomed.Port();
    doomed.Start();
    ASSERT_EQ(doomed.Port(), port);
    bobPeer = Online(bob, "peer", &doomed);
    ExpectDone(*bobPeer, "send " + Jid(alice) + " while-you-were-away");
    EXPECT_EQ(engine_.Delegate().Count("OnReconnected"), 0u);
    proxy.RefuseFor(0ms);

    EXPECT_TRUE(engine_.Delegate().WaitFor("OnReconnected", 1, Wait)) << testing::PrintToString(engine_.Delegate().Names());
    EXPECT_TRUE(Received("while-you-were-away"));
    EXPECT_EQ(engine_.Delegate().Count("OnSignInSuccess"), 1u);
    EXPECT_EQ(engine_.Delegate().Count("OnConnectionLost"), 0u);
    // Bob is back; Carol went while the server was down, so nobody tells the fresh session she
    // is offline: the presence kept from before must not pass for current.
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnAllPresenceReceived", 2, Wait));
    EXPECT_TRUE(EngineUnderTest::Eventually([&] { return available(bob); }));
    EXPECT_FALSE(available(carol));
    size_t copies = 0;
    stored = engine_.Messages().GetAllMessagesWithUser(IMString(Jid(bob).c_str()), true);
    ASSERT_NE(stored, nullptr);
    for (int i = 0; i < stored->GetCount(); ++i) {
        copies += static_cast<Message*>(stored->GetAt(i))->GetMessage().ToUtf8() == "while-you-were-away" ? 1 : 0;
    }
    stored->RemoveAll(true);
    delete stored;
    EXPECT_EQ(copies, 1u) << "the offline copy and the archive's must be one message";
}

// While the engine is signed out, the user's phone (another client of the same account) is
// online for a while and gets Bob's first messages; then the phone goes too and the server
// holds the rest offline. Signing in again fetches from the server's archive what went to the
// phone, and the messages held offline arrive both ways: each is stored exactly once, in order.
TEST_F(EngineEndToEndTest, WhatWentToAnotherClientOrWaitedOfflineIsFetchedFromTheArchiveOnce)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    ASSERT_TRUE(SignIn());
    ExpectDone(*bobPeer, "send " + Jid(alice_) + " m0");
    ASSERT_TRUE(Received("m0"));
    SignOut();

    std::unique_ptr<PeerClient> phone = Online(alice_, "phone");
    for (int i = 1; i <= 3; ++i) {
        ExpectDone(*bobPeer, "send " + Jid(alice_) + " m" + std::to_string(i));
    }
    ASSERT_TRUE(phone->WaitFor("message", Wait, [](const PeerEvent& event) { return event["body"] == "m3"; }))
        << phone->Diagnostics();
    ASSERT_TRUE(phone->Quit());
    for (int i = 4; i <= 5; ++i) {
        ExpectDone(*bobPeer, "send " + Jid(alice_) + " m" + std::to_string(i));
    }

    ASSERT_TRUE(SignIn()) << testing::PrintToString(engine_.Delegate().Names());
    ASSERT_TRUE(Received("m5"));
    ASSERT_TRUE(Received("m1")) << "what went to the phone comes from the archive";
    // A message sent now comes after everything the catch-up and the offline store had.
    ExpectDone(*bobPeer, "send " + Jid(alice_) + " m6");
    ASSERT_TRUE(Received("m6"));
    std::string texts;
    std::unique_ptr<Ixa::Base::Collection::ArrayList> stored(
        engine_.Messages().GetAllMessagesWithUser(IMString(Jid(bob).c_str()), true));
    ASSERT_NE(stored, nullptr);
    for (int i = 0; i < stored->GetCount(); ++i) {
        auto message = static_cast<Message*>(stored->GetAt(i));
        texts += (i > 0 ? "," : "") + message->GetMessage().ToUtf8();
        EXPECT_FALSE(message->GetArchiveId().IsEmpty()) << message->GetMessage().ToUtf8();
    }
    stored->RemoveAll(true);
    EXPECT_EQ(texts, "m0,m1,m2,m3,m4,m5,m6");
    EXPECT_EQ(engine_.Delegate().Count("OnMessageReceivedToChat"), 7u);
}

namespace {

// Against a server that runs Prosody's stock modules alone, which know nothing of the
// service's roster marks and offer the standard blocking command instead.
class StockServerEndToEndTest : public EngineEndToEndTest {
protected:
    static void SetUpTestSuite() { SetUpStockSuite(); }
};

}  // namespace

TEST_F(StockServerEndToEndTest, ABlockedContactIsMarkedAndSilencedUntilUnblocked)
{
    const std::string bob = NewUser("bob");
    std::unique_ptr<PeerClient> bobPeer = Online(bob);
    MakeFriends(alice_, {{bobPeer.get(), "Bob"}});
    // A stranger blocked from another client of the user's: the blocked list the client asks
    // for names him, and until that answer has come a block would still use the roster mark,
    // which this server ignores.
    const std::string mallory = Jid(NewUser("mallory"));
    ExpectDone(*Online(alice_, "setup"),
        "raw <iq type='set'><block xmlns='urn:xmpp:blocking'><item jid='" + mallory + "'/></block></iq>");
    ASSERT_TRUE(SignIn());
    ASSERT_TRUE(ContactUpdate(mallory, [](Contact& c) { return c.GetIsBlocked() && !c.GetOnBuddyList(); }));
    std::unique_ptr<Contact> bobStored = engine_.ContactById(Jid(bob));
    ASSERT_NE(bobStored, nullptr);
    EXPECT_TRUE(!bobStored->GetIsBlocked() && bobStored->GetOnBuddyList());

    BlockSilenceAndUnblock(bob, *bobPeer);
}
