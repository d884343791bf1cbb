// The service extensions of the local server (testing/prosody/modules), driven by scripted
// slixmpp peers (tests/e2e/peer.py through PeerClient) and, where the exact bytes matter, by a
// bare TLS connection: the shared status (stored, answered, pushed to every resource, and made
// into the presence contacts see), the user settings, the no-save query, the vCard answers'
// sender, and the contact kind "gr:t" on roster items with blocking.
#include "support/LocalProsody.h"
#include "support/PeerClient.h"
#include "support/SecureSocketClient.h"
#include "support/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>

using namespace Ixa;
using namespace std::chrono_literals;
using TestSupport::LocalProsody;
using TestSupport::PeerClient;
using TestSupport::PeerEvent;
using TestSupport::SecureSocketClient;
using TestSupport::TemporaryDirectory;

namespace {

constexpr std::chrono::seconds Wait{10};
const std::string Password = "open sesame";

const std::string SharedStatusGet =
    "<iq type='get'><query xmlns='google:shared-status' version='2'/></iq>";
// What an account that never set its shared status is told (as the peer writes it again).
const std::string DefaultSharedStatus =
    "<query xmlns=\"google:shared-status\" version=\"2\"><status /><show>default</show>"
    "<status-list show=\"default\" /><status-list show=\"dnd\" /><invisible value=\"false\" />"
    "</query>";

std::string Base64(const std::string& bytes)
{
    std::string encoded(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(encoded.data()),
        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    encoded.resize(static_cast<size_t>(length));
    return encoded;
}

// The text between the first opening and the following closing tag of the element, or "".
std::string ElementText(const std::string& xml, const std::string& name)
{
    const std::string open = "<" + name + ">";
    const size_t start = xml.find(open);
    const size_t end = xml.find("</" + name + ">", start);
    return start == std::string::npos || end == std::string::npos
        ? ""
        : xml.substr(start + open.size(), end - start - open.size());
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

PeerClient::Match From(const std::string& sender)
{
    return [sender](const PeerEvent& event) { return event["from"] == sender; };
}

class ServiceExtensionsTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server_ = new LocalProsody();
        server_->Start();
    }

    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
        registered_.clear();
    }

    void SetUp() override { setenv("VELOIM_CA_FILE", server_->CaFile().c_str(), 1); }
    void TearDown() override { unsetenv("VELOIM_CA_FILE"); }

    static std::string Jid(const std::string& user) { return user + "@" + server_->Domain(); }

    // Peers signed in as the users (each registered on first use) with the resources, started
    // side by side.
    using Account = std::pair<std::string, std::string>;  // user, resource
    static std::vector<std::unique_ptr<PeerClient>> SignIn(const std::vector<Account>& accounts)
    {
        std::vector<std::unique_ptr<PeerClient>> peers;
        for (const auto& [user, resource] : accounts) {
            if (registered_.insert(user).second)
                server_->Register(user, Password);
            peers.push_back(std::make_unique<PeerClient>(PeerClient::Options{
                Jid(user), Password, server_->Port(), server_->CaFile(), resource}));
            peers.back()->Launch();
        }
        for (const std::unique_ptr<PeerClient>& peer : peers)
            peer->WaitUntilReady();
        return peers;
    }

    // Sends the iq through the peer's raw command; the answer as the peer writes it again.
    static std::string Answer(PeerClient& peer, const std::string& iq)
    {
        const std::optional<PeerEvent> done = peer.Run("raw " + iq);
        EXPECT_TRUE(done && done->Name() == "done") << iq << "\n" << peer.Diagnostics();
        const std::optional<PeerEvent> answer = peer.WaitFor("iq", 0ms);
        return answer ? (*answer)["xml"] : "";
    }

    static void ExpectDone(PeerClient& peer, const std::string& command)
    {
        const std::optional<PeerEvent> outcome = peer.Run(command);
        ASSERT_TRUE(outcome) << command << ": no outcome\n" << peer.Diagnostics();
        EXPECT_EQ(outcome->Name(), "done") << command << ": " << (*outcome)["text"];
    }

    // Makes the two subscribe to each other and waits until each has the other's presence.
    static void Befriend(PeerClient& first, const std::string& firstJid, PeerClient& second,
        const std::string& secondJid)
    {
        ExpectDone(first, "auto_accept on");
        ExpectDone(second, "auto_accept on");
        ExpectDone(first, "subscribe " + secondJid);
        const auto fromJid = [](const std::string& bare) {
            return [bare](const PeerEvent& event) {
                return event["type"] == "available" && event["from"].rfind(bare + "/", 0) == 0;
            };
        };
        ASSERT_TRUE(first.WaitFor("presence", Wait, fromJid(secondJid)));
        ASSERT_TRUE(second.WaitFor("presence", Wait, fromJid(firstJid)));
    }

    // The account's roster as the server writes it on the wire, read over a bare TLS
    // connection (SASL PLAIN, bind, roster get), from the bind result on.
    static std::string RosterBytes(const std::string& user)
    {
        SecureSocketClient client;
        EXPECT_EQ(client.Connect("127.0.0.1", server_->Port(), server_->Domain()), E_SUCCESS);
        EXPECT_TRUE(client.WaitFor(SecureSocketClient::Event::Connected));
        const std::string opening = "<stream:stream to='" + server_->Domain()
            + "' xmlns='jabber:client' xmlns:stream='http://etherx.jabber.org/streams'"
              " version='1.0'>";
        client.Send(opening);
        EXPECT_TRUE(client.WaitUntilReceived("</stream:features>"));
        client.Send("<auth xmlns='urn:ietf:params:xml:ns:xmpp-sasl' mechanism='PLAIN'>"
            + Base64(std::string(1, '\0') + user + std::string(1, '\0') + Password) + "</auth>");
        EXPECT_TRUE(client.WaitUntilReceived("<success"));
        client.Send(opening);
        EXPECT_TRUE(client.WaitUntilReceived("urn:ietf:params:xml:ns:xmpp-bind"));
        client.Send("<iq type='set' id='bind'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'>"
                    "<resource>bytes</resource></bind></iq>");
        EXPECT_TRUE(client.WaitUntilReceived("</jid>"));
        client.Send("<iq type='get' id='roster'><query xmlns='jabber:iq:roster'/></iq>");
        EXPECT_TRUE(client.WaitUntilReceived("</query>"));
        const std::string received = client.Received();
        client.Send("</stream:stream>");
        client.WaitFor(SecureSocketClient::Event::Closed);
        return received.substr(received.find("</jid>"));
    }

    static LocalProsody* server_;
    static std::set<std::string> registered_;
};

LocalProsody* ServiceExtensionsTest::server_ = nullptr;
std::set<std::string> ServiceExtensionsTest::registered_;

TEST_F(ServiceExtensionsTest, SharedStatusIsStoredAnsweredAndPushedToEveryResource)
{
    const auto peers = SignIn({{"sam", "one"}, {"sam", "two"}});
    PeerClient& one = *peers[0];
    PeerClient& two = *peers[1];
    EXPECT_TRUE(Contains(Answer(two, SharedStatusGet), DefaultSharedStatus));

    const std::string set =
        "<iq type='set'><query xmlns='google:shared-status' version='2'>"
        "<status>Lunch &lt;at&gt; noon &amp; back</status><show>dnd</show>"
        "<status-list show='default'><status>Here</status><status/></status-list>"
        "<status-list show='dnd'><status>Lunch &lt;at&gt; noon &amp; back</status></status-list>"
        "<invisible value='false'/></query></iq>";
    const std::string stored =
        "<query xmlns=\"google:shared-status\" version=\"2\">"
        "<status>Lunch &lt;at&gt; noon &amp; back</status><show>dnd</show>"
        "<status-list show=\"default\"><status>Here</status><status /></status-list>"
        "<status-list show=\"dnd\"><status>Lunch &lt;at&gt; noon &amp; back</status>"
        "</status-list><invisible value=\"false\" /></query>";
    const std::string result = Answer(one, set);
    EXPECT_TRUE(Contains(result, "type=\"result\"")) << result;
    EXPECT_FALSE(Contains(result, "<query")) << result;

    // Pushed to both resources, the sending one included: the client learns its own status
    // only from this echo.
    for (PeerClient* resource : {&one, &two}) {
        const std::optional<PeerEvent> push = resource->WaitFor("push", Wait);
        ASSERT_TRUE(push);
        EXPECT_TRUE(Contains((*push)["xml"], "type=\"set\"")) << (*push)["xml"];
        EXPECT_TRUE(Contains((*push)["xml"], stored)) << (*push)["xml"];
    }
    EXPECT_TRUE(Contains(Answer(two, SharedStatusGet), stored));

    // A set changes only what it carries.
    Answer(two, "<iq type='set'><query xmlns='google:shared-status' version='2'>"
                "<invisible value='TRUE'/></query></iq>");
    const std::string invisible = Answer(one, SharedStatusGet);
    EXPECT_TRUE(Contains(
        invisible, "<status>Lunch &lt;at&gt; noon &amp; back</status><show>dnd</show>"))
        << invisible;
    EXPECT_TRUE(Contains(invisible, "<status>Here</status><status /></status-list>")) << invisible;
    EXPECT_TRUE(Contains(invisible, "<invisible value=\"true\" />")) << invisible;
}

TEST_F(ServiceExtensionsTest, SharedStatusMakesThePresenceContactsSee)
{
    const auto peers = SignIn({{"tina", "one"}, {"uma", "peer"}});
    PeerClient& tina = *peers[0];
    PeerClient& uma = *peers[1];
    Befriend(tina, Jid("tina"), uma, Jid("uma"));
    const std::string tinaOne = Jid("tina") + "/one";

    Answer(tina, "<iq type='set'><query xmlns='google:shared-status' version='2'>"
                 "<status>In a meeting</status><show>dnd</show><invisible value='false'/>"
                 "</query></iq>");
    std::optional<PeerEvent> seen = uma.WaitFor("presence", Wait, [&](const PeerEvent& event) {
        return event["from"] == tinaOne && event["show"] == "dnd";
    });
    ASSERT_TRUE(seen);
    EXPECT_EQ((*seen)["type"], "available");
    EXPECT_EQ((*seen)["status"], "In a meeting");

    Answer(tina, "<iq type='set'><query xmlns='google:shared-status' version='2'>"
                 "<invisible value='true'/></query></iq>");
    ASSERT_TRUE(uma.WaitFor("presence", Wait, [&](const PeerEvent& event) {
        return event["from"] == tinaOne && event["type"] == "unavailable";
    }));
    // While invisible, what the account announces reaches its own resources only.
    while (tina.WaitFor("presence", 0ms)) {
    }
    ExpectDone(tina, "presence available");
    seen = tina.WaitFor("presence", Wait, From(tinaOne));
    ASSERT_TRUE(seen);
    EXPECT_EQ((*seen)["status"], "In a meeting");

    Answer(tina, "<iq type='set'><query xmlns='google:shared-status' version='2'>"
                 "<status>Back</status><show>default</show><invisible value='false'/>"
                 "</query></iq>");
    seen = uma.WaitFor("presence", Wait, [&](const PeerEvent& event) {
        return event["from"] == tinaOne && event["status"] == "Back";
    });
    ASSERT_TRUE(seen);
    EXPECT_EQ((*seen)["type"], "available");
    EXPECT_EQ((*seen)["show"], "");
    // Between going invisible and coming back, nothing of Tina's reached Uma.
    bool hidden = false;
    for (const PeerEvent& event : uma.Events()) {
        if (event.Name() != "presence" || event["from"] != tinaOne)
            continue;
        if (hidden) {
            EXPECT_EQ(event["status"], "Back");
        }
        hidden = hidden || event["type"] == "unavailable";
    }
}

TEST_F(ServiceExtensionsTest, UserSettingsAreStoredAndAnswered)
{
    const auto peers = SignIn({{"vera", "one"}, {"vera", "two"}});
    PeerClient& vera = *peers[0];
    PeerClient& again = *peers[1];
    const std::string get = "<iq type='get'><usersetting xmlns='google:setting'/></iq>";
    EXPECT_TRUE(Contains(Answer(vera, get), "<usersetting xmlns=\"google:setting\" />"));

    const std::string result = Answer(vera,
        "<iq type='set'><usersetting xmlns='google:setting'><mailnotifications value='true'/>"
        "<displayname value='Vera &amp; Co &lt;VC&gt;'/></usersetting></iq>");
    EXPECT_TRUE(Contains(result, "type=\"result\"")) << result;
    EXPECT_TRUE(Contains(Answer(vera, get),
        "<usersetting xmlns=\"google:setting\"><mailnotifications value=\"true\" />"
        "<displayname value=\"Vera &amp; Co &lt;VC&gt;\" /></usersetting>"));

    Answer(vera, "<iq type='set'><usersetting xmlns='google:setting'>"
                 "<archivingenabled value='false'/></usersetting></iq>");
    EXPECT_TRUE(Contains(Answer(again, get),
        "<usersetting xmlns=\"google:setting\"><archivingenabled value=\"false\" />"
        "<mailnotifications value=\"true\" /><displayname value=\"Vera &amp; Co &lt;VC&gt;\" />"
        "</usersetting>"));
}

TEST_F(ServiceExtensionsTest, NoSaveQueryIsAnsweredEmpty)
{
    const auto peers = SignIn({{"walt", "one"}});
    PeerClient& walt = *peers[0];
    const std::string answer =
        Answer(walt, "<iq type='get' to='" + Jid("walt") + "'><query xmlns='google:nosave'/></iq>");
    EXPECT_TRUE(Contains(answer, "type=\"result\"")) << answer;
    EXPECT_TRUE(Contains(answer, "<query xmlns=\"google:nosave\" /></iq>")) << answer;
}

TEST_F(ServiceExtensionsTest, VCardAnswersNameTheirSender)
{
    const auto peers = SignIn({{"xena", "one"}, {"yuri", "peer"}});
    PeerClient& xena = *peers[0];
    PeerClient& yuri = *peers[1];
    const std::string own = "from=\"" + Jid("xena") + "\"";
    for (const std::string& to : {std::string(), " to='" + Jid("xena") + "'"}) {
        const std::string missing =
            Answer(xena, "<iq type='get'" + to + "><vCard xmlns='vcard-temp'/></iq>");
        EXPECT_TRUE(Contains(missing, "type=\"error\"")) << missing;
        EXPECT_TRUE(Contains(missing, "<item-not-found")) << missing;
        EXPECT_TRUE(Contains(missing, own)) << missing;
    }

    TemporaryDirectory directory("veloim-photo");
    std::string photo;
    for (int i = 0; i < 200; ++i)
        photo += static_cast<char>(i * 7);
    const std::string path = directory.Path() + "/photo.png";
    std::ofstream(path, std::ios::binary) << photo;
    ExpectDone(xena, "vcard_photo " + path);

    for (PeerClient* asker : {&xena, &yuri}) {
        const std::string answer = Answer(
            *asker, "<iq type='get' to='" + Jid("xena") + "'><vCard xmlns='vcard-temp'/></iq>");
        EXPECT_TRUE(Contains(answer, "type=\"result\"")) << answer;
        EXPECT_TRUE(Contains(answer, own)) << answer;
        // Base64 in lines of 76 characters, as published (with a line break at the end).
        std::string binval = ElementText(answer, "BINVAL");
        ASSERT_FALSE(binval.empty()) << answer;
        EXPECT_EQ(binval.back(), '\n');
        binval.pop_back();
        std::string joined;
        size_t start = 0;
        for (size_t end; (end = binval.find('\n', start)) != std::string::npos; start = end + 1) {
            EXPECT_EQ(end - start, 76u);
            joined += binval.substr(start, end - start);
        }
        joined += binval.substr(start);
        EXPECT_EQ(joined, Base64(photo));
    }
}

TEST_F(ServiceExtensionsTest, RosterKindIsKeptAndABlockedContactIsNotHeard)
{
    const auto peers = SignIn({{"zoe", "one"}, {"zoe", "two"}, {"ada", "peer"}});
    PeerClient& zoe = *peers[0];
    PeerClient& zoeToo = *peers[1];
    PeerClient& ada = *peers[2];
    ExpectDone(zoe, "roster_add " + Jid("ada") + " Ada Friends");
    Befriend(zoe, Jid("zoe"), ada, Jid("ada"));
    const std::string adaPeer = Jid("ada") + "/peer";

    // Blocking, as the client does it: the item with the kind alone.
    const std::string block = "<iq type='set'><query xmlns='jabber:iq:roster' "
                              "xmlns:gr='google:roster' gr:ext='2'><item jid='"
        + Jid("ada") + "' gr:t='B'/></query></iq>";
    EXPECT_TRUE(Contains(Answer(zoe, block), "type=\"result\""));
    for (PeerClient* resource : {&zoe, &zoeToo}) {
        const std::optional<PeerEvent> push = resource->WaitFor("roster_push", Wait,
            [](const PeerEvent& event) { return event["gr_t"] == "B"; });
        ASSERT_TRUE(push);
        EXPECT_EQ((*push)["jid"], Jid("ada"));
        EXPECT_EQ((*push)["name"], "Ada");
        EXPECT_EQ((*push)["groups"], "Friends");
        EXPECT_EQ((*push)["subscription"], "both");
    }
    ExpectDone(zoeToo, "roster_get");
    const std::optional<PeerEvent> item = zoeToo.WaitFor("roster_item", 0ms);
    ASSERT_TRUE(item);
    EXPECT_EQ((*item)["gr_t"], "B");
    // The client finds the attribute by its literal name.
    const std::string bytes = RosterBytes("zoe");
    EXPECT_TRUE(Contains(bytes, "xmlns:gr='google:roster'")) << bytes;
    EXPECT_TRUE(Contains(bytes, "gr:t='B'")) << bytes;

    ExpectDone(ada, "presence away " + PeerClient::EscapeText("Gone fishing\nback at 5"));
    ExpectDone(ada, "send " + Jid("zoe") + " While blocked");
    ExpectDone(ada, "roster_get");  // answered after the server has handled both

    const std::string unblock = "<iq type='set'><query xmlns='jabber:iq:roster' "
                                "xmlns:gr='google:roster' gr:ext='2'><item jid='"
        + Jid("ada") + "' gr:t='P'/></query></iq>";
    EXPECT_TRUE(Contains(Answer(zoe, unblock), "type=\"result\""));
    ASSERT_TRUE(zoe.WaitFor("roster_push", Wait,
        [](const PeerEvent& event) { return event["gr_t"] == "P" && event["name"] == "Ada"; }));
    // Ada's presence was held back while blocked; the probe on unblocking brings it.
    const std::optional<PeerEvent> presence =
        zoe.WaitFor("presence", Wait, [&](const PeerEvent& event) {
            return event["from"] == adaPeer && event["show"] == "away";
        });
    ASSERT_TRUE(presence);
    EXPECT_EQ((*presence)["status"], "Gone fishing\nback at 5");

    ExpectDone(ada, "send " + Jid("zoe") + " Heard again");
    for (PeerClient* resource : {&zoe, &zoeToo}) {
        const std::optional<PeerEvent> message = resource->WaitFor("message", Wait, From(adaPeer));
        ASSERT_TRUE(message);
        EXPECT_EQ((*message)["body"], "Heard again");
    }
    // Anything delivered while blocked would have come before the unblocking push.
    bool unblocked = false;
    for (const PeerEvent& event : zoe.Events()) {
        unblocked = unblocked || (event.Name() == "roster_push" && event["gr_t"] == "P");
        EXPECT_NE(event["body"], "While blocked");
        if (event.Name() == "presence" && event["show"] == "away") {
            EXPECT_TRUE(unblocked) << event["from"] << " " << event["status"];
        }
    }
}

TEST_F(ServiceExtensionsTest, PeerCarriesAnyTextInOrder)
{
    const auto peers = SignIn({{"ann", "peer"}, {"ben", "peer"}});
    PeerClient& ann = *peers[0];
    PeerClient& ben = *peers[1];
    const std::string quoted = "  He said \"<b>&amp;</b>\" \\n\\ \u00fcber\n\tand \U0001F600 too  ";
    std::string large;
    while (large.size() < 64 * 1024)
        large += "0123456789 <&>\"' ";
    ExpectDone(ann, "send " + Jid("ben") + " " + PeerClient::EscapeText(quoted));
    ExpectDone(ann, "send " + Jid("ben") + " " + large);
    ExpectDone(ann, "burst " + Jid("ben") + " 300 n");

    std::optional<PeerEvent> message = ben.WaitFor("message", Wait);
    ASSERT_TRUE(message);
    EXPECT_EQ((*message)["body"], quoted);
    EXPECT_EQ((*message)["from"], Jid("ann") + "/peer");
    EXPECT_EQ((*message)["type"], "chat");
    message = ben.WaitFor("message", Wait);
    ASSERT_TRUE(message);
    EXPECT_EQ((*message)["body"], large);
    for (int i = 0; i < 300; ++i) {
        message = ben.WaitFor("message", Wait);
        ASSERT_TRUE(message);
        EXPECT_EQ((*message)["body"], "n" + std::to_string(i));
    }
    EXPECT_TRUE(ann.Quit());
    EXPECT_EQ(ann.Events().back().Name(), "disconnected");
    EXPECT_FALSE(ann.Send("send " + Jid("ben") + " too late"));
}

}  // namespace
