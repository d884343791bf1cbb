// What the XMPP manager makes of each reader event, driven directly on a connection that is
// not connected (so nothing is sent): the notification it posts, or none, and that every
// object it is given is either handed on or freed (the sanitizer runs check the latter).
#include "support/RecordingController.h"
#include "foundation/IMInteger.h"
#include "xmpp/Chat.h"
#include "xmpp/ChatManager.h"
#include "xmpp/Connection.h"
#include "xmpp/LoginManager.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/NewIQ.h"
#include "xmpp/PresenceManager.h"
#include "xmpp/NoSaveItem.h"
#include "xmpp/NoSaveState.h"
#include "xmpp/Presence.h"
#include "xmpp/Roster.h"
#include "xmpp/ServiceSupport.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/UserSettings.h"
#include "xmpp/VCard.h"
#include "xmpp/XMPPManager.h"

#include <gtest/gtest.h>

#include <memory>

using Names = std::vector<std::string>;
using TestSupport::RecordingController;

namespace {

class XMPPManagerTest : public testing::Test {
protected:
    XMPPManagerTest() : connection_(&controller_), manager_(&connection_, &controller_) {}

    static Presence* presence(Presence::Type type)
    {
        auto presence = new Presence();
        presence->setFrom(new IMString("bob@example.org/phone"));
        if (type != Presence::Type::NONE) {
            presence->setPresenceType(type);
        }
        return presence;
    }

    static MessagePacket* message(const char* from, const char* body)
    {
        auto message = new MessagePacket();
        message->setFrom(from != nullptr ? new IMString(from) : nullptr);
        message->setBody(body != nullptr ? new IMString(body) : nullptr, false);
        return message;
    }

    static Roster* roster(IQ::Type type, const char* from)
    {
        auto roster = new Roster();
        roster->setType(type);
        roster->setFrom(from != nullptr ? new IMString(from) : nullptr);
        return roster;
    }

    RecordingController controller_;
    Connection connection_;
    XMPPManager manager_;
};

class NoSaveRecorder : public ChatListener {
public:
    void noSaveStatusChanged(Chat* chat, bool noSave) override
    {
        lastChat = chat;
        lastState = noSave;
        ++calls;
    }

    Chat* lastChat = nullptr;
    bool lastState = false;
    int calls = 0;
};

TEST_F(XMPPManagerTest, PresencesBecomeBuddyStatusOrAuthorizationByType)
{
    using Type = Presence::Type;
    for (Type type : {Type::NONE, Type::UNAVAILABLE, Type::SUBSCRIBE, Type::SUBSCRIBED, Type::UNSUBSCRIBED,
             Type::UNSUBSCRIBE, Type::PROBE, Type::ERROR, Type::AVAILABLE, Type::UNKNOWN}) {
        manager_.onEvent(presence(type), XMPPListener::PRESENCE);
    }
    EXPECT_EQ(controller_.Names(),
        (Names{"buddyStatus", "buddyStatus", "buddyAuthorize", "buddyAuthorize", "buddyAuthorize"}));
    auto first = dynamic_cast<Presence*>(controller_.ObjectOf("buddyStatus"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getPresenceType(), Type::NONE);
    EXPECT_EQ(first->getFrom()->ToUtf8(), "bob@example.org/phone");
}

TEST_F(XMPPManagerTest, MessagesNeedASenderAndABodyAndErrorsAnId)
{
    manager_.onEvent(message("bob@example.org", "hi"), XMPPListener::MESSAGE);
    manager_.onEvent(message(nullptr, "no sender"), XMPPListener::MESSAGE);
    manager_.onEvent(message("bob@example.org", nullptr), XMPPListener::MESSAGE);
    manager_.onEvent(message("bob@example.org", "bounced"), XMPPListener::MESSAGE_ERROR);
    MessagePacket* answered = message("bob@example.org", "bounced too");
    answered->setPacketID(new IMString("1733450000123"));
    manager_.onEvent(answered, XMPPListener::MESSAGE_ERROR);
    EXPECT_EQ(controller_.Names(), (Names{"message", "messageError"})) << "an error that names no message is dropped";
    auto posted = dynamic_cast<MessagePacket*>(controller_.ObjectOf("message"));
    ASSERT_NE(posted, nullptr);
    EXPECT_EQ(posted->getBody()->ToUtf8(), "hi");
    EXPECT_EQ(controller_.ObjectOf("messageError"), answered);
}

TEST_F(XMPPManagerTest, PayloadsGoOutUnderTheirNamesAndMissingObjectsPostNothing)
{
    auto settings = new UserSettings();
    settings->setType(IQ::Type::RESULT);
    manager_.onEvent(settings, XMPPListener::USER_SETTINGS);
    auto vCard = new VCard();
    vCard->setType(IQ::Type::RESULT);
    manager_.onEvent(vCard, XMPPListener::VCARD);
    auto shared = new SharedStatusMessage();
    shared->setType(IQ::Type::SET);
    manager_.onEvent(shared, XMPPListener::SHARED_STATUS);
    for (int event : {XMPPListener::PRESENCE, XMPPListener::ROSTER, XMPPListener::USER_SETTINGS, XMPPListener::VCARD,
             XMPPListener::MESSAGE, XMPPManager::NO_SAVE_STATE, XMPPListener::SHARED_STATUS}) {
        manager_.onEvent(nullptr, event);
    }
    // Codes the manager does not act on free their objects and post nothing.
    for (int event : {5, 6, 14, 15, XMPPManager::IGNORED, XMPPListener::SM_FEATURE, XMPPListener::FEATURES_END, 30, 99}) {
        manager_.onEvent(new VCard(), event);
    }
    manager_.onEvent(nullptr, XMPPListener::CONNECTION_ERROR);
    EXPECT_EQ(controller_.Names(), (Names{"myDisplayName", "displayImage", "sharedstatus", "connectionError"}));
    // The error carries the number of the attempt it belongs to.
    EXPECT_NE(dynamic_cast<IMInteger*>(controller_.ObjectOf("connectionError")), nullptr);
}

TEST_F(XMPPManagerTest, RostersAreTakenOnlyFromTheServer)
{
    manager_.onEvent(roster(IQ::Type::RESULT, nullptr), XMPPListener::ROSTER);
    manager_.onEvent(roster(IQ::Type::SET, "localhost"), XMPPListener::ROSTER);
    manager_.onEvent(roster(IQ::Type::SET, "mallory@evil.example"), XMPPListener::ROSTER);
    manager_.onEvent(roster(IQ::Type::RESULT, "mallory@evil.example/x"), XMPPListener::ROSTER);
    EXPECT_EQ(controller_.Names(), (Names{"buddylist", "buddylist"}));
}

// Sign-in events count only in their phase: before authentication a bind result, a success
// or a refusal changes nothing. The connection here is not connected, as after a reported
// loss: in its phase the bound id is kept but no success is posted; a refusal is.
TEST_F(XMPPManagerTest, SignInEventsCountOnlyInTheirPhaseAndSuccessOnlyOnAStandingConnection)
{
    manager_.onEvent(new IMString("mallory@evil.example/x"), XMPPListener::BOUND_JID);
    manager_.onEvent(nullptr, XMPPListener::AUTH_FAILURE);
    EXPECT_EQ(connection_.getUserJID(), nullptr);
    EXPECT_TRUE(controller_.Names().empty());
    LoginManager* login = manager_.getLoginManager();
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->getPhase(), LoginManager::Phase::CONNECTING);

    IMString user("alice");
    IMString password("secret");
    login->authenticate(&user, &password);
    manager_.onEvent(nullptr, XMPPListener::AUTH_SUCCESS);
    manager_.onEvent(nullptr, XMPPListener::AUTH_SUCCESS);
    EXPECT_EQ(login->getPhase(), LoginManager::Phase::RESTARTING);
    manager_.onEvent(nullptr, XMPPListener::SESSION_FEATURE);
    manager_.onEvent(nullptr, XMPPListener::BIND_FEATURE);
    EXPECT_EQ(login->getPhase(), LoginManager::Phase::RESTARTING);
    manager_.onEvent(nullptr, XMPPListener::FEATURES_END);
    EXPECT_EQ(login->getPhase(), LoginManager::Phase::BINDING);
    manager_.onEvent(new IMString("alice@localhost/Mobile"), XMPPListener::BOUND_JID);
    EXPECT_EQ(login->getPhase(), LoginManager::Phase::SIGNED_IN);
    manager_.onEvent(new IMString("mallory@evil.example/x"), XMPPListener::BOUND_JID);
    ASSERT_NE(connection_.getUserJID(), nullptr);
    EXPECT_EQ(connection_.getUserJID()->ToUtf8(), "alice@localhost/Mobile");
    manager_.onEvent(nullptr, XMPPListener::AUTH_FAILURE);
    EXPECT_TRUE(controller_.Names().empty());

    XMPPManager refused(&connection_, &controller_);
    refused.getLoginManager()->authenticate(&user, &password);
    refused.onEvent(nullptr, XMPPListener::AUTH_FAILURE);
    refused.onEvent(nullptr, XMPPListener::AUTH_FAILURE);
    EXPECT_EQ(controller_.Names(), Names{"signin"});
    auto failure = dynamic_cast<IMHashMap*>(controller_.ObjectOf("signin"));
    ASSERT_NE(failure, nullptr);
    EXPECT_EQ(failure->size(), 1);
    EXPECT_EQ(connection_.getConnectionState(), Connection::STATE_CLOSED);
}

TEST_F(XMPPManagerTest, OffTheRecordResultsReachTheOpenChat)
{
    ChatManager* chats = manager_.getChatManager();
    ASSERT_NE(chats, nullptr);
    IMString bob("bob@example.org");
    auto chat = new Chat(chats, nullptr, &bob, false);
    NoSaveRecorder recorder;
    chat->setListener(&recorder);

    auto query = new NoSaveState();
    query->setType(IQ::Type::GET);
    query->addSubPacket(new NoSaveItem(new IMString("bob@example.org"), true));
    manager_.onEvent(query, XMPPManager::NO_SAVE_STATE);
    EXPECT_EQ(recorder.calls, 0);

    auto result = new NoSaveState();
    result->setType(IQ::Type::RESULT);
    result->addSubPacket(new NoSaveItem(new IMString("carol@example.org"), false));
    result->addSubPacket(new NoSaveItem(new IMString("bob@example.org"), true));
    manager_.onEvent(result, XMPPManager::NO_SAVE_STATE);
    EXPECT_EQ(recorder.calls, 1);
    EXPECT_EQ(recorder.lastChat, chat);
    EXPECT_TRUE(recorder.lastState);
    IMString carol("carol@example.org");
    ASSERT_NE(chats->getNoSaveStatus(&carol), nullptr);
    EXPECT_FALSE(chats->getNoSaveStatus(&carol)->ToBool());
    EXPECT_TRUE(controller_.Names().empty());
}

TEST_F(XMPPManagerTest, ACleanedManagerOffersNoSubManagers)
{
    EXPECT_NE(manager_.getLoginManager(), nullptr);
    EXPECT_NE(manager_.getVCardManager(), nullptr);
    manager_.clean();
    EXPECT_EQ(manager_.getChatManager(), nullptr);
    EXPECT_EQ(manager_.getPresenceManager(), nullptr);
    EXPECT_EQ(manager_.getLoginManager(), nullptr);
    EXPECT_EQ(manager_.getRosterManager(), nullptr);
    EXPECT_EQ(manager_.getSettingsManager(), nullptr);
    EXPECT_EQ(manager_.getVCardManager(), nullptr);
}

}  // namespace

// A server without the shared status refuses it once; from then on the user's status goes as
// presence, and since no server echoes that, the manager reports each change itself.
TEST_F(XMPPManagerTest, ARefusedSharedStatusIsReportedByTheClientItself)
{
    auto refusal = [](const char* id, const char* from, XMPPError::Type type = XMPPError::Type::CANCEL) {
        auto iq = new NewIQ();
        iq->setType(IQ::Type::ERROR);
        iq->setPacketID(new IMString(id));
        iq->setFrom(from != nullptr ? new IMString(from) : nullptr);
        auto error = new XMPPError();
        error->setType(type);
        iq->setError(error);
        return iq;
    };
    IMString asked("q1");
    ServiceSupport& support = connection_.serviceSupport();
    support.asked(ServiceSupport::SHARED_STATUS, &asked);

    // Only the server speaks for its extensions, only about what was asked, and only a
    // refusal that says not to ask again counts.
    manager_.onEvent(refusal("q1", "bob@example.org"), XMPPListener::IQ_REFUSED);
    manager_.onEvent(refusal("q2", nullptr), XMPPListener::IQ_REFUSED);
    manager_.onEvent(refusal("q1", nullptr, XMPPError::Type::WAIT), XMPPListener::IQ_REFUSED);
    EXPECT_FALSE(support.isRefused(ServiceSupport::SHARED_STATUS));
    manager_.onEvent(refusal("q1", nullptr), XMPPListener::IQ_REFUSED);
    EXPECT_TRUE(support.isRefused(ServiceSupport::SHARED_STATUS));
    EXPECT_FALSE(support.isRefused(ServiceSupport::SETTINGS));
    // The refusal itself reports the status the initial presence announced: available.
    ASSERT_EQ(controller_.Names(), Names{"sharedstatus"});
    auto initial = dynamic_cast<SharedStatusMessage*>(controller_.ObjectOf("sharedstatus", 0));
    ASSERT_NE(initial, nullptr);
    EXPECT_EQ(initial->getCurrentStatus()->ToUtf8(), SharedStatusMessage::STATUS_DEFAULT);
    EXPECT_FALSE(initial->isInvisible());

    IMString text("Meeting");
    manager_.getPresenceManager()->setBusyStatus(&text);
    ASSERT_EQ(controller_.Count("sharedstatus"), 2u);
    auto busy = dynamic_cast<SharedStatusMessage*>(controller_.ObjectOf("sharedstatus", 1));
    ASSERT_NE(busy, nullptr);
    EXPECT_EQ(busy->getCurrentStatus()->ToUtf8(), SharedStatusMessage::STATUS_DND);
    EXPECT_EQ(busy->getCurrentStatusMessage()->ToUtf8(), "Meeting");
    EXPECT_FALSE(busy->isInvisible());

    manager_.getPresenceManager()->setInvisibleStatus(true);
    ASSERT_EQ(controller_.Count("sharedstatus"), 3u);
    auto invisible = dynamic_cast<SharedStatusMessage*>(controller_.ObjectOf("sharedstatus", 2));
    ASSERT_NE(invisible, nullptr);
    EXPECT_TRUE(invisible->isInvisible());
}
