#include "LocalService.h"

#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace TestSupport {

namespace {

constexpr std::chrono::seconds PresenceWait{20};

int RosterCount(PeerClient& peer)
{
    std::optional<PeerEvent> fetched = peer.Run("roster_get", std::chrono::seconds(60));
    return fetched && fetched->Name() == "done" ? std::stoi((*fetched)["count"]) : 0;
}

}  // namespace

LocalService::LocalService(std::string password) : password_(std::move(password))
{
    server_.Start();
    setenv("VELOIM_CA_FILE", server_.CaFile().c_str(), 1);
}

LocalService::~LocalService() { unsetenv("VELOIM_CA_FILE"); }

LocalProsody& LocalService::Server() { return server_; }

const std::string& LocalService::Password() const { return password_; }

std::string LocalService::Jid(const std::string& user) const { return user + "@" + server_.Domain(); }

void LocalService::Register(const std::string& user) { server_.Register(user, password_); }

std::unique_ptr<PeerClient> LocalService::Online(
    const std::string& user, const std::string& resource, std::chrono::seconds lifetime)
{
    auto peer = std::make_unique<PeerClient>(
        PeerClient::Options{Jid(user), password_, server_.Port(), server_.CaFile(), resource, lifetime});
    peer->Start(std::chrono::seconds(60));
    return peer;
}

void LocalService::MakeFriends(const std::string& user, const std::vector<Friend>& friends)
{
    MakeFriends(*Online(user, "setup"), friends);
}

void LocalService::FileInvitations(const std::string& user, int count)
{
    std::unique_ptr<PeerClient> own = Online(user, "setup");
    for (int i = 0; i < count; ++i) {
        Expect(*own, "subscribe contact" + std::to_string(i) + "@unreachable.invalid");
    }
    // The server files the requests after the peer has sent them.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (RosterCount(*own) < count) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("the server did not file the whole roster");
        }
    }
    own->Quit();
}

void LocalService::Expect(PeerClient& peer, const std::string& command)
{
    const std::optional<PeerEvent> outcome = peer.Run(command, std::chrono::seconds(60));
    if (!outcome || outcome->Name() != "done") {
        throw std::runtime_error(command + ": " + (outcome ? (*outcome)["text"] : "no answer\n" + peer.Diagnostics()));
    }
}

void LocalService::MakeFriends(PeerClient& own, const std::vector<Friend>& friends)
{
    Expect(own, "auto_accept on");
    for (const auto& [peer, name] : friends) {
        Expect(*peer, "auto_accept on");
        const std::string jid = peer->Events().front()["jid"];
        const std::string bare = jid.substr(0, jid.find('/'));
        Expect(own, "subscribe " + bare);
        const bool subscribed = own.WaitFor("presence", PresenceWait, [&](const PeerEvent& event) {
            return event["type"] == "available" && event["from"].rfind(bare + "/", 0) == 0;
        }).has_value();
        if (!subscribed) {
            throw std::runtime_error("no presence from " + bare + " after subscribing");
        }
        Expect(own, "roster_add " + bare + " '" + name + "' Work");
        // The peer's own request comes back after its answer; signing out before accepting
        // it would leave the friendship one-way on a server that is slower to pass it on.
        const bool mutual = own.WaitFor("roster_push", PresenceWait, [&](const PeerEvent& event) {
            return event["jid"] == bare && event["subscription"] == "both";
        }).has_value();
        if (!mutual) {
            throw std::runtime_error("no mutual subscription with " + bare);
        }
    }
    if (!own.Quit()) {
        throw std::runtime_error("the user's own client did not sign out");
    }
}

}  // namespace TestSupport
