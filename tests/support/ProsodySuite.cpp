#include "ProsodySuite.h"

#include "xmpp/Constants.h"

namespace TestSupport {

LocalProsody* ProsodySuite::server_ = nullptr;

namespace {

LocalProsody* StartServer(LocalProsody::Modules modules)
{
    if (Constants::DOMAIN.ToUtf8() != "localhost") {
        return nullptr;
    }
    auto server = new LocalProsody("localhost", modules);
    server->Start();
    return server;
}

}  // namespace

void ProsodySuite::SetUpTestSuite() { server_ = StartServer(LocalProsody::Modules::WithServiceExtensions); }

void ProsodySuite::SetUpStockSuite() { server_ = StartServer(LocalProsody::Modules::Stock); }

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
    ASSERT_NO_THROW(LocalService::MakeFriends(own, friends));
}

}  // namespace TestSupport
