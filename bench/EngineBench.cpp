// The service engine against a local Prosody on 127.0.0.1, with slixmpp (Debian's
// python3-slixmpp, through tests/e2e/peer.py) as the yardstick in the same run:
//
// - A burst of messages from a slixmpp peer to the engine: messages per second from the
//   burst command until the engine has stored (and reported) the last one; then the same
//   burst to a slixmpp client signed in to the same account, until it has received the
//   last one.
// - Sign-in with a roster of 1,000 contacts: from the sign-in request (with the list
//   refresh the application makes on success) until all presence is received, i.e. the
//   roster is merged into the contact store; then slixmpp's sign-in to a fetched roster, and
//   its fetch of the same roster alone.
//
// The roster's contacts are invitations the user sent (LocalService::FileInvitations). The
// engine and slixmpp each take their burst between accounts of their own (BurstAccounts says
// why). Every peer runs under a time-out; the server is stopped by its process id.
#include "BenchFigure.h"
#include "BurstAccounts.h"
#include "StoredBurst.h"

#include "platform/PlatformSession.h"
#include "support/EngineUnderTest.h"
#include "support/LocalService.h"
#include "support/PeerClient.h"
#include "xmpp/Constants.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using TestSupport::EngineUnderTest;
using TestSupport::LocalService;
using TestSupport::PeerClient;
using TestSupport::PeerEvent;

namespace {

constexpr int BurstSize = 10000;
constexpr int RosterSize = 1000;
const std::string Password = "stopwatch";

double Milliseconds(Clock::duration elapsed) { return std::chrono::duration<double, std::milli>(elapsed).count(); }

class Bench {
public:
    void Run()
    {
        std::printf("Engine against a local Prosody on 127.0.0.1:%u, slixmpp as the yardstick\n", service_.Server().Port());
        BurstAccounts engineSide(service_, "alice", "bob", RosterSize);
        BurstAccounts yardstickSide(service_, "carol", "dave", 0);
        SignInWithRoster(engineSide.Receiver());
        Burst(engineSide, yardstickSide);
    }

private:
    void SignInWithRoster(const std::string& user)
    {
        EngineUnderTest engine;
        Clock::time_point start = Clock::now();
        if (!engine.SignIn(service_.Server().Port(), user, Password, 120s)) {
            throw std::runtime_error("the engine did not sign in");
        }
        double engineTime = Milliseconds(Clock::now() - start);
        int stored = engine.Contacts().GetNumContacts();
        engine.Controller().SignOut();
        engine.Delegate().WaitFor("OnSignOutSuccess", 1, 30s);

        start = Clock::now();
        std::unique_ptr<PeerClient> yardstick = service_.Online(user, "yardstick");
        double slixmppSignIn = Milliseconds(Clock::now() - start);
        start = Clock::now();
        std::optional<PeerEvent> fetched = yardstick->Run("roster_get", 60s);
        double slixmppFetch = Milliseconds(Clock::now() - start);
        yardstick->Quit();

        std::printf("Sign-in to all presence received, roster of %d (%d contacts stored)\n", RosterSize, stored);
        std::printf("  engine:  %9.1f ms  (sign-in request to roster merged)\n", engineTime);
        std::printf("  slixmpp: %9.1f ms  (interpreter start, sign-in and roster fetch)\n", slixmppSignIn);
        std::printf("  slixmpp: %9.1f ms  (roster fetch alone, %s items)\n", slixmppFetch,
            fetched ? (*fetched)["count"].c_str() : "?");
        BenchFigure figure;
        figure.name = "engine: sign-in to a roster of 1,000 merged, local Prosody";
        figure.value = engineTime;
        figure.unit = "ms";
        figure.better = BenchFigure::Better::LOWER;
        figure.yardstick = "slixmpp: interpreter start, sign-in and roster fetch";
        figure.yardstickValue = slixmppSignIn;
        figure.Print();
    }

    void Burst(BurstAccounts& engineSide, BurstAccounts& yardstickSide)
    {
        double engineRate = 0;
        {
            EngineUnderTest engine;
            if (!engine.SignIn(service_.Server().Port(), engineSide.Receiver(), Password, 120s)) {
                throw std::runtime_error("the engine did not sign in");
            }
            const IMString from(engineSide.SenderJid().c_str());
            const StoredBurst burst(BurstSize, [&] { return engine.Messages().GetNumUnreadMessagesWithUser(from); });
            engineRate = burst.MessagesPerSecond("the engine", [&] { engineSide.Send("Mobile", BurstSize); });
        }
        engineSide.Quit();
        std::unique_ptr<PeerClient> yardstick = service_.Online(yardstickSide.Receiver(), "yardstick");
        const std::string last = "m" + std::to_string(BurstSize - 1);
        Clock::time_point start = Clock::now();
        yardstickSide.Send("yardstick", BurstSize);
        if (!yardstick->WaitFor("message", 300s, [&](const PeerEvent& event) { return event["body"] == last; })) {
            throw std::runtime_error("slixmpp did not receive the whole burst");
        }
        double slixmppRate = BurstSize / (Milliseconds(Clock::now() - start) / 1000);
        yardstick->Quit();
        yardstickSide.Quit();

        std::printf("Burst of %d chat messages from a slixmpp peer\n", BurstSize);
        std::printf("  engine:  %9.0f messages/s  (until every one is stored)\n", engineRate);
        std::printf("  slixmpp: %9.0f messages/s  (until the last one is received)\n", slixmppRate);
        StoredBurst::Figure("engine: 10,000-message burst stored, local Prosody", engineRate,
            "slixmpp receiving the same burst, storing nothing", slixmppRate)
            .Print();
    }

    LocalService service_{Password};
};

}  // namespace

int main(int argc, char** argv)
{
    Ixa::PlatformSession platform(argc, argv);
    if (Constants::DOMAIN.ToUtf8() != "localhost") {
        std::fprintf(stderr, "bench_engine: the service domain must be \"localhost\" (leave VELOIM_DOMAIN unset)\n");
        return 1;
    }
    try {
        Bench bench;
        bench.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_engine: %s\n", error.what());
        return 1;
    }
    return 0;
}
