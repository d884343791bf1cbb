#include "ProsodySuite.h"

#include "xmpp/Constants.h"

#include <chrono>

namespace TestSupport {

namespace {

constexpr std::chrono::seconds PresenceWait{20};

}  // namespace

LocalProsody* ProsodySuite::server_ = nullptr;

void ProsodySuite::SetUpTestSuite()
{
    if (Constants::DOMAIN.ToUtf8() != "localhost") {
        return;
    }
    server_ = new LocalProsody();
    server_->Start();
}

void ProsodySuite::TearDownTestSuite()
{
    delete server_;
    server_ = nullptr;
}

void ProsodySuite::SetUp()
{
    if (server_ == nullptr) {
        GTEST_SKIP() << "the service domain is not \"localhost\", which the local server stands in for";
    }
}

std::unique_ptr<PeerClient> ProsodySuite::SignInPeer(const LocalProsody& server,
    const std::string& user, const std::string& password, const std::string& resource)
{
    auto peer = std::make_unique<PeerClient>(PeerClient::Options{
        user + "@" + server.Domain(), password, server.Port(), server.CaFile(), resource});
    peer->Start();
    return peer;
}

void ProsodySuite::ExpectDone(PeerClient& peer, const std::string& command)
{
    const std::optional<PeerEvent> outcome = peer.Run(command);
    ASSERT_TRUE(outcome) << command << ": no outcome\n" << peer.Diagnostics();
    EXPECT_EQ(outcome->Name(), "done") << command << ": " << (*outcome)["text"];
}

void ProsodySuite::MakeFriends(PeerClient& own, const std::vector<Friend>& friends)
{
    ExpectDone(own, "auto_accept on");
    for (const auto& [peer, name] : friends) {
        ExpectDone(*peer, "auto_accept on");
        const std::string jid = peer->Events().front()["jid"];
        const std::string bare = jid.substr(0, jid.find('/'));
        ExpectDone(own, "subscribe " + bare);
        ASSERT_TRUE(own.WaitFor("presence", PresenceWait, [&](const PeerEvent& event) {
            return event["type"] == "available" && event["from"].rfind(bare + "/", 0) == 0;
        })) << bare;
        ExpectDone(own, "roster_add " + bare + " '" + name + "' Work");
    }
    ASSERT_TRUE(own.Quit());
}

}  // namespace TestSupport
