// Whether the whole program keeps up with its engine: a burst of 10,000 chat messages from a
// slixmpp peer through a local Prosody on 127.0.0.1, stored by
//
// - the engine alone (no screens), and then
// - the application launched offscreen as the screen tests run it, signed in on its sign-in
//   screen with a roster of 1,000 contacts (LocalService::FileInvitations) and showing the
//   buddy list,
//
// both in the same run against the same server. A burst is timed from the burst command
// until the message store holds every message of it. Each side takes one burst (a second
// burst on the same session did not arrive in the runs so far, which is still to be found
// out); the figure is the program's rate beside the engine's (goal: at least 0.9 of it). Every peer runs under a time-out; the server
// is stopped by its process id. Not part of the test run.
#include "BenchFigure.h"
#include "Spread.h"

#include "LoginForm.h"
#include "support/AppUnderTest.h"
#include "support/EngineUnderTest.h"
#include "support/LocalService.h"
#include "support/PeerClient.h"

#include "app/IMManager.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"
#include "xmpp/Constants.h"

#include "platform/WidgetSession.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using TestSupport::EngineUnderTest;
using TestSupport::LocalService;
using TestSupport::PeerClient;

namespace {

constexpr int BurstSize = 10000;
constexpr int RosterSize = 1000;
constexpr int Bursts = 1;
const std::string Password = "keeping up";

double Seconds(Clock::duration elapsed) { return std::chrono::duration<double>(elapsed).count(); }

class Bench {
public:
    Bench()
    {
        for (const char* user : {"alice", "bob"}) {
            service_.Register(user);
        }
    }

    void Run()
    {
        std::printf("Whole program against its engine, a local Prosody on 127.0.0.1:%u\n", service_.Server().Port());
        service_.FileInvitations("alice", RosterSize);
        bob_ = service_.Online("bob", "burst");
        const Spread engine = EngineAlone();
        const Spread program = Program();
        bob_->Quit();
        std::printf("Burst of %d chat messages, %d bursts each, until every one is stored\n", BurstSize, Bursts);
        std::printf("  engine alone:  median %7.0f messages/s (min %.0f, max %.0f)\n", engine.median, engine.low, engine.high);
        std::printf("  whole program: median %7.0f messages/s (min %.0f, max %.0f), buddy list of %d showing\n", program.median, program.low,
            program.high, RosterSize);
        BenchFigure figure;
        figure.name = "whole program: 10,000-message burst stored, buddy list showing";
        figure.value = program.median;
        figure.unit = "msg/s";
        figure.yardstick = "engine alone, same burst";
        figure.yardstickValue = engine.median;
        figure.goal = 0.9;
        figure.goalOn = BenchFigure::GoalOn::RATIO;
        figure.low = program.low;
        figure.high = program.high;
        figure.Print();
    }

private:
    // Sends a burst to the engine's resource and waits until `stored` reaches `total`.
    double Burst(const std::string& side, int total, const std::function<bool(int)>& waitUntilStored, const std::function<int()>& stored)
    {
        const Clock::time_point start = Clock::now();
        bob_->Send("burst " + service_.Jid("alice") + "/Mobile " + std::to_string(BurstSize) + " m");
        if (!waitUntilStored(total)) {
            throw std::runtime_error(side + ": " + std::to_string(stored()) + " of " + std::to_string(total) + " messages stored in time");
        }
        const double rate = BurstSize / Seconds(Clock::now() - start);
        std::printf("  %s, burst %d: %.0f messages/s\n", side.c_str(), total / BurstSize, rate);
        return rate;
    }

    Spread EngineAlone()
    {
        EngineUnderTest engine;
        if (!engine.SignIn(service_.Server().Port(), "alice", Password, 120s)) {
            throw std::runtime_error("the engine did not sign in");
        }
        std::vector<double> rates;
        for (int burst = 1; burst <= Bursts; ++burst) {
            rates.push_back(Burst(
                "engine alone", burst * BurstSize,
                [&](int total) { return engine.Delegate().WaitFor("OnMessageReceivedToChat", static_cast<size_t>(total), 300s); },
                [&] { return static_cast<int>(engine.Delegate().Count("OnMessageReceivedToChat")); }));
        }
        return Spread::Of(rates);
    }

    Spread Program()
    {
        AppUnderTest app(AppUnderTest::ServerOf(service_.Server()));
        LoginForm form(app);
        if (!app.Launched() || !form.SubmitSignIn("alice", Password)) {
            throw std::runtime_error("the application did not take the sign-in");
        }
        const bool listed = app.PumpUntil(
            [] { return IMManager::GetContactModel()->GetNumContacts() >= RosterSize; }, 120s);
        if (!listed || app.Visible().form != "BUDDY_SCREEN") {
            throw std::runtime_error("the application did not show the buddy list: " + app.driver.Describe());
        }
        const IMString from(service_.Jid("bob").c_str());
        const auto stored = [&] { return IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(from); };
        std::vector<double> rates;
        for (int burst = 1; burst <= Bursts; ++burst) {
            rates.push_back(Burst(
                "whole program", burst * BurstSize, [&](int total) { return app.PumpUntil([&] { return stored() >= total; }, 300s); },
                stored));
        }
        if (app.Visible().form != "BUDDY_SCREEN") {
            throw std::runtime_error("the buddy list did not stay on screen");
        }
        return Spread::Of(rates);
    }

    LocalService service_{Password};
    std::unique_ptr<PeerClient> bob_;
};

}  // namespace

int main(int argc, char** argv)
{
    // The handset runs without a display unless one is asked for.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Ixa::WidgetSession platform(argc, argv);
    if (Constants::DOMAIN.ToUtf8() != "localhost") {
        std::fprintf(stderr, "bench_program: the service domain must be \"localhost\" (leave VELOIM_DOMAIN unset)\n");
        return 1;
    }
    try {
        Bench bench;
        bench.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_program: %s\n", error.what());
        return 1;
    }
    return 0;
}
