// The client's own ceiling for a burst of received chat messages, with no server of ours in
// the way: a scripted TLS server on 127.0.0.1 signs the client in and, once the client sends
// "go", writes 100,000 chat messages as fast as the socket takes them. The engine reads,
// handles and stores them all; the figure is messages per second from "go" until the last one
// is stored (its notification, which follows its commit, has reached the listener), and the
// stored rows are counted after. The yardstick is slixmpp (Debian's python3-slixmpp, through
// bench/burst-client.py) receiving the same stream from the same kind of server, storing
// nothing. Each figure is the median of several runs, with the fastest and slowest as spread.
//
//   bench_burst [RUNS]
#include "BenchFigure.h"
#include "ScriptedSignIn.h"
#include "Spread.h"
#include "StoredBurst.h"
#include "platform/PlatformSession.h"
#include "support/EngineUnderTest.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedTlsServer.h"
#include "support/TestCertificates.h"
#include "support/TimedProcess.h"
#include "xmpp/Constants.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using TestSupport::EngineUnderTest;
using TestSupport::ScriptedTlsServer;
using TestSupport::TestCertificates;
using TestSupport::TlsScript;

namespace {

constexpr int BurstSize = 100000;
constexpr double Goal = 100000;
const std::string Go = "go</body>";

std::string peerId() { return "bob@" + Constants::DOMAIN.ToUtf8(); }

std::string burst()
{
    const std::string head = "<message from='" + peerId() + "/peer' to='" + ScriptedSignIn::fullId() +
                             "' type='chat' id='m";
    std::string bytes;
    bytes.reserve(static_cast<size_t>(BurstSize) * (head.size() + 64));
    for (int i = 0; i < BurstSize; ++i) {
        const std::string number = std::to_string(i);
        bytes += head + number + "'><body>burst message " + number + "</body></message>";
    }
    return bytes;
}

// What slixmpp needs of a server: features before each step, and the bind answered under the
// one id the yardstick client uses.
TlsScript yardstickScript(const std::string& messages)
{
    TlsScript script;
    script.WaitFor("<stream:stream")
        .Send(ScriptedSignIn::serverHeader() +
              "<stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN"
              "</mechanism></mechanisms></stream:features>")
        .WaitFor("</auth>")
        .Send("<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>")
        .WaitFor("<stream:stream")
        .Send(ScriptedSignIn::serverHeader() + "<stream:features>" + ScriptedSignIn::bindFeature() +
              "</stream:features>")
        .WaitFor("</iq>")
        .Send("<iq type='result' id='bind_1'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>" +
              ScriptedSignIn::fullId() + "</jid></bind></iq>")
        .WaitFor(Go)
        .Send(messages);
    return script;
}

double engineRun(const TestCertificates& certificates, const std::string& messages)
{
    ScriptedTlsServer server(certificates, {ScriptedSignIn::signIn().WaitFor(Go).Send(messages)});
    EngineUnderTest engine;
    engine.StartSignIn(server.Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
    if (!engine.Delegate().WaitFor("OnSignInSuccess", 1, 30s)) {
        throw std::runtime_error("the engine did not sign in");
    }
    // A message's notification follows its commit; counted rather than waited on, so the
    // benchmark's thread does not wake for every message.
    const StoredBurst burst(BurstSize, [&] { return static_cast<int>(engine.Delegate().Count("OnMessageReceivedToChat")); });
    const double rate = burst.MessagesPerSecond("the engine", [&] { engine.SendChat(peerId(), "go"); });
    const int stored = engine.Messages().GetNumUnreadMessagesWithUser(IMString(peerId().c_str()));
    if (stored != BurstSize) {
        throw std::runtime_error("the engine stored " + std::to_string(stored) + " messages");
    }
    return rate;
}

double yardstickRun(const TestCertificates& certificates, const std::string& messages)
{
    ScriptedTlsServer server(certificates, {yardstickScript(messages)});
    TestSupport::TimedProcess::Outcome outcome = TestSupport::TimedProcess::Run(
        {"/usr/bin/python3", VELOIM_BURST_CLIENT, "--port", std::to_string(server.Port()), "--ca-file",
            certificates.CaFile(), "--jid", ScriptedSignIn::fullId(), "--password", ScriptedSignIn::PASSWORD,
            "--peer", peerId(), "--count", std::to_string(BurstSize)},
        300s);
    std::optional<std::string> received = outcome.Marked("received ");
    if (!outcome.Succeeded() || !received) {
        throw std::runtime_error("slixmpp did not receive the whole burst: " + outcome.output);
    }
    const double seconds = std::stod(received->substr(received->find(' ') + 1));
    return BurstSize / seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    Ixa::PlatformSession platform(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    try {
        TestCertificates certificates("localhost");
        TestSupport::ScopedEnvironment caFile("VELOIM_CA_FILE", certificates.CaFile());
        const std::string messages = burst();
        std::vector<double> engine;
        std::vector<double> yardstick;
        for (int run = 0; run < runs; ++run) {
            engine.push_back(engineRun(certificates, messages));
            yardstick.push_back(yardstickRun(certificates, messages));
            std::printf("  run %d: engine %9.0f messages/s, slixmpp %9.0f messages/s\n", run + 1, engine.back(),
                yardstick.back());
        }
        const Spread ours = Spread::Of(engine);
        const Spread theirs = Spread::Of(yardstick);
        std::printf("Burst of %d chat messages from a scripted server on 127.0.0.1, %d runs\n", BurstSize, runs);
        std::printf("  engine:  %9.0f messages/s median (%.0f to %.0f), until every one is stored\n", ours.median,
            ours.low, ours.high);
        std::printf("  slixmpp: %9.0f messages/s median (%.0f to %.0f), until the last one is received\n",
            theirs.median, theirs.low, theirs.high);
        BenchFigure figure =
            BenchFigure::Of("burst stored, scripted server", ours, "messages/s", BenchFigure::Better::HIGHER);
        figure.yardstick = "slixmpp receiving, storing nothing";
        figure.yardstickValue = theirs.median;
        figure.goal = Goal;
        figure.Print();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_burst: %s\n", error.what());
        return 1;
    }
    return 0;
}
