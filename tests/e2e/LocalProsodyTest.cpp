#include "support/LocalProsody.h"
#include "support/SecureSocketClient.h"
#include "support/TimedProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Ixa;
using namespace Ixa::Net::Sockets;
using namespace std::chrono_literals;
using TestSupport::LocalProsody;
using TestSupport::SecureSocketClient;
using TestSupport::TimedProcess;
using Event = SecureSocketClient::Event;

namespace {

// A second, independent client: signs in with slixmpp over TLS from the first byte, trusting
// only the given authority, and prints how it ended.
constexpr const char* SlixmppSignIn = R"(
import sys
import slixmpp

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
print(client.outcome)
)";

std::string SignInWithSlixmpp(const LocalProsody& server, const std::string& user,
    const std::string& password)
{
    const TimedProcess::Outcome outcome = TimedProcess::Run({"/usr/bin/python3", "-c",
        SlixmppSignIn, user + "@" + server.Domain(), password, std::to_string(server.Port()),
        server.CaFile()}, 30s);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.output;
    return outcome.output;
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

    EXPECT_EQ(SignInWithSlixmpp(server, "alice", "wonderland"), "session started\n");
    EXPECT_EQ(SignInWithSlixmpp(server, "alice", "looking-glass"), "authentication failed\n");

    server.Stop();
    SecureSocketClient afterStop;
    ASSERT_EQ(afterStop.Connect("127.0.0.1", server.Port(), server.Domain()), E_SUCCESS);
    ASSERT_TRUE(afterStop.WaitFor(Event::Closed));
    EXPECT_EQ(afterStop.ClosedReason(), NET_SOCKET_CLOSED_REASON_CONNECT_FAILED);
}

}  // namespace
