// Requests addressed to the client, against the scripted server: every get and set gets its
// answer, byte for byte (a ping its result, disco#info the client's identity, anything else
// service-unavailable), results and errors get none, and shared-status and settings payloads
// from anyone but the server, or of type get, change nothing. Each request is answered before
// the next one is sent, so a failure names the request whose answer broke.
#include "ConnectionFixture.h"
#include "xmpp/Constants.h"

using TestSupport::ScriptedTlsServer;
using TestSupport::TlsScript;
using Names = std::vector<std::string>;

namespace {

class IQRequestTest : public ConnectionFixture {
protected:
    static std::string me() { return ScriptedSignIn::fullId(); }
    static std::string domain() { return Constants::DOMAIN.ToUtf8(); }

    // A request from `from` (none when empty) to the client.
    static std::string request(const std::string& type, const std::string& id, const std::string& from,
        const std::string& payload)
    {
        std::string fromAttribute = from.empty() ? "" : " from='" + from + "'";
        return "<iq type='" + type + "' id='" + id + "'" + fromAttribute + " to='" + me() + "'>" + payload + "</iq>";
    }

    // The client's answer, addressed back to `to` (none when empty).
    static std::string reply(const std::string& type, const std::string& id, const std::string& to,
        const std::string& payload = "")
    {
        std::string toAttribute = to.empty() ? "" : "to=\"" + to + "\" ";
        return "<iq id=\"" + id + "\" " + toAttribute + "from=\"" + me() + "\" type=\"" + type + "\">" + payload +
               "</iq>";
    }

    static std::string unavailable(const std::string& id, const std::string& to)
    {
        return reply("error", id, to,
            "<error type=\"cancel\"><service-unavailable xmlns=\"urn:ietf:params:xml:ns:xmpp-stanzas\"/></error>");
    }

    static std::string ping(const std::string& id, const std::string& from)
    {
        return request("get", id, from, "<ping xmlns='urn:xmpp:ping'/>");
    }
};

const std::string Bob = "bob@example.org/laptop";
const std::string SharedStatusQuery = "<query xmlns='google:shared-status' version='2'/>";
const std::string DndStatus =
    "<query xmlns='google:shared-status' version='2'><status>away</status><show>dnd</show></query>";

TEST_F(IQRequestTest, EveryRequestIsAnsweredAndNoAnswerIs)
{
    TlsScript script = ScriptedSignIn::signIn();
    script.Send(ping("ping-1", domain()))
        .Expect(reply("result", "ping-1", domain()))
        .Send(request("get", "disco-1", Bob, "<query xmlns='http://jabber.org/protocol/disco#info'/>"))
        .Expect(reply("result", "disco-1", Bob,
            "<query xmlns=\"http://jabber.org/protocol/disco#info\">"
            "<identity category=\"client\" type=\"phone\" name=\"VeloIM\"/>"
            "<feature var=\"http://jabber.org/protocol/disco#info\"/><feature var=\"urn:xmpp:ping\"/></query>"))
        .Send(request("get", "version-1", Bob, "<query xmlns='jabber:iq:version'/>"))
        .Expect(unavailable("version-1", Bob))
        .Send(request("set", "private-1", "", "<query xmlns='jabber:iq:private'><x xmlns='a:b'/></query>"))
        .Expect(unavailable("private-1", ""))
        .Send(request("set", "disco-2", Bob, "<query xmlns='http://jabber.org/protocol/disco#info'/>"))
        .Expect(unavailable("disco-2", Bob))
        .Send(request("get", "empty-1", Bob, ""))
        .Expect(unavailable("empty-1", Bob))
        .Send(request("get", "vcard-1", Bob, "<vCard xmlns='vcard-temp'/>"))
        .Expect(unavailable("vcard-1", Bob))
        .Send(request("get", "roster-1", Bob, "<query xmlns='jabber:iq:roster'/>"))
        .Expect(unavailable("roster-1", Bob))
        // Answers and errors, whatever they carry, are never answered: the next ping's result
        // must be the next thing the client writes.
        .Send("<iq type='result' id='r-1' from='" + Bob + "'/>" + "<iq type='result' id='r-2' from='" + Bob +
              "'><ping xmlns='urn:xmpp:ping'/></iq>" + "<iq type='error' id='e-1' from='" + Bob +
              "'><ping xmlns='urn:xmpp:ping'/><error type='cancel'><service-unavailable "
              "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>" +
              "<iq type='weird' id='w-1' from='" + Bob + "'><ping xmlns='urn:xmpp:ping'/></iq>")
        .Send(ping("ping-2", ""))
        .Expect(reply("result", "ping-2", ""));
    ScriptedTlsServer server(certificates_, {script});

    ASSERT_TRUE(signIn(server.Port()));
    ASSERT_TRUE(server.WaitUntilScriptDone());
    EXPECT_TRUE(server.Failures().empty()) << server.Failures().front();
    EXPECT_EQ(controller_.Names(), Names{"signin"});
}

// A stranger asking for or setting the user's shared status or settings is refused and
// changes nothing; the server's own push is acknowledged and taken, and so is its answer.
TEST_F(IQRequestTest, SharedStatusAndSettingsCountOnlyFromTheServerAsSetOrResult)
{
    const std::string mallory = "mallory@evil.example/x";
    const std::string settings =
        "<usersetting xmlns='google:setting'><displayname value='Mallory'/></usersetting>";
    TlsScript script = ScriptedSignIn::signIn();
    script.Send(request("get", "ss-1", mallory, SharedStatusQuery))
        .Expect(unavailable("ss-1", mallory))
        .Send(request("set", "ss-2", mallory, DndStatus))
        .Expect(unavailable("ss-2", mallory))
        .Send(request("get", "ss-3", "", SharedStatusQuery))
        .Expect(unavailable("ss-3", ""))
        .Send(request("result", "ss-4", mallory, DndStatus))
        .Send(request("set", "set-1", mallory, settings))
        .Expect(unavailable("set-1", mallory))
        .Send(request("get", "set-2", ScriptedSignIn::bareId(), settings))
        .Expect(unavailable("set-2", ScriptedSignIn::bareId()))
        .Send(request("result", "set-3", mallory + "/other", settings))
        .Send(request("set", "ss-5", "", DndStatus))
        .Expect(reply("result", "ss-5", ""))
        .Send(request("result", "ss-6", ScriptedSignIn::bareId(), DndStatus))
        .Send(request("set", "set-4", domain(), settings))
        .Expect(reply("result", "set-4", domain()));
    ScriptedTlsServer server(certificates_, {script});

    ASSERT_TRUE(signIn(server.Port()));
    ASSERT_TRUE(server.WaitUntilScriptDone());
    EXPECT_TRUE(server.Failures().empty()) << server.Failures().front();
    ASSERT_TRUE(controller_.WaitFor("myDisplayName"));
    EXPECT_EQ(controller_.Names(), (Names{"signin", "sharedstatus", "sharedstatus", "myDisplayName"}));
}

}  // namespace
