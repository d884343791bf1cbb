#include "support/LocalProsody.h"
#include "support/ProcessLauncher.h"
#include "support/SecureSocketClient.h"
#include "support/TemporaryDirectory.h"
#include "support/TimedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

using namespace Ixa;
using namespace Ixa::Net::Sockets;
using namespace std::chrono_literals;
using TestSupport::LocalProsody;
using TestSupport::ProcessLauncher;
using TestSupport::SecureSocketClient;
using TestSupport::TemporaryDirectory;
using TestSupport::TimedProcess;
using Event = SecureSocketClient::Event;

namespace {

// A second, independent client: signs in with slixmpp over TLS from the first byte, trusting
// only the given authority, and prints how it ended on its "outcome:" line. Before that it
// logs the warning slixmpp itself gives on a machine without its compiled module, so the
// reading of the outcome is proven to hold with or without such lines around it.
constexpr const char* SlixmppSignIn = R"(
import logging
import sys
import slixmpp

chatter = "Using slower stringprep, consider compiling the faster cython/libidn one."
logging.getLogger("slixmpp.stringprep").warning(chatter)
print(chatter, flush=True)

jid, password, port, authority = sys.argv[1:5]

class Client(slixmpp.ClientXMPP):
    def __init__(self):
        super().__init__(jid + "/e2e", password)
        self.outcome = "no outcome"
        self.add_event_handler("session_start", self.started)
        self.add_event_handler("failed_auth", self.failed)

    async def started(self, event):
        self.outcome = "session started"
        self.disconnect()

    def failed(self, event):
        self.outcome = "authentication failed"
        self.disconnect()

client = Client()
client.ca_certs = authority
client.connect(("127.0.0.1", int(port)), use_ssl=True)
client.loop.run_until_complete(client.disconnected)
print("outcome:", client.outcome)
)";

// What the client's "outcome:" line says; empty without one.
std::string SignInWithSlixmpp(const LocalProsody& server, const std::string& user,
    const std::string& password)
{
    const TimedProcess::Outcome outcome = TimedProcess::Run({"/usr/bin/python3", "-c",
        SlixmppSignIn, user + "@" + server.Domain(), password, std::to_string(server.Port()),
        server.CaFile()}, 30s);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.output;
    const std::optional<std::string> said = outcome.Marked("outcome: ");
    EXPECT_TRUE(said) << outcome.output;
    return said.value_or("");
}

class LocalProsodyTest : public testing::Test {
protected:
    void TearDown() override { unsetenv("VELOIM_CA_FILE"); }
};

TEST_F(LocalProsodyTest, ServesStreamsOverVerifiedTlsAndSignsInARealClient)
{
    LocalProsody server;
    server.Start();
    server.Register("alice", "wonderland");
    setenv("VELOIM_CA_FILE", server.CaFile().c_str(), 1);

    SecureSocketClient client;
    ASSERT_EQ(client.Connect("127.0.0.1", server.Port(), server.Domain()), E_SUCCESS);
    ASSERT_TRUE(client.WaitFor(Event::Connected));
    ASSERT_EQ(client.Send("<stream:stream to='" + server.Domain()
                  + "' xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'"
                    " version='1.0'>"),
        E_SUCCESS);
    ASSERT_TRUE(client.WaitUntilReceived("</stream:features>"));
    const std::string opening = client.Received();
    EXPECT_EQ(opening.rfind("<?xml", 0), 0u) << opening;
    EXPECT_NE(opening.find("<stream:stream"), std::string::npos) << opening;
    EXPECT_NE(opening.find("<mechanism>PLAIN</mechanism>"), std::string::npos) << opening;
    ASSERT_EQ(client.Send("</stream:stream>"), E_SUCCESS);
    ASSERT_TRUE(client.WaitFor(Event::Closed));
    EXPECT_EQ(client.ClosedReason(), NET_SOCKET_CLOSED_REASON_REMOTE_HOST);

    // The certificate is for the domain, not for the address connected to.
    SecureSocketClient wrongName;
    ASSERT_EQ(wrongName.Connect("127.0.0.1", server.Port(), "127.0.0.1"), E_SUCCESS);
    ASSERT_TRUE(wrongName.WaitFor(Event::Closed));
    EXPECT_EQ(wrongName.ClosedReason(), NET_SOCKET_CLOSED_REASON_SERVER_CERT_FAILED);

    EXPECT_EQ(SignInWithSlixmpp(server, "alice", "wonderland"), "session started");
    EXPECT_EQ(SignInWithSlixmpp(server, "alice", "looking-glass"), "authentication failed");

    server.Stop();
    SecureSocketClient afterStop;
    ASSERT_EQ(afterStop.Connect("127.0.0.1", server.Port(), server.Domain()), E_SUCCESS);
    ASSERT_TRUE(afterStop.WaitFor(Event::Closed));
    EXPECT_EQ(afterStop.ClosedReason(), NET_SOCKET_CLOSED_REASON_CONNECT_FAILED);
}

// The server follows the process that started it: an owner killed outright, with no chance to
// stop anything, takes its server and the helper's watchdog with it, and a later stop of the
// instance still succeeds.
class LocalProsodyOwnerTest : public testing::Test {
protected:
    static constexpr auto StartTimeout = 60s;
    static constexpr auto EndTimeout = 20s;

    void TearDown() override
    {
        KillOwner();
        if (ownerOutput_ >= 0)
            ::close(ownerOutput_);
    }

    // The owner writes into owner.log, shown when a test fails.
    void StartOwner(const std::vector<std::string>& arguments)
    {
        ownerOutput_ = ::open((directory_.Path() + "/owner.log").c_str(),
            O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(ownerOutput_, 0);
        ASSERT_TRUE(ProcessLauncher::Start(arguments, -1, ownerOutput_, owner_));
    }

    std::string OwnerLog() const
    {
        std::ifstream log(directory_.Path() + "/owner.log");
        std::ostringstream text;
        text << log.rdbuf();
        return text.str();
    }

    std::map<std::string, std::string> Instance() const
    {
        std::ifstream file(instance_ + "/instance");
        std::ostringstream text;
        text << file.rdbuf();
        return LocalProsody::ParseInstance(text.str());
    }

    void KillOwner()
    {
        if (owner_ <= 0)
            return;
        ::kill(owner_, SIGKILL);
        ::waitpid(owner_, nullptr, 0);
        owner_ = -1;
    }

    // Kills the owner and expects the server and the watchdog of `instance` gone in time.
    void ExpectTheServerToEndWithTheOwner(const std::map<std::string, std::string>& instance)
    {
        ASSERT_TRUE(instance.count("pid") && instance.count("watchdog")) << OwnerLog();
        const int server = std::stoi(instance.at("pid"));
        const int watchdog = std::stoi(instance.at("watchdog"));
        ASSERT_FALSE(LocalProsody::HasEnded(server));
        ASSERT_FALSE(LocalProsody::HasEnded(watchdog));
        KillOwner();
        const auto deadline = std::chrono::steady_clock::now() + EndTimeout;
        while (!(LocalProsody::HasEnded(server) && LocalProsody::HasEnded(watchdog))
            && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(50ms);
        EXPECT_TRUE(LocalProsody::HasEnded(server)) << "server " << server;
        EXPECT_TRUE(LocalProsody::HasEnded(watchdog)) << "watchdog " << watchdog;
        const TimedProcess::Outcome stop =
            TimedProcess::Run({VELOIM_PROSODY_LOCAL, "stop", instance_}, StartTimeout);
        EXPECT_TRUE(stop.Succeeded()) << stop.output;
    }

    TemporaryDirectory directory_{"veloim-prosody-owner"};
    const std::string instance_ = directory_.Path() + "/server";
    int ownerOutput_ = -1;
    pid_t owner_ = -1;
};

TEST_F(LocalProsodyOwnerTest, TheServerEndsWithTheProcessThatRanTheHelper)
{
    // The shell runs the helper and then waits in its own place: exec keeps its process id,
    // which the helper took as its parent's.
    StartOwner({"/bin/sh", "-c", "\"$0\" start \"$1\" && exec sleep 300", VELOIM_PROSODY_LOCAL,
        instance_});
    const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
    while (!Instance().count("watchdog") && std::chrono::steady_clock::now() < deadline) {
        ASSERT_EQ(::waitpid(owner_, nullptr, WNOHANG), 0) << "the owner ended:\n" << OwnerLog();
        std::this_thread::sleep_for(50ms);
    }
    ExpectTheServerToEndWithTheOwner(Instance());
}

TEST_F(LocalProsodyOwnerTest, TheServerEndsWithTheOwnerNamedOnStart)
{
    StartOwner({"sleep", "300"});
    const TimedProcess::Outcome start = TimedProcess::Run(
        {VELOIM_PROSODY_LOCAL, "start", instance_, "--owner", std::to_string(owner_)}, StartTimeout);
    ASSERT_TRUE(start.Succeeded()) << start.output;
    ExpectTheServerToEndWithTheOwner(LocalProsody::ParseInstance(start.output));
}

}  // namespace
