// Sign-in outcomes, connection errors, received messages and the notification table, through
// the real response thread: what the delegate hears, in which order and with which texts,
// what is stored, and that every protocol object is disposed of (the sanitizer runs check
// that).
#include "EngineFixture.h"

#include "foundation/IMBoolean.h"
#include "foundation/IMHashMap.h"
#include "xmpp/Connection.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/Presence.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"

using Names = std::vector<std::string>;
using namespace std::chrono_literals;

namespace {

IMHashMap* signInOutcome(bool success)
{
    auto outcome = new IMHashMap();
    outcome->construct(16);
    outcome->add(new IMString("isSignInSuccess"), new IMBoolean(success));
    if (success) {
        outcome->add(new IMString("initialPresence"), new PresenceStatus(0));
    }
    return outcome;
}

MessagePacket* chat(const char* from, const char* body)
{
    auto message = new MessagePacket();
    message->setFrom(from != nullptr ? new IMString(from) : nullptr);
    message->setBody(body != nullptr ? new IMString(body) : nullptr, false);
    return message;
}

class SessionHandlerTest : public EngineFixture {};

}  // namespace

TEST_F(SessionHandlerTest, ASuccessfulSignInEndsTheFirstLoginAndReportsNameStatusThenSuccess)
{
    ASSERT_TRUE(controller_.GetConnection()->isInitialLogin());
    deliver("signin", signInOutcome(true));
    EXPECT_FALSE(controller_.GetConnection()->isInitialLogin());
    EXPECT_EQ(delegate_.Names(), (Names{"OnMyDisplayNameChanged", "OnClientPresenceUpdated", "OnSignInSuccess"}));
    EXPECT_EQ(delegate_.CallsOf("OnMyDisplayNameChanged")[0].text, "");
    PresenceStatus offline(PresenceStatus::OFFLINE);
    EXPECT_TRUE(delegate_.CallsOf("OnClientPresenceUpdated")[0].status.Equals(&offline));
}

TEST_F(SessionHandlerTest, AFailedSignInReportsTheCheckYourPasswordText)
{
    deliver("signin", signInOutcome(false));
    auto noEntry = new IMHashMap();
    noEntry->construct(16);
    deliver("signin", noEntry);
    std::vector<TestSupport::RecordingDelegate::Call> errors = delegate_.CallsOf("OnSignInError");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].code, 0);
    EXPECT_EQ(errors[0].text, std::string(CHECK_PASSWORD_TEXT) + ".  ");
    EXPECT_EQ(delegate_.Names(), (Names{"OnSignInError", "OnSignInError"}));
    EXPECT_TRUE(controller_.GetConnection()->isInitialLogin());
}

TEST_F(SessionHandlerTest, AConnectionErrorDuringTheFirstLoginIsASignInError)
{
    deliver("connectionError", nullptr);
    deliver("connectionError", new IMString("whatever the producer attached"));
    std::vector<TestSupport::RecordingDelegate::Call> errors = delegate_.CallsOf("OnSignInError");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].text, std::string(" ") + SIGNIN_ERROR_TEXT + ". " + NO_NETWORK_TEXT + ".  ");
    EXPECT_EQ(delegate_.Count("OnConnectionLost"), 0u);
}

// A signed-in session's loss is no error for the user: the client sets about coming back,
// the first try about a second later, and the screens hear no loss and no sign-in error.
TEST_F(SessionHandlerTest, AServerThatDropsASignedInConnectionStartsReconnecting)
{
    TestSupport::TlsScript script = ScriptedSignIn::signIn();
    script.Stall(300ms).Abort();
    signIn(std::move(script));
    ASSERT_TRUE(delegate_.WaitFor("OnReconnecting"));
    const std::vector<TestSupport::RecordingDelegate::Call> reconnecting = delegate_.CallsOf("OnReconnecting");
    EXPECT_GE(reconnecting.front().code, 1);
    EXPECT_LE(reconnecting.front().code, 2);
    Connection* connection = controller_.GetConnection();
    EXPECT_FALSE(connection->isInitialized());
    EXPECT_TRUE(connection->isInitialLogin()) << "the next login must count as a first login again";
    EXPECT_TRUE(controller_.GetReconnector()->isActive());
    EXPECT_EQ(delegate_.Count("OnConnectionLost"), 0u);
    EXPECT_EQ(delegate_.Count("OnSignInError"), 0u);
}

TEST_F(SessionHandlerTest, AMessageFromAStrangerMakesAnOffListContactAndIsStoredUnread)
{
    deliver("message", chat("Zed@Elsewhere.ORG/Phone", "hi \"there\" <&> \xF0\x9F\x98\x80"));
    deliver("message", chat(("Yan@" + idOf("yan").substr(4) + "/Phone").c_str(), "hello"));

    // One id per conversation: the contact is filed under the bare address the messages are.
    EXPECT_EQ(storedContact("zed"), nullptr);
    std::unique_ptr<Contact> zed = storedContact("zed@elsewhere.org");
    ASSERT_NE(zed, nullptr);
    EXPECT_EQ(zed->GetUserName().ToUtf8(), "zed@elsewhere.org");
    EXPECT_EQ(zed->GetNickName().ToUtf8(), "zed@elsewhere.org");
    std::unique_ptr<Contact> yan = storedContact(idOf("yan"));
    ASSERT_NE(yan, nullptr);
    EXPECT_EQ(yan->GetUserName().ToUtf8(), "yan") << "named as a roster contact of the default domain is";
    EXPECT_EQ(yan->GetNickName().ToUtf8(), idOf("yan")) << "and shown by the whole address";
    EXPECT_FALSE(zed->GetOnBuddyList());
    std::vector<TestSupport::RecordingDelegate::Call> received = delegate_.CallsOf("OnMessageReceivedToChat");
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].contact->GetContactId().ToUtf8(), "zed@elsewhere.org");
    Message& message = *received[0].message;
    EXPECT_EQ(message.GetMessage().ToUtf8(), "hi \"there\" <&> \xF0\x9F\x98\x80");
    EXPECT_EQ(message.GetOtherUserId().ToUtf8(), "zed@elsewhere.org");
    EXPECT_EQ(message.GetProtocolId().ToUtf8(), "zed");
    EXPECT_EQ(message.GetMessageType(), Message::TYPE_RECEIVED_UNREAD);

    std::unique_ptr<Message> stored(messages_->GetLastMessageWithUser(IMString("zed@elsewhere.org")));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetMessage(), message.GetMessage());
    EXPECT_EQ(stored->GetMessageType(), Message::TYPE_RECEIVED_UNREAD);
    EXPECT_EQ(messages_->GetNumUnreadMessagesWithUser(IMString("zed@elsewhere.org")), 1);
}

TEST_F(SessionHandlerTest, AMessageFromAContactComesWithThatContactAndMessagesWithoutSenderOrBodyAreDropped)
{
    storeContact(idOf("bob"), Contact::PRESENCE_AVAILABLE);
    deliver("message", chat((idOf("bob") + "/phone").c_str(), "one"));
    deliver("message", chat(nullptr, "no sender"));
    deliver("message", chat(idOf("bob").c_str(), nullptr));
    deliver("message", chat((idOf("bob") + "/phone").c_str(), "two"));

    std::vector<TestSupport::RecordingDelegate::Call> received = delegate_.CallsOf("OnMessageReceivedToChat");
    ASSERT_EQ(received.size(), 2u);
    EXPECT_TRUE(received[0].contact->GetOnBuddyList());
    EXPECT_EQ(received[0].contact->GetContactId().ToUtf8(), idOf("bob"));
    EXPECT_EQ(received[1].message->GetMessage().ToUtf8(), "two");
    EXPECT_FALSE(received[1].message->GetTimeStamp() < received[0].message->GetTimeStamp());
    EXPECT_EQ(messages_->GetNumUnreadMessagesWithUser(IMString(idOf("bob").c_str())), 2);
    EXPECT_EQ(contacts_->GetNumContacts(), 1);
}

// A name without a handler drops the notification and nobody owns its object, so those go
// without one here.
TEST_F(SessionHandlerTest, NamesReachOnlyTheirExactHandlerAndEveryObjectIsDisposedOf)
{
    storeContact(idOf("bob"), Contact::PRESENCE_AVAILABLE);
    auto roster = new Roster();
    auto item = new RosterItem();
    item->setUserJID(new IMString(idOf("bob").c_str()));
    item->setItemType(RosterItem::Type::REMOVE);
    roster->addSubPacket(item);
    deliver("BuddyList", nullptr);
    deliver("buddyinfo", nullptr);
    deliver("buddyInfo", new Presence());
    deliver("disconnect", new IMString("anything"));
    deliver("message", new Presence());
    deliver("buddylist", new MessagePacket());
    deliver("signin", nullptr);
    EXPECT_TRUE(delegate_.Names().empty());
    deliver("buddylist", roster);
    EXPECT_EQ(delegate_.Names(), (Names{"onContactDeletedFromServer", "OnAllPresenceReceived"}));
}
