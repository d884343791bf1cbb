// Whether the whole program keeps up with its engine: a burst of 10,000 chat messages from a
// slixmpp peer through a local Prosody on 127.0.0.1, stored by
//
// - the engine alone (no screens), and then
// - the application launched offscreen as the screen tests run it, signed in on its sign-in
//   screen with a roster of 1,000 contacts (LocalService::FileInvitations) and showing the
//   buddy list,
//
// both in the same run against the same server, each side between accounts of its own
// (BurstAccounts says why). A burst is timed from the burst command until the message store
// holds every message of it; the figure is the program's rate beside the engine's (goal: at
// least 0.9 of it). Every peer runs under a time-out; the server is stopped by its process id.
// Not part of the test run.
#include "BenchFigure.h"
#include "BurstAccounts.h"
#include "StoredBurst.h"

#include "LoginForm.h"
#include "support/AppUnderTest.h"
#include "support/EngineUnderTest.h"
#include "support/LocalService.h"

#include "app/IMManager.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"
#include "xmpp/Constants.h"

#include "platform/WidgetSession.h"

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using TestSupport::EngineUnderTest;
using TestSupport::LocalService;

namespace {

constexpr int BurstSize = 10000;
constexpr int RosterSize = 1000;
const std::string Password = "keeping up";

class Bench {
public:
    void Run()
    {
        std::printf("Whole program against its engine, a local Prosody on 127.0.0.1:%u\n", service_.Server().Port());
        BurstAccounts engineSide(service_, "alice", "bob", RosterSize);
        BurstAccounts programSide(service_, "carol", "dave", RosterSize);
        const double engine = EngineAlone(engineSide);
        const double program = Program(programSide);
        std::printf("Burst of %d chat messages, until every one is stored\n", BurstSize);
        std::printf("  engine alone:  %7.0f messages/s\n", engine);
        std::printf("  whole program: %7.0f messages/s (%.2f of the engine's), buddy list of %d showing\n", program, program / engine,
            RosterSize);
        BenchFigure figure =
            StoredBurst::Figure("whole program: 10,000-message burst stored, buddy list showing", program, "engine alone, same burst", engine);
        figure.goal = 0.9;
        figure.goalOn = BenchFigure::GoalOn::RATIO;
        figure.Print();
    }

private:
    double EngineAlone(BurstAccounts& side)
    {
        EngineUnderTest engine;
        if (!engine.SignIn(service_.Server().Port(), side.Receiver(), Password, 120s)) {
            throw std::runtime_error("the engine did not sign in");
        }
        const IMString from(side.SenderJid().c_str());
        const StoredBurst burst(BurstSize, [&] { return engine.Messages().GetNumUnreadMessagesWithUser(from); });
        const double rate = burst.MessagesPerSecond("engine alone", [&] { side.Send("Mobile", BurstSize); });
        side.Quit();
        return rate;
    }

    double Program(BurstAccounts& side)
    {
        AppUnderTest app(AppUnderTest::ServerOf(service_.Server()));
        LoginForm form(app);
        if (!app.Launched() || !form.SubmitSignIn(side.Receiver(), Password)) {
            throw std::runtime_error("the application did not take the sign-in");
        }
        const bool listed = app.PumpUntil([] { return IMManager::GetContactModel()->GetNumContacts() >= RosterSize; }, 120s);
        if (!listed || app.Visible().form != "BUDDY_SCREEN") {
            throw std::runtime_error("the application did not show the buddy list: " + app.driver.Describe());
        }
        const IMString from(side.SenderJid().c_str());
        const StoredBurst burst(
            BurstSize, [&] { return IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(from); }, [&] {
                app.driver.PumpAFrame();
                StoredBurst::Sleep();
            });
        const double rate = burst.MessagesPerSecond("whole program", [&] { side.Send("Mobile", BurstSize); });
        side.Quit();
        if (app.Visible().form != "BUDDY_SCREEN") {
            throw std::runtime_error("the buddy list did not stay on screen");
        }
        return rate;
    }

    LocalService service_{Password};
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
