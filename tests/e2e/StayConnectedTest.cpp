// Staying connected, end to end: the engine signed in to the local Prosody through a fault
// proxy that cuts, stalls or refuses its connection, with a slixmpp peer on the other side.
// The client must come back by itself, resume its session where the server kept it, and
// neither lose nor double a message either way.
#include "support/EngineUnderTest.h"
#include "support/FaultProxy.h"
#include "support/PeerClient.h"
#include "support/ProsodySuite.h"
#include "support/ScopedEnvironment.h"

#include "store/Message.h"
#include "xmpp/Connection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <thread>

using namespace std::chrono_literals;
using TestSupport::EngineUnderTest;
using TestSupport::FaultProxy;
using TestSupport::PeerClient;
using TestSupport::PeerEvent;
using TestSupport::ProsodySuite;

namespace {

constexpr std::chrono::seconds Wait{30};
const std::string Password = "through the looking glass";

class StayConnectedTest : public ProsodySuite {
protected:
    void SetUp() override
    {
        ProsodySuite::SetUp();
        if (IsSkipped()) {
            return;
        }
        alice_ = NewUser("alice");
        bob_ = NewUser("bob");
        peer_ = SignInPeer(*server_, bob_, Password, "peer");
        MakeFriends(*SignInPeer(*server_, alice_, Password, "setup"), {{peer_.get(), "Bob"}});
        proxy_ = std::make_unique<FaultProxy>(server_->Port());
        ASSERT_TRUE(proxy_->Start());
        ASSERT_TRUE(engine_.SignIn(proxy_->Port(), alice_, Password)) << testing::PrintToString(engine_.Delegate().Names());
    }

    static std::string NewUser(const std::string& base)
    {
        static int serial = 0;
        std::string user = base + std::to_string(++serial);
        server_->Register(user, Password);
        return user;
    }

    static std::string Jid(const std::string& user) { return user + "@localhost"; }

    // Cuts the connection and waits until the client is back (the `count`th time).
    void CutAndWaitForReturn(size_t count)
    {
        ASSERT_GE(proxy_->Cut(), 1);
        ASSERT_TRUE(engine_.Delegate().WaitFor("OnReconnected", count, Wait))
            << testing::PrintToString(engine_.Delegate().Names());
    }

    // The texts stored in the conversation with `user`, oldest first.
    std::vector<std::string> StoredTexts(const std::string& user)
    {
        std::vector<std::string> texts;
        Ixa::Base::Collection::ArrayList* stored =
            engine_.Messages().GetAllMessagesWithUser(IMString(Jid(user).c_str()), true);
        if (stored == nullptr) {
            return texts;
        }
        for (int i = 0; i < stored->GetCount(); ++i) {
            texts.push_back(static_cast<Message*>(stored->GetAt(i))->GetMessage().ToUtf8());
        }
        stored->RemoveAll(true);
        delete stored;
        return texts;
    }

    // Which texts are missing and which doubled, as ranges, for a failure message.
    static std::string Differences(const std::vector<std::string>& stored, const std::vector<std::string>& expected)
    {
        std::map<std::string, int> counts;
        for (const std::string& text : stored) {
            ++counts[text];
        }
        std::string missing;
        std::string doubled;
        for (size_t i = 0; i < expected.size(); ++i) {
            const int count = counts[expected[i]];
            const int before = i > 0 ? counts[expected[i - 1]] : 1;
            if (count == 0 && before != 0) {
                missing += " " + std::to_string(i) + "..";
            } else if (count != 0 && before == 0) {
                missing += std::to_string(i - 1);
            }
            if (count > 1 && before <= 1) {
                doubled += " " + std::to_string(i) + "..";
            } else if (count <= 1 && i > 0 && before > 1) {
                doubled += std::to_string(i - 1);
            }
        }
        return "stored " + std::to_string(stored.size()) + "; missing:" + missing + "; doubled:" + doubled +
               "; " + FirstOutOfOrder(stored);
    }

    // Where the stored order first departs from the sent order, with the rows around it.
    static std::string FirstOutOfOrder(const std::vector<std::string>& stored)
    {
        auto number = [](const std::string& text) { return std::stoi(text.substr(text.find('-') + 1)); };
        for (size_t i = 1; i < stored.size(); ++i) {
            if (number(stored[i]) < number(stored[i - 1])) {
                std::string around;
                for (size_t j = i >= 5 ? i - 5 : 0; j < std::min(stored.size(), i + 5); ++j) {
                    around += " " + stored[j];
                }
                return "first out of order at row " + std::to_string(i) + ":" + around;
            }
        }
        return "in order";
    }

    static std::vector<std::string> Numbered(const std::string& prefix, int count)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < count; ++i) {
            texts.push_back(prefix + std::to_string(i));
        }
        return texts;
    }

    TestSupport::ScopedEnvironment caFile_{"VELOIM_CA_FILE", server_ != nullptr ? server_->CaFile() : std::string()};
    EngineUnderTest engine_;
    std::string alice_;
    std::string bob_;
    std::unique_ptr<PeerClient> peer_;
    std::unique_ptr<FaultProxy> proxy_;
};

TEST_F(StayConnectedTest, ABurstThroughFiveCutsIsStoredExactlyOnceAndInOrder)
{
    constexpr int Messages = 2000;
    std::mt19937 random(std::random_device{}());
    const unsigned seed = random();
    SCOPED_TRACE("cut points seed " + std::to_string(seed));
    std::mt19937 points(seed);
    ASSERT_TRUE(peer_->Send("burst " + Jid(alice_) + " " + std::to_string(Messages) + " burst-"));
    for (size_t cut = 1; cut <= 5; ++cut) {
        const size_t received = 300 * cut + points() % 200;
        engine_.Delegate().WaitFor("OnMessageReceivedToChat", received, 10s);
        CutAndWaitForReturn(cut);
    }
    const std::vector<std::string> expected = Numbered("burst-", Messages);
    EXPECT_TRUE(EngineUnderTest::Eventually([&] { return StoredTexts(bob_).size() >= expected.size(); }, Wait));
    const std::vector<std::string> stored = StoredTexts(bob_);
    EXPECT_EQ(stored, expected) << Differences(stored, expected) << "; fresh sign-ins after a cut: "
                                << engine_.Delegate().Count("OnAllPresenceReceived") - 1;
    EXPECT_EQ(engine_.Delegate().Count("OnConnectionLost"), 0u);
    EXPECT_EQ(engine_.Delegate().Count("OnSignInError"), 0u);
}

TEST_F(StayConnectedTest, MessagesSentThroughFiveCutsReachThePeerOnceEach)
{
    constexpr int Messages = 200;
    const std::vector<std::string> texts = Numbered("out-", Messages);
    size_t cuts = 0;
    for (int i = 0; i < Messages; ++i) {
        engine_.SendChat(Jid(bob_), texts[static_cast<size_t>(i)]);
        // Cuts land mid-stream: some messages are on the wire, some wait while reconnecting.
        if (i % 40 == 20) {
            ASSERT_TRUE(cuts == 0 || engine_.Delegate().WaitFor("OnReconnected", cuts, Wait));
            ASSERT_GE(proxy_->Cut(), 1);
            ++cuts;
        }
    }
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnReconnected", cuts, Wait));
    std::map<std::string, int> received;
    for (int i = 0; i < Messages; ++i) {
        std::optional<PeerEvent> message = peer_->WaitFor("message", Wait);
        ASSERT_TRUE(message.has_value()) << "only " << i << " arrived";
        ++received[(*message)["body"]];
    }
    // Anything sent twice would arrive by now, right behind the rest.
    EXPECT_FALSE(peer_->WaitFor("message", 2s).has_value());
    for (const std::string& text : texts) {
        EXPECT_EQ(received[text], 1) << text;
    }
    EXPECT_TRUE(EngineUnderTest::Eventually([&] {
        return engine_.Delegate().Count("OnMessageSentToChat") == static_cast<size_t>(Messages);
    }));
    EXPECT_EQ(engine_.Delegate().Count("OnMessageSentToChatFailed"), 0u);
}

TEST_F(StayConnectedTest, AStalledConnectionIsNoticedAndReplaced)
{
    engine_.Controller().GetConnection()->setKeepAliveBounds(500ms, 500ms);
    // The bounds apply from the next check on; let one pass on a flowing connection.
    ASSERT_TRUE(peer_->Send("send " + Jid(alice_) + " before"));
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnMessageReceivedToChat", 1, Wait));
    proxy_->Stall(true);
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnReconnecting", 1, Wait));
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnReconnected", 1, Wait));
    ASSERT_TRUE(peer_->Send("send " + Jid(alice_) + " after"));
    EXPECT_TRUE(EngineUnderTest::Eventually([&] { return StoredTexts(bob_).size() == 2; }));
    EXPECT_EQ(StoredTexts(bob_), (std::vector<std::string>{"before", "after"}));
}

TEST_F(StayConnectedTest, APasswordChangedMeanwhileEndsAtSignInWithoutRetryingForever)
{
    server_->Register(alice_, "a new password");
    ASSERT_GE(proxy_->Cut(), 1);
    ASSERT_TRUE(engine_.Delegate().WaitFor("OnSignInError", 1, Wait));
    EXPECT_FALSE(engine_.Controller().GetReconnector()->isActive());
    const size_t tries = proxy_->AcceptedCount();
    std::this_thread::sleep_for(3s);
    EXPECT_EQ(proxy_->AcceptedCount(), tries) << "no try after the refusal";
    EXPECT_EQ(engine_.Delegate().Count("OnReconnected"), 0u);
}

}  // namespace
