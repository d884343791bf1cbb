// Sign-in time against a local Prosody on 127.0.0.1, for the client and, on the same server in
// the same run, for a second client written with slixmpp (Debian's python3-slixmpp).
//
// The client's time runs from Connection::login (connection thread, name resolution of
// "localhost", TCP, TLS with verification, stream, SASL PLAIN, bind and session requests) to
// the arrival of the "signin" notification on the response queue. slixmpp's runs from its
// connect call to its session_start event, inside one Python process (interpreter start-up
// is not counted), with a resource other than the client's. Each side signs in once to warm
// up, then 20 times; the median, the fastest and the slowest are printed. slixmpp runs under
// a time-out.
#include "BenchFigure.h"
#include "Spread.h"
#include "platform/PlatformSession.h"
#include "support/LocalProsody.h"
#include "support/RecordingController.h"
#include "support/TimedProcess.h"
#include "xmpp/Connection.h"
#include "xmpp/Constants.h"

#include "foundation/IMBoolean.h"
#include "foundation/IMHashMap.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using TestSupport::LocalProsody;
using TestSupport::RecordingController;
using TestSupport::TimedProcess;

namespace {

constexpr int Runs = 20;
const char* const Host = "localhost";
const std::string User = "bench";
const std::string Password = "stopwatch";

// Signs in Runs + 1 times, the first to warm up, and prints each time in milliseconds.
constexpr const char* SlixmppSignIns = R"(
import sys, time
import slixmpp

jid, password, port, authority, runs = sys.argv[1:6]

class Client(slixmpp.ClientXMPP):
    def __init__(self):
        super().__init__(jid + "/slixmpp-bench", password)
        self.elapsed = None
        self.add_event_handler("session_start", self.started)
        self.add_event_handler("failed_auth", lambda event: self.disconnect())

    async def started(self, event):
        self.elapsed = time.perf_counter() - self.start
        self.disconnect()

times = []
for run in range(int(runs) + 1):
    client = Client()
    client.ca_certs = authority
    client.start = time.perf_counter()
    client.connect(("127.0.0.1", int(port)), use_ssl=True)
    client.loop.run_until_complete(client.disconnected)
    if client.elapsed is None:
        sys.exit("slixmpp did not sign in")
    times.append(client.elapsed * 1000.0)
print("times:", " ".join("%.3f" % t for t in times[1:]), flush=True)
)";

bool SignedIn(RecordingController& controller)
{
    auto outcome = dynamic_cast<IMHashMap*>(controller.ObjectOf("signin"));
    IMString key("isSignInSuccess");
    auto success = outcome != nullptr ? dynamic_cast<IMBoolean*>(outcome->get(&key)) : nullptr;
    return success != nullptr && success->ToBool();
}

std::vector<double> ClientSignIns(const LocalProsody& server)
{
    RecordingController controller;
    Connection connection(&controller);
    connection.setServerAddress(IMString(Host), server.Port());
    std::vector<double> times;
    for (int run = 0; run <= Runs; ++run) {
        controller.Clear();
        IMString user(User.c_str());
        IMString password(Password.c_str());
        const auto start = RecordingController::Clock::now();
        connection.login(&user, &password);
        if (!controller.WaitFor("signin", 1, 30s) || !SignedIn(controller)) {
            throw std::runtime_error("the client did not sign in");
        }
        const std::chrono::duration<double, std::milli> elapsed = controller.ArrivalOf("signin") - start;
        if (run > 0) {
            times.push_back(elapsed.count());
        }
        connection.logout();
    }
    return times;
}

std::vector<double> SlixmppSignInTimes(const LocalProsody& server)
{
    const TimedProcess::Outcome outcome = TimedProcess::Run({"/usr/bin/python3", "-c", SlixmppSignIns,
        User + "@" + server.Domain(), Password, std::to_string(server.Port()), server.CaFile(), std::to_string(Runs)},
        120s);
    if (!outcome.Succeeded()) {
        throw std::runtime_error("slixmpp failed:\n" + outcome.output);
    }
    // slixmpp's own complaints may come with the output; the times are on their own line.
    std::istringstream words(outcome.Marked("times:").value_or(""));
    std::vector<double> times;
    for (double time = 0; times.size() < Runs && words >> time;) {
        times.push_back(time);
    }
    if (times.size() != Runs) {
        throw std::runtime_error("slixmpp printed:\n" + outcome.output);
    }
    return times;
}

void Print(const char* what, const Spread& spread)
{
    std::printf("%-58s median %7.2f ms   fastest %7.2f ms   slowest %7.2f ms\n", what, spread.median, spread.low,
        spread.high);
    std::fflush(stdout);
}

// The client's sign-in against slixmpp's on the same server; the goal is to be no slower.
void Report(const Spread& client, const Spread& slixmpp)
{
    BenchFigure figure = BenchFigure::Of("sign-in, login to signed in", client, "ms", BenchFigure::Better::LOWER);
    figure.yardstick = "slixmpp connect to session_start";
    figure.yardstickValue = slixmpp.median;
    figure.goal = 1;
    figure.goalOn = BenchFigure::GoalOn::RATIO;
    figure.Print();
}

}  // namespace

int main(int argc, char** argv)
{
    Ixa::PlatformSession platform(argc, argv);
    if (Constants::DOMAIN.ToUtf8() != Host) {
        std::fprintf(stderr, "bench_signin: the service domain must be \"%s\" (leave VELOIM_DOMAIN unset)\n", Host);
        return 1;
    }
    try {
        LocalProsody server(Host);
        server.Start();
        server.Register(User, Password);
        setenv("VELOIM_CA_FILE", server.CaFile().c_str(), 1);
        std::printf("Sign-in against a local Prosody on 127.0.0.1:%u, %d sign-ins each after one to warm up\n",
            server.Port(), Runs);
        const Spread client = Spread::Of(ClientSignIns(server));
        Print("VeloIM: login to \"signin\" notification", client);
        const Spread slixmpp = Spread::Of(SlixmppSignInTimes(server));
        Print("slixmpp: connect to session_start", slixmpp);
        Report(client, slixmpp);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_signin: %s\n", error.what());
        return 1;
    }
    return 0;
}
