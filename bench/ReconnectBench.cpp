// How long a cut connection keeps messages from flowing, beside a fresh sign-in's time in the
// same run. The engine (real controller and stores) signs in to a local Prosody with stream
// management through a fault proxy on 127.0.0.1; a slixmpp peer (tests/e2e/peer.py), one of the
// user's contacts, sends numbered chat messages.
//
// - Fresh sign-in: from the sign-in request until signed in with the roster merged (what the
//   application waits for before it shows the lists), after one to warm up; the engine signs
//   out between two.
// - A cut: the peer sends a few messages, the proxy resets the engine's connection (the server
//   sees it end at once too), and the peer goes on sending one message every Interval. The time
//   runs from the cut until the engine has stored a message the peer sent after it. Cuts
//   times with the engine's own back-off (the first try about a second after the loss, ±20 %),
//   then Cuts times with the try started as soon as the engine reports it is reconnecting,
//   which leaves the protocol's own cost. A cut counts as resumed when the stream-management
//   session id is the same afterwards.
// At the end every numbered message must be stored exactly once and in order; the bench says
// how many were missing, duplicated or out of order. Every wait has a time-out.
#include "BenchFigure.h"
#include "Spread.h"
#include "platform/PlatformSession.h"
#include "support/EngineUnderTest.h"
#include "support/FaultProxy.h"
#include "support/LocalService.h"
#include "support/PeerClient.h"
#include "xmpp/Connection.h"
#include "xmpp/Constants.h"

#include "store/Message.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using TestSupport::EngineUnderTest;
using TestSupport::FaultProxy;
using TestSupport::LocalService;
using TestSupport::PeerClient;
using TestSupport::RecordingDelegate;

namespace {

constexpr int FreshSignIns = 5;
constexpr int Cuts = 20;
constexpr int SentBeforeCut = 3;
constexpr std::chrono::milliseconds Interval{50};
constexpr std::chrono::seconds Wait{30};
const std::string User = "alice";
const std::string Contact = "bob";
const std::string Password = "stopwatch";
const std::string Prefix = "n";

double Milliseconds(Clock::duration elapsed) { return std::chrono::duration<double, std::milli>(elapsed).count(); }

// The value at `fraction` of the sorted times, interpolated between neighbours.
double Percentile(std::vector<double> times, double fraction)
{
    std::sort(times.begin(), times.end());
    const double position = fraction * static_cast<double>(times.size() - 1);
    const size_t below = static_cast<size_t>(std::floor(position));
    const size_t above = std::min(below + 1, times.size() - 1);
    return times[below] + (times[above] - times[below]) * (position - static_cast<double>(below));
}

void PrintRow(const std::string& what, const std::vector<double>& times, const std::string& resumed)
{
    std::printf("%-52s %9.1f ms %9.1f ms   %s\n", what.c_str(), Percentile(times, 0.5), Percentile(times, 0.95),
        resumed.c_str());
    std::fflush(stdout);
}

// The number of a numbered message, -1 for any other text.
int NumberOf(const std::string& body)
{
    if (body.rfind(Prefix, 0) != 0 || body.size() == Prefix.size()) {
        return -1;
    }
    const std::string digits = body.substr(Prefix.size());
    const bool numeric = std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return numeric ? std::stoi(digits) : -1;
}

class Bench {
public:
    Bench() : service_(Password), proxy_(service_.Server().Port())
    {
        service_.Register(User);
        service_.Register(Contact);
        contact_ = service_.Online(Contact, "peer");
        service_.MakeFriends(User, {{contact_.get(), "Bob"}});
        if (!proxy_.Start()) {
            throw std::runtime_error("the fault proxy cannot listen");
        }
    }

    ~Bench() { contact_->Quit(); }

    void Run()
    {
        std::printf("Reconnect through a fault proxy in front of a local Prosody on 127.0.0.1:%u\n",
            service_.Server().Port());
        std::printf("%-52s %12s %12s   %s\n", "", "median", "p95", "resumed");
        const std::vector<double> signIns = SignIns();
        PrintRow("fresh sign-in, request to roster merged (" + std::to_string(FreshSignIns) + ")", signIns, "");
        freshSignIn_ = Spread::Of(signIns);
        Report("fresh sign-in, request to roster merged", freshSignIn_, "", BenchFigure::None);
        const size_t signedIn = engine_.Delegate().Count("OnSignInSuccess");
        const size_t reconnected = engine_.Delegate().Count("OnReconnected");
        Report("cut to messages flowing, engine's back-off", RunCuts("cut to messages flowing, engine's back-off", false),
            "fresh sign-in", BenchFigure::None);
        Report("cut to messages flowing, try at once", RunCuts("cut to messages flowing, try at once", true),
            "fresh sign-in", 1);
        std::printf("Reconnects reported: %zu; fresh sign-ins reported meanwhile: %zu\n",
            engine_.Delegate().Count("OnReconnected") - reconnected,
            engine_.Delegate().Count("OnSignInSuccess") - signedIn);
        CheckStored();
    }

private:
    std::vector<double> SignIns()
    {
        std::vector<double> times;
        for (int run = 0; run <= FreshSignIns; ++run) {
            const Clock::time_point start = Clock::now();
            if (!engine_.SignIn(proxy_.Port(), User, Password, Wait)) {
                throw std::runtime_error("the engine did not sign in");
            }
            if (run > 0) {
                times.push_back(Milliseconds(Clock::now() - start));
            }
            if (run < FreshSignIns) {
                SignOut();
            }
        }
        return times;
    }

    void SignOut()
    {
        const size_t signedOut = engine_.Delegate().Count("OnSignOutSuccess");
        engine_.Controller().SignOut();
        if (!engine_.Delegate().WaitFor("OnSignOutSuccess", signedOut + 1, Wait)) {
            throw std::runtime_error("the engine did not sign out");
        }
    }

    // A resumption tried at once should cost no more than signing in afresh; the back-off's
    // first wait is deliberate, so its row has no goal.
    void Report(const std::string& name, const Spread& times, const std::string& yardstick, double ratioGoal) const
    {
        BenchFigure figure = BenchFigure::Of("reconnect: " + name, times, "ms", BenchFigure::Better::LOWER);
        if (!yardstick.empty()) {
            figure.yardstick = yardstick;
            figure.yardstickValue = freshSignIn_.median;
            figure.goal = ratioGoal;
            figure.goalOn = BenchFigure::GoalOn::RATIO;
        }
        figure.Print();
    }

    Spread RunCuts(const std::string& what, bool tryAtOnce)
    {
        std::vector<double> times;
        int resumed = 0;
        for (int cut = 0; cut < Cuts; ++cut) {
            const std::string session = SessionId();
            times.push_back(Cut(tryAtOnce));
            resumed += !session.empty() && SessionId() == session ? 1 : 0;
        }
        PrintRow(what + " (" + std::to_string(Cuts) + ")", times,
            std::to_string(resumed) + " of " + std::to_string(Cuts));
        return Spread::Of(times);
    }

    // One cut; answers the milliseconds until a message sent after it was stored.
    double Cut(bool tryAtOnce)
    {
        RecordingDelegate& delegate = engine_.Delegate();
        for (int i = 0; i < SentBeforeCut; ++i) {
            SendNext();
        }
        const size_t reconnecting = delegate.Count("OnReconnecting");
        const size_t reconnected = delegate.Count("OnReconnected");
        const size_t received = delegate.Count("OnMessageReceivedToChat");
        const int firstAfterCut = sent_;
        const Clock::time_point start = Clock::now();
        if (proxy_.Cut() == 0) {
            throw std::runtime_error("the engine had no connection to cut");
        }
        SendNext();
        if (tryAtOnce) {
            if (!delegate.WaitFor("OnReconnecting", reconnecting + 1, Wait)) {
                throw std::runtime_error("the engine did not report the loss");
            }
            engine_.Controller().ReconnectNow();
        }
        const auto afterCut = [&](const RecordingDelegate::Call& call) {
            return NumberOf(call.message->GetMessage().ToUtf8()) >= firstAfterCut;
        };
        while (!delegate.WaitFor("OnMessageReceivedToChat", afterCut, Interval, received)) {
            if (Clock::now() - start > Wait) {
                throw std::runtime_error("no message came through after a cut");
            }
            SendNext();
        }
        const double elapsed = Milliseconds(Clock::now() - start);
        if (!delegate.WaitFor("OnReconnected", reconnected + 1, Wait)) {
            throw std::runtime_error("the engine did not report the reconnect");
        }
        // Whatever is still on its way comes before the next cut; what never comes is counted
        // missing at the end.
        delegate.WaitFor("OnMessageReceivedToChat", static_cast<size_t>(sent_), 5s);
        return elapsed;
    }

    void SendNext()
    {
        LocalService::Expect(*contact_, "send " + service_.Jid(User) + " " + Prefix + std::to_string(sent_));
        ++sent_;
    }

    std::string SessionId() { return engine_.Controller().GetConnection()->streamManagement().sessionId(); }

    void CheckStored()
    {
        const IMString contact(service_.Jid(Contact).c_str());
        EngineUnderTest::Eventually(
            [&] { return engine_.Messages().GetNumUnreadMessagesWithUser(contact) >= sent_; }, 10s);
        Ixa::Base::Collection::ArrayList* stored = engine_.Messages().GetAllMessagesWithUser(contact, true);
        if (stored == nullptr) {
            throw std::runtime_error("the engine's message store cannot be read");
        }
        // A second copy is counted duplicated only; a first copy is out of order when a later
        // message's first copy came before it.
        std::map<int, int> copies;
        int outOfOrder = 0;
        int highest = -1;
        for (int i = 0; i < stored->GetCount(); ++i) {
            const int number = NumberOf(static_cast<Message*>(stored->GetAt(i))->GetMessage().ToUtf8());
            if (++copies[number] == 1) {
                outOfOrder += number < highest ? 1 : 0;
                highest = std::max(highest, number);
            }
        }
        const int count = stored->GetCount();
        stored->RemoveAll(true);
        delete stored;
        int missing = 0;
        int duplicated = 0;
        for (int number = 0; number < sent_; ++number) {
            const int times = copies.count(number) != 0 ? copies[number] : 0;
            missing += times == 0 ? 1 : 0;
            duplicated += std::max(times - 1, 0);
        }
        std::printf("Numbered messages from the peer: %d sent, %d stored; %d missing, %d duplicated, %d out of order\n",
            sent_, count, missing, duplicated, outOfOrder);
    }

    LocalService service_;
    FaultProxy proxy_;
    std::unique_ptr<PeerClient> contact_;
    EngineUnderTest engine_;
    Spread freshSignIn_;
    int sent_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    Ixa::PlatformSession platform(argc, argv);
    if (Constants::DOMAIN.ToUtf8() != "localhost") {
        std::fprintf(stderr, "bench_reconnect: the service domain must be \"localhost\" (leave VELOIM_DOMAIN unset)\n");
        return 1;
    }
    try {
        Bench bench;
        bench.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_reconnect: %s\n", error.what());
        return 1;
    }
    return 0;
}
