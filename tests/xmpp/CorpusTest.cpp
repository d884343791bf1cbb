// The reader over bytes recorded from a real Prosody (tests/data/prosody, made by its
// "record" script): what it makes of each step of a session, and that cutting the bytes into
// buffers anywhere changes nothing.
#include "RecordingListener.h"
#include "ReaderFeed.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/Presence.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"
#include "xmpp/VCard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Codes = std::vector<int>;

// The steps of the recorded session, in the order the server sent them.
const char* const SESSION[] = {"stream-features.xml", "sasl-success.xml", "restart-features.xml",
                               "bind-session.xml",    "roster.xml",       "presences.xml",
                               "vcard.xml",           "messages.xml",     "error-message.xml",
                               "stream-error.xml"};

std::string Capture(const std::string& name)
{
    std::ifstream file(std::string(VELOIM_TEST_DATA) + "/prosody/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    EXPECT_FALSE(bytes.str().empty()) << "missing capture " << name;
    return bytes.str();
}

std::string Describe(const std::string& bytes, const std::vector<std::size_t>& cuts)
{
    RecordingListener listener;
    ReaderFeed::runCut(bytes, cuts, &listener);
    return listener.describe();
}

std::string Utf8(IMString* text) { return text != nullptr ? text->ToUtf8() : std::string("(null)"); }

std::map<std::string, RosterItem*> ItemsByJid(Roster* roster)
{
    std::map<std::string, RosterItem*> items;
    for (int i = 0; i < roster->getSubPackets()->size(); ++i) {
        Ixa::Base::Object* element = nullptr;
        roster->getSubPackets()->getAt(i, element);
        auto item = static_cast<RosterItem*>(element);
        items[Utf8(item->getUserJID())] = item;
    }
    return items;
}

}  // namespace

TEST(CorpusTest, SignInSteps)
{
    const std::pair<const char*, Codes> steps[] = {
        {"sasl-failure.xml", {XMPPListener::FEATURES_END, XMPPListener::AUTH_FAILURE}},
        {"stream-features.xml", {XMPPListener::FEATURES_END}},
        {"sasl-success.xml", {XMPPListener::AUTH_SUCCESS}},
        {"restart-features.xml", {XMPPListener::BIND_FEATURE, XMPPListener::SESSION_FEATURE, XMPPListener::FEATURES_END}},
        {"bind-session.xml", {XMPPListener::BOUND_JID}},
        {"stream-error.xml", {XMPPListener::SESSION_REPLACED}},
    };
    for (const auto& [name, codes] : steps) {
        RecordingListener listener;
        ReaderFeed::runCut(Capture(name), {}, &listener);
        EXPECT_EQ(listener.codes(), codes) << name;
    }
    RecordingListener bound;
    ReaderFeed::runCut(Capture("bind-session.xml"), {}, &bound);
    EXPECT_EQ(Utf8(bound.object<IMString>(0)), "alice@example.com/Mobile");
}

TEST(CorpusTest, RosterOfFiftyContacts)
{
    RecordingListener listener;
    ReaderFeed::runCut(Capture("roster.xml"), {}, &listener);
    ASSERT_EQ(listener.codes(), (Codes{XMPPListener::ROSTER}));
    Roster* roster = listener.object<Roster>(0);
    EXPECT_EQ(roster->getType(), IQ::Type::RESULT);
    EXPECT_EQ(Utf8(roster->getPacketID()), "r1");
    std::map<std::string, RosterItem*> items = ItemsByJid(roster);
    ASSERT_EQ(items.size(), 50u);
    for (const char* peer : {"bob@example.com", "carol@example.com", "dave@example.com"}) {
        ASSERT_EQ(items.count(peer), 1u) << peer;
        EXPECT_EQ(items[peer]->getItemType(), RosterItem::Type::BOTH) << peer;
    }
    EXPECT_EQ(items["pending@example.com"]->getItemStatus(), RosterItem::Status::SUBSCRIBE);
    EXPECT_EQ(items["pending@example.com"]->getItemType(), RosterItem::Type::NONE);
    EXPECT_EQ(Utf8(items["contact03@example.com"]->getNickName()), "Ren\xC3\xA9 <the boss> 03");
    EXPECT_EQ(Utf8(items["contact05@example.com"]->getNickName()), "O'Brien 05");
    EXPECT_EQ(Utf8(items["contact06@example.com"]->getNickName()), "\"Quoted\" 06");
    EXPECT_EQ(Utf8(items["contact01@example.com"]->getNickName()), "Fish & Chips 01");
    EXPECT_EQ(Utf8(items["contact02@example.com"]->getNickName()), "\xE6\x9D\x8E\xE9\x9B\xB7 02");
    EXPECT_EQ(Utf8(items["contact04@example.com"]->getNickName()), "Party \xF0\x9F\x8E\x89 04");
    EXPECT_EQ(items["contact00@example.com"]->getDescription(), RosterItem::Description::NORMAL);
}

TEST(CorpusTest, PresencesVCardMessagesAndAnError)
{
    RecordingListener presences;
    ReaderFeed::runCut(Capture("presences.xml"), {}, &presences);
    using L = XMPPListener;
    ASSERT_EQ(presences.codes(), (Codes{L::PRESENCE, L::PRESENCE, L::PRESENCE, L::PRESENCE, L::ROSTER, L::PRESENCE}));
    Presence* own = presences.object<Presence>(0);
    EXPECT_EQ(Utf8(own->getFrom()), "alice@example.com/Mobile");
    Presence* dave = presences.object<Presence>(1);
    EXPECT_EQ(Utf8(dave->getStatusMessage()), "<coding> \"hard\"");
    EXPECT_EQ(dave->getPresenceStatus(), Presence::Status::NONE);
    Presence* bob = presences.object<Presence>(2);
    EXPECT_EQ(Utf8(bob->getFrom()), "bob@example.com/home");
    EXPECT_EQ(bob->getPresenceType(), Presence::Type::NONE);
    EXPECT_EQ(bob->getPresenceStatus(), Presence::Status::AWAY);
    EXPECT_EQ(Utf8(bob->getStatusMessage()), "Out for lunch & back at 2");
    EXPECT_EQ(bob->getPriority(), 5);
    EXPECT_EQ(Utf8(bob->getAvatarHash()), "13fd144f606af2fef206eb85d116ba7bcd54d8dc");
    Presence* carol = presences.object<Presence>(3);
    EXPECT_EQ(carol->getPresenceStatus(), Presence::Status::DND);
    EXPECT_EQ(Utf8(carol->getStatusMessage()), "Besprechung \xE2\x80\x93 bitte nicht st\xC3\xB6ren \xF0\x9F\x93\xB5");
    EXPECT_EQ(carol->getPriority(), -1);
    EXPECT_EQ(Utf8(carol->getAvatarHash()), "");  // an empty photo: no avatar
    Roster* push = presences.object<Roster>(4);
    EXPECT_EQ(push->getType(), IQ::Type::SET);
    EXPECT_EQ(push->getSubPackets()->size(), 1);
    EXPECT_EQ(presences.object<Presence>(5)->getPresenceType(), Presence::Type::UNAVAILABLE);

    RecordingListener vCards;
    ReaderFeed::runCut(Capture("vcard.xml"), {}, &vCards);
    ASSERT_EQ(vCards.codes(), (Codes{L::VCARD}));
    VCard* vCard = vCards.object<VCard>(0);
    EXPECT_EQ(Utf8(vCard->getFrom()), "bob@example.com");
    std::unique_ptr<Ixa::Base::ByteBuffer> png(vCard->getUserAvatarData());
    ASSERT_NE(png, nullptr);
    ASSERT_EQ(png->GetLimit(), 345);
    const Ixa::byte* bytes = png->GetPointer();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), 8), "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(bytes[19], 24);
    EXPECT_EQ(bytes[23], 24);

    RecordingListener messages;
    ReaderFeed::runCut(Capture("messages.xml") + Capture("error-message.xml"), {}, &messages);
    ASSERT_EQ(messages.codes(), (Codes{L::MESSAGE, L::MESSAGE, L::MESSAGE, L::MESSAGE_ERROR}));
    MessagePacket* first = messages.object<MessagePacket>(0);
    EXPECT_EQ(first->getMessageType(), MessagePacket::Type::CHAT);
    EXPECT_EQ(Utf8(first->getSubject()), "Dinner");
    EXPECT_EQ(Utf8(first->getBody()), "Fish & chips <3 'tonight' \"ok?\"");
    EXPECT_EQ(Utf8(messages.object<MessagePacket>(1)->getBody()),
              "Caf\xC3\xA9 cr\xC3\xA8me, \xC3\xA0 bient\xC3\xB4t \xE2\x80\x94 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");
    MessagePacket* third = messages.object<MessagePacket>(2);
    EXPECT_EQ(Utf8(third->getBody()), "\xF0\x9F\x98\x80\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD on my way \xF0\x9F\x9A\x97");
    EXPECT_EQ(Utf8(third->getThread()), "th-42");
    MessagePacket* bounce = messages.object<MessagePacket>(3);
    EXPECT_EQ(Utf8(bounce->getFrom()), "nobody@example.com");
    ASSERT_NE(bounce->getError(), nullptr);
    EXPECT_EQ(bounce->getError()->getType(), XMPPError::Type::CANCEL);
    ASSERT_EQ(bounce->getError()->getConditions()->size(), 1);
}

TEST(CorpusTest, SmallCapturesGiveTheSameEventsWhereverTheyAreCut)
{
    for (const char* name : SESSION) {
        std::string bytes = Capture(name);
        if (bytes.size() > 1500) {
            continue;
        }
        std::string whole = Describe(bytes, {});
        for (std::size_t cut = 1; cut < bytes.size(); ++cut) {
            ASSERT_EQ(Describe(bytes, {cut}), whole) << name << " cut at " << cut;
        }
        std::vector<std::size_t> pieces;
        for (std::size_t cut = 1; cut < bytes.size() && pieces.size() < ReaderFeed::MAX_CUTS; cut += 1 + cut % 5) {
            pieces.push_back(cut);
        }
        EXPECT_EQ(Describe(bytes, pieces), whole) << name;
    }
}

TEST(CorpusTest, WholeSessionInAnyBufferSize)
{
    std::string session;
    std::string expected;
    for (const char* name : SESSION) {
        std::string bytes = Capture(name);
        session += bytes;
        expected += Describe(bytes, {});
    }
    std::string roster = Capture("roster.xml");
    for (std::size_t cut = 1; cut < roster.size(); cut += 13) {
        ASSERT_EQ(Describe(roster, {cut, cut + 1, cut + 64}), Describe(roster, {})) << "cut at " << cut;
    }
    for (std::size_t chunk : {1u, 2u, 3u, 17u, 100u, 4096u, 8192u}) {
        RecordingListener listener;
        ReaderFeed::runThreaded(session, chunk, &listener);
        EXPECT_EQ(listener.describe(), expected) << "buffers of " << chunk;
    }
}
