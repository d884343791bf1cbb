// The user's recent status messages against the scripted server: the lists the server sends
// are the ones a status change adds to (newest first, no duplicates, no blank entries, within
// the server's limits), and a change made before they are known sends none. Each change's
// bytes are checked on their own, so a failure names the change that broke.
#include "ConnectionFixture.h"
#include "xmpp/PresenceManager.h"

#include <thread>

using namespace std::chrono_literals;
using TestSupport::ScriptedTlsServer;
using TestSupport::TlsScript;

namespace {

class SharedStatusTest : public ConnectionFixture {
protected:
    // The next stanza the client wrote after the first `seen` bytes, ids normalised.
    static std::string nextIq(const ScriptedTlsServer& server, size_t& seen)
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        std::string received = server.Received();
        size_t end = std::string::npos;
        while ((end = received.find("</iq>", seen)) == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
            received = server.Received();
        }
        if (end == std::string::npos) {
            return "(nothing)";
        }
        end += 5;
        std::string stanza = received.substr(seen, end - seen);
        seen = end;
        return ScriptedSignIn::normalized(stanza);
    }

    static std::string set(const std::string& status, const std::string& show, const std::string& lists)
    {
        return "<iq id=\"#\" to=\"" + ScriptedSignIn::bareId() + "\" from=\"" + ScriptedSignIn::fullId() +
               "\" type=\"set\"><query xmlns='google:shared-status' version='2'><status>" + status +
               "</status><show>" + show + "</show>" + lists + "<invisible value=\"false\"/></query></iq>";
    }

    static std::string lists(const std::string& defaults, const std::string& busies)
    {
        return "<status-list show=\"default\">" + defaults + "</status-list><status-list show=\"dnd\">" + busies +
               "</status-list>";
    }

    static std::string entries(std::initializer_list<const char*> texts)
    {
        std::string out;
        for (const char* text : texts) {
            out += std::string("<status>") + text + "</status>";
        }
        return out;
    }

    void change(bool busy, const char* text)
    {
        PresenceManager* presence = connection_->getPresenceManager();
        ASSERT_NE(presence, nullptr);
        IMString status(text);
        if (busy) {
            presence->setBusyStatus(&status);
        } else {
            presence->setOnlineStatus(&status);
        }
    }

    // The server's shared status, as it answers the client's query.
    static std::string serverStatus()
    {
        return "<iq type='result' id='ss-1' from='" + ScriptedSignIn::bareId() + "' to='" + ScriptedSignIn::fullId() +
               "'><query xmlns='google:shared-status' version='2' status-max='12' status-list-max='3' "
               "status-list-contents-max='4'><status>Lunch</status><show>default</show>"
               "<status-list show='default'><status>Lunch</status><status/><status>Back &amp; soon</status>"
               "<status>Lunch</status><status>   </status></status-list>"
               "<status-list show='dnd'><status>Meeting</status><status>Call</status></status-list>"
               "<invisible value='false'/></query></iq>";
    }
};

TEST_F(SharedStatusTest, AChangeAddsToTheServersListsWithinItsLimits)
{
    ScriptedTlsServer server(certificates_, {ScriptedSignIn::signIn().WaitFor("</iq>").Send(serverStatus())});
    ASSERT_TRUE(signIn(server.Port()));
    // Past the session request, the last stanza of the sign-in.
    size_t seen = server.Received().find("</iq>", server.Received().find("xmpp-session")) + 5;

    // Before the server's lists are known a change sends none, so it cannot replace them.
    change(false, "Early");
    EXPECT_EQ(nextIq(server, seen), set("Early", "default", ""));
    ASSERT_TRUE(controller_.WaitFor("sharedstatus"));

    change(false, "Back & soon");
    EXPECT_EQ(nextIq(server, seen),
        set("Back &amp; soon", "default",
            lists(entries({"Back &amp; soon", "Lunch"}), entries({"Meeting", "Call"}))));
    // Cut to the server's longest status text.
    change(true, "A very long status");
    EXPECT_EQ(nextIq(server, seen),
        set("A very long ", "dnd",
            lists(entries({"Back &amp; soon", "Lunch"}), entries({"A very long ", "Meeting", "Call"}))));
    change(false, "one");
    EXPECT_EQ(nextIq(server, seen),
        set("one", "default",
            lists(entries({"one", "Back &amp; soon", "Lunch"}), entries({"A very long ", "Meeting", "Call"}))));
    change(false, "two");
    EXPECT_EQ(nextIq(server, seen),
        set("two", "default",
            lists(entries({"two", "one", "Back &amp; soon", "Lunch"}), entries({"A very long ", "Meeting", "Call"}))));
    // A text already listed moves to the front; a new one beyond the limit pushes out the
    // oldest; a blank text is sent but not kept.
    change(false, "Lunch");
    EXPECT_EQ(nextIq(server, seen),
        set("Lunch", "default",
            lists(entries({"Lunch", "two", "one", "Back &amp; soon"}), entries({"A very long ", "Meeting", "Call"}))));
    change(false, "three");
    EXPECT_EQ(nextIq(server, seen),
        set("three", "default",
            lists(entries({"three", "Lunch", "two", "one"}), entries({"A very long ", "Meeting", "Call"}))));
    change(true, " ");
    EXPECT_EQ(nextIq(server, seen),
        set(" ", "dnd",
            lists(entries({"three", "Lunch", "two", "one"}), entries({"A very long ", "Meeting", "Call"}))));
    EXPECT_TRUE(server.Failures().empty());
}

}  // namespace
