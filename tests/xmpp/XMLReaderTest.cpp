// The reader's events and objects for every stanza it reads, its bad-input behaviour and
// its thread life cycle.
#include "RecordingListener.h"
#include "ReaderFeed.h"
#include "net/IMSocketInputStream.h"
#include "xmpp/ArchiveFin.h"
#include "xmpp/ArchivedMessage.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/Presence.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/StreamAnswer.h"
#include "xmpp/UserSettings.h"
#include "xmpp/VCard.h"
#include "xmpp/XMLReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Codes = std::vector<int>;
constexpr int PRESENCE = XMPPListener::PRESENCE;
constexpr int ROSTER = XMPPListener::ROSTER;
constexpr int SETTINGS = XMPPListener::USER_SETTINGS;
constexpr int VCARD = XMPPListener::VCARD;
constexpr int MESSAGE = XMPPListener::MESSAGE;
constexpr int SHARED = XMPPListener::SHARED_STATUS;
constexpr int BIND = XMPPListener::BIND_FEATURE;
constexpr int SESSION = XMPPListener::SESSION_FEATURE;
constexpr int JID = XMPPListener::BOUND_JID;
constexpr int SUCCESS = XMPPListener::AUTH_SUCCESS;
constexpr int FAILURE = XMPPListener::AUTH_FAILURE;
constexpr int MESSAGE_ERROR = XMPPListener::MESSAGE_ERROR;
constexpr int CONNECTION_ERROR = XMPPListener::CONNECTION_ERROR;
constexpr int REQUEST = XMPPListener::IQ_REQUEST;
constexpr int REFUSED = XMPPListener::IQ_REFUSED;
constexpr int ARCHIVED = XMPPListener::ARCHIVE_RESULT;
constexpr int ARCHIVE_END = XMPPListener::ARCHIVE_END;

const std::string HEADER = "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                           "xmlns:stream='http://etherx.jabber.org/streams' id='s1' from='example.com' "
                           "version='1.0'>";

std::string Utf8(IMString* text) { return text != nullptr ? text->ToUtf8() : std::string("(null)"); }

std::string Text(IMVector* list, int index)
{
    Ixa::Base::Object* element = nullptr;
    list->getAt(index, element);
    return Utf8(static_cast<IMString*>(element));
}

RosterItem* Item(Roster* roster, int index)
{
    Ixa::Base::Object* element = nullptr;
    roster->getSubPackets()->getAt(index, element);
    return static_cast<RosterItem*>(element);
}

// Each stream-management answer the reader handed on: kind, the stanzas read before it, and
// its id, resumability and count where it has them.
std::string Answers(const RecordingListener& listener)
{
    static const char* const kinds[] = {"enabled", "resumed", "failed", "r", "a"};
    std::string all;
    for (std::size_t i = 0; i < listener.count(); ++i) {
        const StreamAnswer* answer = listener.object<StreamAnswer>(i);
        if (answer == nullptr) {
            continue;
        }
        all += std::string(kinds[static_cast<int>(answer->kind)]) + "@" + std::to_string(answer->stanzasRead);
        all += answer->id.empty() ? "" : " id=" + answer->id;
        all += answer->resumable ? " resume" : "";
        all += answer->hasCount ? " h=" + std::to_string(answer->count) : "";
        all += "\n";
    }
    return all;
}

void Read(const std::string& bytes, RecordingListener& listener) { ReaderFeed::runCut(bytes, {}, &listener); }

template <typename Condition>
bool Eventually(Condition condition)
{
    for (int i = 0; i < 2000 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
}

}  // namespace

TEST(XMLReaderTest, SignInEvents)
{
    RecordingListener listener;
    Read(HEADER +
             "<stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism>"
             "</mechanisms></stream:features>"
             "<failure xmlns='urn:example:other'><bad/></failure>"
             "<success xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/>" +
             HEADER +
             "<stream:features><session xmlns='urn:ietf:params:xml:ns:xmpp-session'><optional/></session>"
             "<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/></stream:features>"
             "<iq type='result' id='b1'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'>"
             "<jid>alice@example.com/Mobile</jid></bind></iq>"
             "<iq type='result' id='s1'/>",
         listener);
    const int END = XMPPListener::FEATURES_END;
    EXPECT_EQ(listener.codes(), (Codes{END, SUCCESS, SESSION, BIND, END, JID}));
    EXPECT_EQ(Utf8(listener.object<IMString>(5)), "alice@example.com/Mobile");
    EXPECT_EQ(listener.object<Ixa::Base::Object>(0), nullptr);
}

TEST(XMLReaderTest, SaslFailureEndsTheReader)
{
    RecordingListener listener;
    Read(HEADER + "<failure xmlns='URN:IETF:PARAMS:XML:NS:XMPP-SASL'><not-authorized/></failure>" +
             "<presence from='late@example.com'/>",
         listener);
    EXPECT_EQ(listener.codes(), (Codes{FAILURE}));

    // Without a listener the failure is not acted on and the reader reads on.
    IMSocketInputStream input;
    std::string bytes = "<failure xmlns='urn:ietf:params:xml:ns:xmpp-sasl'/><presence/>";
    unsigned long result = Ixa::E_FAILURE;
    input.getBlockingQueue()->put(ReaderFeed::newBuffer(bytes, 0, bytes.size()), &result);
    input.putEndOfStream();
    XMLReader reader(&input, nullptr);
    reader.setReaderThreadStatus(true);
    reader.Run();
    EXPECT_TRUE(reader.isFinished());
}

TEST(XMLReaderTest, RosterResultsAndPushesButNotErrors)
{
    RecordingListener listener;
    Read(HEADER +
             "<iq type='result' id='r1' to='me@example.com/Mobile'>"
             "<query xmlns='jabber:iq:roster' xmlns:gr='google:roster' gr:ext='2'>"
             "<item jid='Bob@Example.COM' name='Bob &amp; Co' subscription='both' gr:t='B'/>"
             "<item jid='carol@example.com' subscription='none' ask='subscribe'><group>Team &amp; Co</group>"
             "<group>Work</group><group/></item>"
             "<item jid='dave@example.com' subscription='remove' gr:t='H'></item>"
             "</query></iq>"
             "<iq type='set' id='push1' from='me@example.com'><query xmlns='jabber:iq:roster'>"
             "<item jid='eve@example.com' subscription='to'/></query></iq>"
             "<iq type='error' id='r2'><query xmlns='jabber:iq:roster'><item jid='x@y'/></query>"
             "<error type='cancel'><not-allowed xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>"
             "<iq id='r3'><query xmlns='jabber:iq:roster'/></iq>",
         listener);
    // The error is no roster, only a refusal of what it answers.
    ASSERT_EQ(listener.codes(), (Codes{ROSTER, ROSTER, REFUSED, ROSTER}));

    Roster* result = listener.object<Roster>(0);
    EXPECT_EQ(result->getType(), IQ::Type::RESULT);
    EXPECT_EQ(Utf8(result->getPacketID()), "r1");
    EXPECT_EQ(result->getFrom(), nullptr);
    ASSERT_EQ(result->getSubPackets()->size(), 3);
    RosterItem* bob = Item(result, 0);
    EXPECT_EQ(Utf8(bob->getUserJID()), "bob@example.com");
    EXPECT_EQ(Utf8(bob->getNickName()), "Bob & Co");
    EXPECT_EQ(bob->getItemType(), RosterItem::Type::BOTH);
    EXPECT_EQ(bob->getDescription(), RosterItem::Description::BLOCKED);
    EXPECT_EQ(bob->getItemStatus(), RosterItem::Status::NONE);
    RosterItem* carol = Item(result, 1);
    EXPECT_EQ(carol->getNickName(), nullptr);
    EXPECT_EQ(carol->getItemType(), RosterItem::Type::NONE);
    EXPECT_EQ(carol->getItemStatus(), RosterItem::Status::SUBSCRIBE);
    EXPECT_EQ(carol->getDescription(), RosterItem::Description::NORMAL);
    EXPECT_EQ(carol->getGroups(), (std::vector<IMString>{IMString("Team & Co"), IMString("Work"), IMString()}));
    EXPECT_TRUE(bob->getGroups().empty());
    EXPECT_EQ(Item(result, 2)->getItemType(), RosterItem::Type::REMOVE);
    EXPECT_EQ(Item(result, 2)->getDescription(), RosterItem::Description::HIDDEN);

    Roster* push = listener.object<Roster>(1);
    EXPECT_EQ(push->getType(), IQ::Type::SET);
    EXPECT_EQ(Utf8(push->getPacketID()), "push1");
    EXPECT_EQ(Utf8(push->getFrom()), "me@example.com");
    EXPECT_EQ(Utf8(Item(push, 0)->getUserJID()), "eve@example.com");

    // No type attribute reads as get; the empty query still makes a roster.
    Roster* untyped = listener.object<Roster>(3);
    EXPECT_EQ(untyped->getType(), IQ::Type::GET);
    EXPECT_EQ(untyped->getSubPackets()->size(), 0);
}

TEST(XMLReaderTest, PresencesWithTheirChildren)
{
    RecordingListener listener;
    Read(HEADER +
             "<presence from='bob@example.com/home' to='me@example.com' id='p1' xml:lang='en'>"
             "<show>dnd</show><status>In a &quot;meeting&quot; \xF0\x9F\x93\x85</status><priority>-5</priority>"
             "<x xmlns='vcard-temp:x:update'><photo>01b87fcd030b72895ff8e88db57ec525450f000d</photo></x>"
             "<c xmlns='http://jabber.org/protocol/caps' hash='sha-1' node='n' ver='v'/></presence>"
             "<presence from='carol@example.com' type='unavailable'/>"
             "<presence from='dave@example.com' type='subscribe'><priority>high</priority></presence>"
             "<presence from='eve@example.com' type='bogus'><show/><status/><x><photo/></x></presence>"
             "<presence from='fay@example.com'><x xmlns='vcard-temp:x:update'><photo></photo></x></presence>",
         listener);
    ASSERT_EQ(listener.codes(), (Codes{PRESENCE, PRESENCE, PRESENCE, PRESENCE, PRESENCE}));

    Presence* bob = listener.object<Presence>(0);
    EXPECT_EQ(Utf8(bob->getFrom()), "bob@example.com/home");
    EXPECT_EQ(Utf8(bob->getTo()), "me@example.com");
    EXPECT_EQ(Utf8(bob->getPacketID()), "p1");
    EXPECT_EQ(bob->getPresenceType(), Presence::Type::NONE);
    EXPECT_EQ(bob->getPresenceStatus(), Presence::Status::DND);
    EXPECT_EQ(Utf8(bob->getStatusMessage()), "In a \"meeting\" \xF0\x9F\x93\x85");
    EXPECT_EQ(bob->getPriority(), -5);
    EXPECT_EQ(Utf8(bob->getAvatarHash()), "01b87fcd030b72895ff8e88db57ec525450f000d");

    EXPECT_EQ(listener.object<Presence>(1)->getPresenceType(), Presence::Type::UNAVAILABLE);
    Presence* dave = listener.object<Presence>(2);
    EXPECT_EQ(dave->getPresenceType(), Presence::Type::SUBSCRIBE);
    EXPECT_EQ(dave->getPriority(), 0);
    Presence* eve = listener.object<Presence>(3);
    EXPECT_EQ(eve->getPresenceType(), Presence::Type::UNKNOWN);
    EXPECT_EQ(eve->getPresenceStatus(), Presence::Status::NONE);
    EXPECT_EQ(eve->getStatusMessage(), nullptr);
    // An empty photo says there is no avatar; a presence without one says nothing about it.
    EXPECT_EQ(Utf8(eve->getAvatarHash()), "");
    EXPECT_EQ(Utf8(listener.object<Presence>(4)->getAvatarHash()), "");
    EXPECT_EQ(listener.object<Presence>(1)->getAvatarHash(), nullptr);
}

TEST(XMLReaderTest, MessagesAndMessageErrors)
{
    RecordingListener listener;
    Read(HEADER +
             "<message from='bob@example.com/home' to='me@example.com' type='chat' id='m1'>"
             "<subject>Plans</subject><body>Fish &amp; chips &lt;3 caf\xC3\xA9 \xF0\x9F\x90\x9F</body>"
             "<thread>th-1</thread><active xmlns='http://jabber.org/protocol/chatstates'/></message>"
             "<message from='nobody@example.com' type='error' id='m2'><body>lost</body>"
             "<error code='503' type='cancel'><service-unavailable xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/>"
             "<text xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'>No such user</text></error></message>"
             "<message from='carol@example.com'>plain text</message>"
             "<message from='dave@example.com' type='headline'><body></body></message>",
         listener);
    ASSERT_EQ(listener.codes(), (Codes{MESSAGE, MESSAGE_ERROR, MESSAGE, MESSAGE}));

    MessagePacket* chat = listener.object<MessagePacket>(0);
    EXPECT_EQ(Utf8(chat->getFrom()), "bob@example.com/home");
    EXPECT_EQ(chat->getMessageType(), MessagePacket::Type::CHAT);
    EXPECT_EQ(Utf8(chat->getSubject()), "Plans");
    EXPECT_EQ(Utf8(chat->getBody()), "Fish & chips <3 caf\xC3\xA9 \xF0\x9F\x90\x9F");
    EXPECT_EQ(Utf8(chat->getThread()), "th-1");
    EXPECT_EQ(chat->getError(), nullptr);

    MessagePacket* bounced = listener.object<MessagePacket>(1);
    EXPECT_EQ(bounced->getMessageType(), MessagePacket::Type::ERROR);
    ASSERT_TRUE(bounced->hasPacketID()) << "the id names the message that bounced";
    EXPECT_EQ(Utf8(bounced->getPacketID()), "m2");
    XMPPError* error = bounced->getError();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->getType(), XMPPError::Type::CANCEL);
    EXPECT_EQ(error->getCode(), 503);
    EXPECT_EQ(Utf8(error->getMessage()), "No such user");
    ASSERT_EQ(error->getConditions()->size(), 1);
    EXPECT_EQ(Text(error->getConditions(), 0), "service-unavailable");

    // A closing tag right after the text still ends the message.
    MessagePacket* plain = listener.object<MessagePacket>(2);
    EXPECT_EQ(plain->getMessageType(), MessagePacket::Type::NORMAL);
    EXPECT_EQ(plain->getBody(), nullptr);
    EXPECT_EQ(listener.object<MessagePacket>(3)->getBody(), nullptr);
    EXPECT_EQ(listener.object<MessagePacket>(3)->getMessageType(), MessagePacket::Type::HEADLINE);
}

// Every stanza id a message carries is kept with the address that gave it, so that only the
// user's own server's counts; one inside a forwarded copy is not the message's own.
TEST(XMLReaderTest, StanzaIdsAreKeptWithWhoGaveThem)
{
    RecordingListener listener;
    Read(HEADER +
             "<message from='bob@example.com/home' to='me@example.com' type='chat' id='m1'><body>hi</body>"
             "<stanza-id xmlns='urn:xmpp:sid:0' by='bob@example.com' id='forged'/>"
             "<stanza-id xmlns='urn:xmpp:sid:0' by='Me@Example.com' id='A17'/>"
             "<stanza-id xmlns='urn:xmpp:other' by='other@example.com' id='wrong-namespace'/>"
             "<forwarded xmlns='urn:xmpp:forward:0'><message><stanza-id xmlns='urn:xmpp:sid:0' "
             "by='room@example.com' id='inner'/></message></forwarded></message>",
         listener);
    ASSERT_EQ(listener.codes(), (Codes{MESSAGE}));
    MessagePacket* message = listener.object<MessagePacket>(0);
    ASSERT_NE(message->getStanzaIdBy(IMString("me@example.com")), nullptr);
    EXPECT_EQ(message->getStanzaIdBy(IMString("me@example.com"))->ToUtf8(), "A17");
    EXPECT_EQ(message->getStanzaIdBy(IMString("bob@example.com"))->ToUtf8(), "forged");
    EXPECT_EQ(message->getStanzaIdBy(IMString("other@example.com")), nullptr);
    EXPECT_EQ(message->getStanzaIdBy(IMString("room@example.com")), nullptr);
    EXPECT_EQ(Utf8(message->getBody()), "hi");
}

// Archive results come as messages holding the archived message; the page's end as the iq
// result with its fin. Whoever sent a result and for which query is read as it is: whether it
// counts is the listener's decision. An iq error answering a query is only a refusal.
TEST(XMLReaderTest, ArchiveResultsAndTheirPageEnd)
{
    RecordingListener listener;
    Read(HEADER +
             "<message to='me@example.com/r'><result xmlns='urn:xmpp:mam:2' queryid='q1' id='A1'>"
             "<forwarded xmlns='urn:xmpp:forward:0'><delay xmlns='urn:xmpp:delay' stamp='2026-12-06T05:00:00Z'/>"
             "<message from='bob@example.com/home' to='me@example.com' type='chat' id='b1'><body>one</body>"
             "<delay xmlns='urn:xmpp:delay' stamp='1999-01-01T00:00:00Z'/>"
             "<result xmlns='urn:xmpp:mam:2' queryid='q1' id='nested'/></message></forwarded></result></message>"
             "<message from='mallory@evil.example' to='me@example.com/r'><result xmlns='urn:xmpp:mam:2' "
             "queryid='q2' id='A2'><forwarded xmlns='urn:xmpp:forward:0'><message from='x@example.com'>"
             "<body>two</body></message></forwarded></result></message>"
             "<iq type='result' id='i1'><fin xmlns='urn:xmpp:mam:2' complete='false'>"
             "<set xmlns='http://jabber.org/protocol/rsm'><first>A1</first><last>A2</last></set></fin></iq>"
             "<iq type='result' id='i2' from='me@example.com'><fin xmlns='urn:xmpp:mam:2' complete='true'/></iq>"
             "<iq type='error' id='i3'><error type='cancel'><service-unavailable "
             "xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>",
         listener);
    ASSERT_EQ(listener.codes(), (Codes{ARCHIVED, ARCHIVED, ARCHIVE_END, ARCHIVE_END, REFUSED}));

    ArchivedMessage* first = listener.object<ArchivedMessage>(0);
    EXPECT_EQ(first->getSource(), nullptr);
    EXPECT_EQ(Utf8(first->getQueryId()), "q1");
    EXPECT_EQ(Utf8(first->getArchiveId()), "A1");
    EXPECT_EQ(Utf8(first->getStamp()), "2026-12-06T05:00:00Z") << "the forward's delay, not the message's own";
    ASSERT_NE(first->getMessage(), nullptr);
    EXPECT_EQ(Utf8(first->getMessage()->getFrom()), "bob@example.com/home");
    EXPECT_EQ(Utf8(first->getMessage()->getTo()), "me@example.com");
    EXPECT_EQ(Utf8(first->getMessage()->getPacketID()), "b1");
    EXPECT_EQ(Utf8(first->getMessage()->getBody()), "one");

    ArchivedMessage* second = listener.object<ArchivedMessage>(1);
    EXPECT_EQ(Utf8(second->getSource()), "mallory@evil.example");
    EXPECT_EQ(Utf8(second->getQueryId()), "q2");

    ArchiveFin* page = listener.object<ArchiveFin>(2);
    EXPECT_EQ(page->getType(), IQ::Type::RESULT);
    EXPECT_EQ(Utf8(page->getPacketID()), "i1");
    EXPECT_FALSE(page->isComplete());
    EXPECT_EQ(Utf8(page->getLast()), "A2");
    ArchiveFin* last = listener.object<ArchiveFin>(3);
    EXPECT_TRUE(last->isComplete());
    EXPECT_EQ(last->getLast(), nullptr);
    EXPECT_EQ(Utf8(last->getFrom()), "me@example.com");
}

// A message as other clients send it: a formatted copy after the plain body, the way servers
// lay it out, and a text that looks like a closing tag.
TEST(XMLReaderTest, OnlyTheMessagesOwnBodyIsItsText)
{
    RecordingListener listener;
    Read(HEADER +
             "<message from='alice@example.com/phone' type='chat'><body>Hello world</body>"
             "<html xmlns='http://jabber.org/protocol/xhtml-im'><body xmlns='http://www.w3.org/1999/xhtml'>"
             "Hello <b>world</b></body></html></message>"
             "<message\n\tfrom='bob@example.com/home'\n\tto='me@example.com'\n\ttype=\"chat\"\n\tid='x1'>\n"
             "  <body>Hello world</body>\n"
             "  <html xmlns='http://jabber.org/protocol/xhtml-im'>\n"
             "    <body xmlns='http://www.w3.org/1999/xhtml'>Hello <b>world</b></body>\n"
             "  </html>\n"
             "</message>"
             "<message from='carol@example.com' type='chat'>"
             "<html xmlns='http://jabber.org/protocol/xhtml-im'><body xmlns='http://www.w3.org/1999/xhtml'>"
             "<p>first</p></body></html><body>/message</body><subject>/message</subject></message>",
         listener);
    MessagePacket* alice = listener.first<MessagePacket>(MESSAGE);
    ASSERT_NE(alice, nullptr);
    EXPECT_EQ(Utf8(alice->getBody()), "Hello world");
    ASSERT_EQ(listener.codes(), (Codes{MESSAGE, MESSAGE, MESSAGE}));
    MessagePacket* bob = listener.object<MessagePacket>(1);
    EXPECT_EQ(Utf8(bob->getBody()), "Hello world");
    EXPECT_EQ(Utf8(bob->getFrom()), "bob@example.com/home");
    EXPECT_EQ(bob->getMessageType(), MessagePacket::Type::CHAT);
    EXPECT_EQ(Utf8(listener.object<MessagePacket>(2)->getBody()), "/message");
    EXPECT_EQ(Utf8(listener.object<MessagePacket>(2)->getSubject()), "/message");
}

// What a stranger puts inside a message stays inside it: neither a text nor an element of the
// same name ends the stanza early, so nothing in it is read as a stanza of the stream. A
// stanza closed by another name's end tag is not handed on.
TEST(XMLReaderTest, AStanzaEndsOnlyAtItsOwnEndTag)
{
    const std::string push = "<iq type='set' id='push'><query xmlns='jabber:iq:roster'>"
                             "<item jid='mallory@evil.example' subscription='both'/></query></iq>";
    RecordingListener listener;
    Read(HEADER + "<message from='mallory@evil.example'><x>/message</x>" + push +
             "<body>one</body></message>"
             "<message from='mallory@evil.example'><message/>" +
             push + "<body>two</body></message>"
             "<presence from='mallory@evil.example'><x><presence/></x>" +
             push + "</presence>"
             "<message from='mallory@evil.example'><body>crossed</body></presence>"
             "<presence from='last@example.com'/>",
         listener);
    ASSERT_EQ(listener.codes(), (Codes{MESSAGE, MESSAGE, PRESENCE, PRESENCE}));
    EXPECT_EQ(Utf8(listener.object<MessagePacket>(0)->getBody()), "one");
    EXPECT_EQ(Utf8(listener.object<MessagePacket>(1)->getBody()), "two");
    EXPECT_EQ(Utf8(listener.object<Presence>(3)->getFrom()), "last@example.com");
}

TEST(XMLReaderTest, ServicePayloads)
{
    std::string picture = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5E\n"
                          "rkJggg==";
    RecordingListener listener;
    Read(HEADER +
             "<iq type='result' from='bob@example.com' id='v1'><vCard xmlns='vcard-temp'><FN>Bob</FN><PHOTO>"
             "<TYPE>image/png</TYPE><BINVAL>\n" +
             picture +
             "\n</BINVAL></PHOTO></vCard></iq>"
             "<iq type='error' from='nobody@example.com' id='v2'><vCard xmlns='vcard-temp'/>"
             "<error type='cancel'><item-not-found xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>"
             "<iq type='result' id='u1'><usersetting xmlns='google:setting'>"
             "<autoacceptsuggestions value='TRUE'/><mailnotifications value='false'/>"
             "<archivingenabled value='true'/><displayname value='Alice &lt;A&gt;'/></usersetting></iq>"
             "<iq type='error' id='u2'><usersetting xmlns='google:setting'/></iq>"
             "<iq type='result' id='ss1'><query xmlns='google:shared-status' version='2' status-max='512' "
             "status-list-max='3' status-list-contents-max='5'>"
             "<status>Lunch</status><show>DND</show>"
             "<status-list show='default'><status>Lunch</status><status>Back soon</status></status-list>"
             "<status-list show='dnd'><status>Busy</status><status/></status-list>"
             "<invisible value='true'/></query></iq>"
             "<iq type='set' id='ss2'><query xmlns='google:shared-status'><show>default</show>"
             "<invisible value='false'/></query></iq>"
             "<iq type='error' id='ss3'><query xmlns='google:shared-status'/></iq>"
             "<iq type='set' id='mail' from='me@example.com' to='me@example.com/Mobile'>"
             "<new-mail xmlns='google:mail:notify'><x xmlns='a:b'/></new-mail></iq>"
             "<iq type='result' id='mb'><mailbox result-time='1'><mail-thread-info/></mailbox></iq>",
         listener);
    ASSERT_EQ(listener.codes(), (Codes{VCARD, REFUSED, SETTINGS, SHARED, SHARED, REQUEST}));

    VCard* vCard = listener.object<VCard>(0);
    EXPECT_EQ(Utf8(vCard->getFrom()), "bob@example.com");
    std::unique_ptr<Ixa::Base::ByteBuffer> png(vCard->getUserAvatarData());
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->GetLimit(), 70);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(png->GetPointer()) + 1, 3), "PNG");

    // An error of type cancel is no vCard; it goes on as a refusal of what it answers.
    EXPECT_EQ(Utf8(listener.object<IQ>(1)->getPacketID()), "v2");
    EXPECT_EQ(Utf8(listener.object<IQ>(1)->getFrom()), "nobody@example.com");

    UserSettings* settings = listener.object<UserSettings>(2);
    ASSERT_NE(settings->isAutoAcceptSuggestions(), nullptr);
    EXPECT_TRUE(settings->isAutoAcceptSuggestions()->ToBool());
    EXPECT_FALSE(settings->isGmailNotifications()->ToBool());
    EXPECT_TRUE(settings->isArchivingEnabled()->ToBool());
    EXPECT_EQ(Utf8(settings->getDisplayName()), "Alice <A>");
    EXPECT_EQ(settings->getType(), IQ::Type::RESULT);

    SharedStatusMessage* status = listener.object<SharedStatusMessage>(3);
    EXPECT_EQ(status->getType(), IQ::Type::RESULT);
    EXPECT_EQ(Utf8(status->getCurrentStatusMessage()), "Lunch");
    EXPECT_EQ(Utf8(status->getCurrentStatus()), SharedStatusMessage::STATUS_DND);
    ASSERT_NE(status->getDefaultStatusMessages(), nullptr);
    ASSERT_EQ(status->getDefaultStatusMessages()->size(), 2);
    EXPECT_EQ(Text(status->getDefaultStatusMessages(), 1), "Back soon");
    ASSERT_EQ(status->getDndStatusMessages()->size(), 1);
    EXPECT_EQ(Text(status->getDndStatusMessages(), 0), "Busy");
    EXPECT_TRUE(status->isInvisible());
    EXPECT_EQ(status->getStatusMax(), 512);
    EXPECT_EQ(status->getStatusListContentsMax(), 5);

    SharedStatusMessage* pushed = listener.object<SharedStatusMessage>(4);
    EXPECT_EQ(pushed->getType(), IQ::Type::SET);
    EXPECT_EQ(Utf8(pushed->getCurrentStatus()), SharedStatusMessage::STATUS_DEFAULT);
    EXPECT_EQ(pushed->getCurrentStatusMessage(), nullptr);
    EXPECT_EQ(pushed->getDefaultStatusMessages(), nullptr);
    EXPECT_FALSE(pushed->isInvisible());
    EXPECT_EQ(pushed->getStatusMax(), 0);

    // A request with no payload class goes on to be answered, named by its child's namespace.
    IQ* request = listener.object<IQ>(5);
    EXPECT_EQ(request->getType(), IQ::Type::SET);
    EXPECT_EQ(Utf8(request->getPacketID()), "mail");
    EXPECT_EQ(Utf8(request->getFrom()), "me@example.com");
    EXPECT_EQ(Utf8(request->getTo()), "me@example.com/Mobile");
    EXPECT_EQ(Utf8(request->getXmlns()), "google:mail:notify");
}

// A server without one of the service's extensions says so with an error of type cancel: it
// goes on with the id it answers, however the error is written; an error that may pass (wait,
// modify) or one without an error element goes nowhere.
TEST(XMLReaderTest, RefusalsCarryTheIdTheyAnswer)
{
    RecordingListener listener;
    Read(HEADER +
             "<iq type='error' id='q1' from='example.com'><error type='cancel'>"
             "<service-unavailable xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>"
             "<iq type='error' id='q2'><query xmlns='google:shared-status'/><error type='wait'>"
             "<internal-server-error xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>"
             "<iq type='error' id='q3'/>"
             "<iq type='error' id='q4'><usersetting xmlns='google:setting'/><error code='501' type='cancel'>"
             "<feature-not-implemented xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></error></iq>",
         listener);
    ASSERT_EQ(listener.codes(), (Codes{REFUSED, REFUSED, REFUSED})) << "an error without its element explains nothing";
    EXPECT_EQ(Utf8(listener.object<IQ>(0)->getPacketID()), "q1");
    EXPECT_EQ(Utf8(listener.object<IQ>(0)->getFrom()), "example.com");
    EXPECT_EQ(listener.object<IQ>(0)->getType(), IQ::Type::ERROR);
    EXPECT_EQ(Utf8(listener.object<IQ>(1)->getPacketID()), "q2");
    ASSERT_NE(listener.object<IQ>(1)->getError(), nullptr);
    EXPECT_EQ(listener.object<IQ>(1)->getError()->getType(), XMPPError::Type::WAIT) << "to be asked again later";
    EXPECT_EQ(Utf8(listener.object<IQ>(2)->getPacketID()), "q4");
    EXPECT_EQ(listener.object<IQ>(2)->getError()->getType(), XMPPError::Type::CANCEL);
}

TEST(XMLReaderTest, BadInputNeitherCrashesNorLeaks)
{
    RecordingListener listener;
    Read(HEADER + "<unknown><presence-like/></unknown></unmatched><presence from='a@b'>" +
             "&junk;&;&#;&apo<message from='x'><body>&amp</body></message>" +
             "<stream:error><conflict xmlns='urn:ietf:params:xml:ns:xmpp-streams'/>"
             "<text xmlns='urn:ietf:params:xml:ns:xmpp-streams'>Replaced</text></stream:error>"
             "<message from='y'><body>cut sh",
         listener);
    // The presence is never closed, so the message inside it is swallowed; the truncated last
    // message is not handed on.
    EXPECT_EQ(listener.codes(), (Codes{}));

    RecordingListener nobody;
    Read(HEADER + "<message from='x'><body>ok</body></message><presence/>", nobody);
    EXPECT_EQ(nobody.codes(), (Codes{MESSAGE, PRESENCE}));
    ReaderFeed::runCut(HEADER + "<message from='x'><body>ok</body></message><presence/>", {}, nullptr);
}

TEST(XMLReaderTest, OversizedStanzaEndsTheReaderWithAConnectionError)
{
    RecordingListener listener;
    ReaderFeed::runThreaded(HEADER + "<presence from='a@b'/><message from='x'><body>" +
                                std::string(10 * 1024 * 1024, 'y') + "</body></message><presence/>",
                            8192, &listener);
    EXPECT_EQ(listener.codes(), (Codes{PRESENCE, CONNECTION_ERROR}));
}

TEST(XMLReaderTest, CloseWakesABlockedReaderAndWaitingReturns)
{
    IMSocketInputStream input;
    RecordingListener listener;
    XMLReader reader(&input, &listener);
    EXPECT_TRUE(reader.isFinished());
    reader.waitUntilFinished();
    reader.setReaderThreadStatus(true);
    ASSERT_EQ(reader.Start(), Ixa::E_SUCCESS);
    std::string bytes = HEADER + "<presence from='a@b'/><message from='c@d'><body>half";
    unsigned long result = Ixa::E_FAILURE;
    input.getBlockingQueue()->put(ReaderFeed::newBuffer(bytes, 0, bytes.size()), &result);
    ASSERT_TRUE(Eventually([&] { return listener.count() == 1 && input.isWaitingToRead(); }));
    EXPECT_FALSE(reader.isFinished());
    EXPECT_TRUE(reader.isReaderThreadRunning());

    reader.close();
    reader.waitUntilFinished();
    EXPECT_TRUE(reader.isFinished());
    EXPECT_FALSE(reader.isReaderThreadRunning());
    EXPECT_EQ(listener.codes(), (Codes{PRESENCE}));
    reader.waitUntilFinished();
}

TEST(XMLReaderTest, CloseRacesWithReadingAndNeverHangs)
{
    std::string stanza = "<presence from='a@b'><status>x</status></presence>";
    for (int round = 0; round < 40; ++round) {
        IMSocketInputStream input;
        RecordingListener listener;
        {
            XMLReader reader(&input, &listener);
            reader.setReaderThreadStatus(true);
            reader.Start();
            std::atomic<bool> stop{false};
            std::thread feeder([&] {
                while (!stop) {
                    unsigned long result = Ixa::E_FAILURE;
                    auto buffer = ReaderFeed::newBuffer(stanza, 0, stanza.size());
                    input.getBlockingQueue()->put(buffer, &result);
                    if (Ixa::IsFailed(result)) {
                        delete static_cast<Ixa::Base::ByteBuffer*>(buffer);
                        std::this_thread::yield();
                    }
                }
            });
            std::this_thread::sleep_for(std::chrono::microseconds(50 * (round % 8)));
            reader.close();
            reader.waitUntilFinished();
            stop = true;
            feeder.join();
        }
        // Presences, and the reader's own request for an acknowledgement every 32 stanzas.
        for (int code : listener.codes()) {
            EXPECT_TRUE(code == PRESENCE || code == XMPPListener::SM_ANSWER) << code;
        }
    }
}

TEST(XMLReaderTest, DestroyingABlockedReaderStopsItsThread)
{
    IMSocketInputStream input;
    RecordingListener listener;
    auto reader = std::make_unique<XMLReader>(&input, &listener);
    reader->setReaderThreadStatus(true);
    reader->Start();
    ASSERT_TRUE(Eventually([&] { return input.isWaitingToRead(); }));
    reader.reset();
    EXPECT_EQ(listener.count(), 0u);
}

TEST(XMLReaderTest, StreamManagementAnswersCarryTheTopLevelStanzasReadBeforeThem)
{
    RecordingListener listener;
    const std::string sm = " xmlns='urn:xmpp:sm:3'";
    Read(HEADER +
             "<stream:features><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'/><sm" + sm +
             "><optional/></sm></stream:features>"
             "<iq type='result' id='b1'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'>"
             "<jid>alice@example.com/Mobile</jid></bind></iq>"
             "<enabled" + sm + " id='S1' resume='true'/>"
             "<message from='bob@example.com'><body>one</body><x xmlns='urn:example:wrap'>"
             "<message from='eve@example.com'><body>inner</body></message><a" + sm + " h='9'/><r" + sm + "/>"
             "</x></message>"
             "<presence from='bob@example.com/Home'/>"
             "<iq type='result' id='r2'/>"
             "<iq type='get' id='p1' from='example.com'><ping xmlns='urn:xmpp:ping'/></iq>"
             "<r" + sm + "/>"
             "<a" + sm + " h='4294967295'/>"
             "<resumed" + sm + " h='3' previd='S1'/>"
             "<failed" + sm + " h='2'><item-not-found xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></failed>"
             "<failed" + sm + "><unexpected-request xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></failed>"
             "<message from='bob@example.com'><body>two</body></message>"
             "<r" + sm + "/>",
         listener);
    const int END = XMPPListener::FEATURES_END;
    const int ANSWER = XMPPListener::SM_ANSWER;
    const Codes codes = listener.codes();
    ASSERT_GE(codes.size(), 4U);
    EXPECT_EQ(Codes(codes.begin(), codes.begin() + 4), (Codes{BIND, XMPPListener::SM_FEATURE, END, JID}));
    EXPECT_EQ(std::count(codes.begin(), codes.end(), MESSAGE), 2) << "the nested message is the outer one's payload";
    EXPECT_EQ(std::count(codes.begin(), codes.end(), ANSWER), 7) << "nested stream-management elements are payload too";
    EXPECT_EQ(Answers(listener),
        "enabled@1 id=S1 resume\n"
        "r@5\n"
        "a@5 h=4294967295\n"
        "resumed@5 h=3\n"
        "failed@5 h=2\n"
        "failed@5\n"
        "r@6\n");
}

TEST(XMLReaderTest, AMalformedStreamManagementCountIsNoCount)
{
    for (const char* h : {"", "abc", "12x", "-1", "-0x1", "-18446744073709551615", "4294967296",
             "99999999999999999999999"}) {
        RecordingListener listener;
        Read(HEADER + "<a xmlns='urn:xmpp:sm:3' h='" + h + "'/>", listener);
        EXPECT_EQ(Answers(listener), "a@0\n") << "h='" << h << "'";
    }
    RecordingListener listener;
    Read(HEADER + "<a xmlns='urn:xmpp:sm:3' h='0'/><a xmlns='urn:xmpp:sm:3' h='007'/>", listener);
    EXPECT_EQ(Answers(listener), "a@0 h=0\na@0 h=7\n");
}
