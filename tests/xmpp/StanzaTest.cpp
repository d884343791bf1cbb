// The exact bytes of every stanza form the client sends.
#include "foundation/Base64.h"
#include "xmpp/Authentication.h"
#include "xmpp/Constants.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/NewIQ.h"
#include "xmpp/NoSaveItem.h"
#include "xmpp/NoSaveState.h"
#include "xmpp/Presence.h"
#include "xmpp/ResourceBind.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"
#include "xmpp/Session.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/Stream.h"
#include "xmpp/UserSettings.h"
#include "xmpp/VCard.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <set>
#include <string>

namespace {

std::string Xml(Packet& packet)
{
    std::unique_ptr<IMString> xml(packet.getXML());
    return xml != nullptr ? xml->ToUtf8() : std::string("(null)");
}

std::string Xml(SubPacket& packet)
{
    std::unique_ptr<IMString> xml(packet.getXML());
    return xml->ToUtf8();
}

IMString* S(const char* text) { return new IMString(text); }

std::string Domain() { return Constants::DOMAIN.ToUtf8(); }

// Gives the iq a fixed id so that its bytes can be compared whole.
template <typename T>
T& WithId(T& iq, const char* id)
{
    iq.setPacketID(S(id));
    return iq;
}

std::string PlainPayload(const std::string& auth)
{
    std::string::size_type start = auth.find("' >") + 3;
    std::string::size_type end = auth.find("</auth>");
    IMString base64(auth.substr(start, end - start).c_str());
    std::unique_ptr<Ixa::Base::ByteBuffer> bytes(Base64::decode(&base64));
    if (bytes == nullptr) {
        return "(not base64)";
    }
    return std::string(reinterpret_cast<const char*>(bytes->GetPointer()), static_cast<std::size_t>(bytes->GetLimit()));
}

Roster* RosterWithOneContact(const char* jid, RosterItem::Description description, IMString* name,
                             RosterItem::Type type)
{
    auto roster = new Roster();
    roster->setType(IQ::Type::SET);
    roster->setPacketID(S("r1"));
    auto item = new RosterItem();
    if (description != RosterItem::Description::NONE) {
        item->setDescription(description);
    }
    item->setNickName(name);
    item->setItemType(type);
    item->setUserJID(S(jid));
    roster->addSubPacket(item);
    return roster;
}

IMVector* Texts(std::initializer_list<const char*> texts)
{
    auto list = new IMVector();
    for (const char* text : texts) {
        list->put(S(text));
    }
    return list;
}

void DeleteTexts(IMVector* list)
{
    list->RemoveAll(true);
    delete list;
}

}  // namespace

TEST(StanzaTest, StreamHeaderAndClosingTag)
{
    Stream open(true);
    Stream close(false);
    EXPECT_EQ(Xml(open), "<stream:stream to=\"" + Domain() +
                             "\" xmlns=\"jabber:client\" xmlns:stream=\"http://etherx.jabber.org/streams\" "
                             "version=\"1.0\">");
    EXPECT_EQ(Xml(close), "</stream:stream>");
}

TEST(StanzaTest, AuthCarriesThePlainMessageWithTwoZeroBytes)
{
    IMString user("alice");
    IMString password("s3cret");
    Authentication ascii(&user, &password);
    std::string xml = Xml(ascii);
    std::string prefix = "<auth xmlns='urn:ietf:params:xml:ns:xmpp-sasl' mechanism='PLAIN' xmlns:ga='" +
                         Constants::AUTH_NAMESPACE.ToUtf8() + "' ga:client-uses-full-bind-result='true' >";
    ASSERT_EQ(xml.substr(0, prefix.size()), prefix);
    EXPECT_EQ(xml.substr(xml.size() - 7), "</auth>");
    EXPECT_EQ(PlainPayload(xml), "alice@" + Domain() + std::string("\0alice\0s3cret", 13));
    EXPECT_EQ(Xml(ascii), xml);
    EXPECT_EQ(user, IMString("alice"));

    IMString userUnicode("j\xC3\xBCrgen");
    IMString passwordUnicode("p\xC3\xA4ss\xF0\x9F\x94\x91");
    Authentication unicode(&userUnicode, &passwordUnicode);
    EXPECT_EQ(PlainPayload(Xml(unicode)), "j\xC3\xBCrgen@" + Domain() + std::string("\0j\xC3\xBCrgen\0", 9) +
                                              "p\xC3\xA4ss\xF0\x9F\x94\x91");

    IMString empty;
    Authentication noPassword(&user, &empty);
    EXPECT_EQ(PlainPayload(Xml(noPassword)), "alice@" + Domain() + std::string("\0alice\0", 7));
}

TEST(StanzaTest, BindAndSessionRequests)
{
    IMString resource("Mobile");
    ResourceBind bind(IQ::Type::SET, nullptr, &resource);
    EXPECT_EQ(Xml(WithId(bind, "b1")),
              "<iq id=\"b1\" type=\"set\"><bind xmlns=\"urn:ietf:params:xml:ns:xmpp-bind\">"
              "<resource>Mobile</resource></bind></iq>");

    ResourceBind withJid(IQ::Type::SET, S("a@b/<x>"), nullptr);
    WithId(withJid, "b2");
    EXPECT_EQ(Xml(withJid), "<iq id=\"b2\" type=\"set\"><bind xmlns=\"urn:ietf:params:xml:ns:xmpp-bind\">"
                            "<jid>a@b/&lt;x&gt;</jid></bind></iq>");
    // The jid is written once and then dropped.
    EXPECT_EQ(Xml(withJid), "<iq id=\"b2\" type=\"set\"><bind xmlns=\"urn:ietf:params:xml:ns:xmpp-bind\"></bind></iq>");

    Session session(IQ::Type::SET);
    EXPECT_EQ(Xml(WithId(session, "s1")),
              "<iq id=\"s1\" type=\"set\"><session xmlns=\"urn:ietf:params:xml:ns:xmpp-session\"/></iq>");
}

TEST(StanzaTest, IqAttributesIdsAndTypes)
{
    NewIQ untyped;
    untyped.setPacketID(S("x\"1"));
    untyped.setTo(S("a@b.c"));
    untyped.setFrom(S("me@b.c/Mobile"));
    EXPECT_EQ(Xml(untyped), "<iq id=\"x&quot;1\" to=\"a@b.c\" from=\"me@b.c/Mobile\" type=\"get\"></iq>");

    NewIQ ack;
    ack.setType(IQ::Type::RESULT);
    ack.setPacketID(S("push7"));
    ack.setTo(S("example.com"));
    EXPECT_EQ(Xml(ack), "<iq id=\"push7\" to=\"example.com\" type=\"result\"></iq>");

    std::set<std::string> ids;
    std::string prefix;
    for (int i = 0; i < 50; ++i) {
        NewIQ iq;
        std::string xml = Xml(iq);
        std::string id = xml.substr(8, xml.find('"', 8) - 8);
        ASSERT_GE(id.size(), 6u) << xml;
        if (prefix.empty()) {
            prefix = id.substr(0, 5);
        }
        EXPECT_EQ(id.substr(0, 5), prefix);
        ids.insert(id);
        EXPECT_EQ(iq.getPacketID()->ToUtf8(), id);
    }
    EXPECT_EQ(ids.size(), 50u);

    IMString get("get");
    IMString result("result");
    IMString upper("GET");
    EXPECT_EQ(IQ::getIQType(&get), IQ::Type::GET);
    EXPECT_EQ(IQ::getIQType(&result), IQ::Type::RESULT);
    EXPECT_EQ(IQ::getIQType(nullptr), IQ::Type::ERROR);
    EXPECT_EQ(IQ::getIQType(&upper), IQ::Type::UNKNOWN);
    EXPECT_EQ(IQ::getIQTypeString(IQ::Type::SET), IMString("set"));
    EXPECT_TRUE(IQ::getIQTypeString(IQ::Type::UNKNOWN).IsEmpty());
}

TEST(StanzaTest, RosterGetSetRenameRemoveBlock)
{
    Roster get;
    get.setType(IQ::Type::GET);
    EXPECT_EQ(Xml(WithId(get, "r0")), "<iq id=\"r0\" type=\"get\"><query xmlns=\"jabber:iq:roster\" "
                                      "xmlns:gr=\"google:roster\" gr:ext=\"2\"/></iq>");

    std::unique_ptr<Roster> rename(RosterWithOneContact("bob@example.com", RosterItem::Description::NONE,
                                                        S("Bob & \"Bobby\""), RosterItem::Type::NOT_GIVEN));
    EXPECT_EQ(Xml(*rename), "<iq id=\"r1\" type=\"set\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" "
                            "gr:ext=\"2\"><item jid=\"bob@example.com\" name=\"Bob &amp; &quot;Bobby&quot;\" "
                            "gr:t=\"P\"></item></query></iq>");

    std::unique_ptr<Roster> remove(RosterWithOneContact("bob@example.com", RosterItem::Description::NONE, nullptr,
                                                        RosterItem::Type::REMOVE));
    EXPECT_EQ(Xml(*remove), "<iq id=\"r1\" type=\"set\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" "
                            "gr:ext=\"2\"><item jid=\"bob@example.com\" subscription=\"remove\" "
                            "gr:t=\"P\"></item></query></iq>");

    std::unique_ptr<Roster> block(RosterWithOneContact("bob@example.com", RosterItem::Description::BLOCKED, nullptr,
                                                       RosterItem::Type::NOT_GIVEN));
    EXPECT_EQ(Xml(*block), "<iq id=\"r1\" type=\"set\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" "
                           "gr:ext=\"2\"><item jid=\"bob@example.com\" gr:t=\"B\"></item></query></iq>");

    RosterItem plain;
    plain.setUserJID(S("c@d"));
    plain.setDescription(RosterItem::Description::NONE);
    plain.setItemType(RosterItem::Type::BOTH);
    plain.setItemStatus(RosterItem::Status::SUBSCRIBE);
    EXPECT_EQ(Xml(plain), "<item jid=\"c@d\" subscription=\"both\" ></item>");
    plain.addGroup(IMString("Team <1>"));
    plain.addGroup(IMString("Work"));
    EXPECT_EQ(Xml(plain), "<item jid=\"c@d\" subscription=\"both\" ><group>Team &lt;1&gt;</group>"
                          "<group>Work</group></item>");

    IMString hidden("H");
    IMString to("to");
    IMString ask("unsubscribe");
    IMString lower("b");
    EXPECT_EQ(RosterItem::getRosterItemDescription(&hidden), RosterItem::Description::HIDDEN);
    EXPECT_EQ(RosterItem::getRosterItemDescription(&lower), RosterItem::Description::NONE);
    EXPECT_EQ(RosterItem::getRosterItemType(&to), RosterItem::Type::TO);
    EXPECT_EQ(RosterItem::getRosterItemStatus(&ask), RosterItem::Status::UNSUBSCRIBE);
    EXPECT_EQ(RosterItem().getDescription(), RosterItem::Description::NORMAL);
}

TEST(StanzaTest, EveryPresenceForm)
{
    Presence initial;
    EXPECT_EQ(Xml(initial), "<presence><priority>0</priority></presence>");

    Presence available;
    available.setPresenceType(Presence::Type::AVAILABLE);
    available.setPresenceStatus(Presence::Status::AVAILABLE);
    available.setStatusMessage(S("at work &amp; busy"));
    EXPECT_EQ(Xml(available), "<presence><status>at work &amp; busy</status><priority>0</priority></presence>");

    const std::pair<Presence::Status, const char*> shows[] = {{Presence::Status::AWAY, "away"},
                                                              {Presence::Status::CHAT, "chat"},
                                                              {Presence::Status::DND, "dnd"},
                                                              {Presence::Status::XA, "xa"}};
    for (const auto& [status, text] : shows) {
        Presence shown;
        shown.setPresenceStatus(status);
        EXPECT_EQ(Xml(shown), std::string("<presence><priority>0</priority><show>") + text + "</show></presence>");
    }

    Presence offline;
    offline.setPresenceType(Presence::Type::UNAVAILABLE);
    EXPECT_EQ(Xml(offline), "<presence type=\"unavailable\"><priority>0</priority></presence>");

    const std::pair<Presence::Type, const char*> answers[] = {{Presence::Type::SUBSCRIBE, "subscribe"},
                                                              {Presence::Type::SUBSCRIBED, "subscribed"},
                                                              {Presence::Type::UNSUBSCRIBE, "unsubscribe"},
                                                              {Presence::Type::UNSUBSCRIBED, "unsubscribed"}};
    for (const auto& [type, text] : answers) {
        Presence answer;
        answer.setPresenceType(type);
        answer.setTo(S("carol@example.com"));
        EXPECT_EQ(Xml(answer), std::string("<presence to=\"carol@example.com\" type=\"") + text +
                                   "\"><priority>0</priority></presence>");
    }

    Presence everything;
    everything.setXmlns(S("jabber:client"));
    everything.setXmlLang(S("en"));
    everything.setPacketID(S("p1"));
    everything.setTo(S("a@b"));
    everything.setFrom(S("c@d/e"));
    everything.setPresenceType(Presence::Type::PROBE);
    everything.setPrioriy(INT_MIN);
    EXPECT_EQ(Xml(everything),
              "<presence xmlns=\"jabber:client\" xml:lang=\"en\" id=\"p1\" to=\"a@b\" from=\"c@d/e\" type=\"probe\">"
              "</presence>");

    IMString dnd("dnd");
    IMString unavailable("unavailable");
    IMString bogus("Away");
    EXPECT_EQ(Presence::getPresenceStatus(&dnd), Presence::Status::DND);
    EXPECT_EQ(Presence::getPresenceStatus(&bogus), Presence::Status::UNKNOWN);
    EXPECT_EQ(Presence::getPresenceType(&unavailable), Presence::Type::UNAVAILABLE);
    EXPECT_EQ(Presence::getPresenceType(&bogus), Presence::Type::UNKNOWN);
    EXPECT_TRUE(Presence::getPresenceTypeString(Presence::Type::UNKNOWN).IsEmpty());
}

TEST(StanzaTest, SharedStatusGetAndSet)
{
    SharedStatusMessage query;
    query.setType(IQ::Type::GET);
    query.setTo(S("me@example.com/Mobile"));
    EXPECT_EQ(Xml(WithId(query, "ss1")), "<iq id=\"ss1\" to=\"me@example.com/Mobile\" type=\"get\">"
                                         "<query xmlns='google:shared-status' version='2'/></iq>");

    SharedStatusMessage bare;
    bare.setType(IQ::Type::SET);
    bare.setCurrentStatus(S(SharedStatusMessage::STATUS_DEFAULT));
    EXPECT_EQ(Xml(WithId(bare, "ss2")), "<iq id=\"ss2\" type=\"set\"><query xmlns='google:shared-status' "
                                        "version='2'><status/><show>default</show><invisible value=\"false\"/>"
                                        "</query></iq>");

    IMVector* defaults = Texts({"Lunch", "", "Back &lt;soon&gt;"});
    IMVector* busy = Texts({"Meeting"});
    {
        SharedStatusMessage full;
        full.setType(IQ::Type::SET);
        full.setCurrentStatus(S(SharedStatusMessage::STATUS_DND));
        full.setCurrentStatusMessage(S("Meeting"));
        full.setDefaultStatusMessages(defaults);
        full.setDndStatusMessages(busy);
        full.setInvisible(true);
        EXPECT_EQ(Xml(WithId(full, "ss3")),
                  "<iq id=\"ss3\" type=\"set\"><query xmlns='google:shared-status' version='2'>"
                  "<status>Meeting</status><show>dnd</show>"
                  "<status-list show=\"default\"><status>Lunch</status><status></status>"
                  "<status>Back &lt;soon&gt;</status></status-list>"
                  "<status-list show=\"dnd\"><status>Meeting</status></status-list>"
                  "<invisible value=\"true\"/></query></iq>");
    }
    // The lists stayed with their owner.
    EXPECT_EQ(defaults->size(), 3);
    DeleteTexts(defaults);
    DeleteTexts(busy);
}

TEST(StanzaTest, NoSaveUserSettingsAndVCardQueries)
{
    NoSaveState noSave;
    noSave.setType(IQ::Type::GET);
    EXPECT_EQ(Xml(WithId(noSave, "n1")), "<iq id=\"n1\" type=\"get\"><query xmlns=\"google:nosave\" /></iq>");

    NoSaveState noSaveSet;
    noSaveSet.setType(IQ::Type::SET);
    noSaveSet.addSubPacket(new NoSaveItem(S("a@b"), true));
    EXPECT_EQ(Xml(WithId(noSaveSet, "n2")), "<iq id=\"n2\" type=\"set\"><query xmlns=\"google:nosave\" >"
                                            "<item xmlns=\"google:nosave\" jid=\"a@b\" value=\"enabled\"/>"
                                            "</query></iq>");

    UserSettings get;
    get.setType(IQ::Type::GET);
    get.setTo(S("me@example.com"));
    EXPECT_EQ(Xml(WithId(get, "u1")),
              "<iq id=\"u1\" to=\"me@example.com\" type=\"get\"><usersetting xmlns=\"google:setting\"/></iq>");

    UserSettings all;
    all.setType(IQ::Type::SET);
    all.setAutoAcceptSuggestions(true);
    all.setGmailNotifications(false);
    all.setArchivingEnabled(true);
    all.setArchivingEnabled(false);
    all.setDisplayName(S("Al <\"the\" pal>"));
    EXPECT_EQ(Xml(WithId(all, "u2")),
              "<iq id=\"u2\" type=\"set\"><usersetting xmlns=\"google:setting\">"
              "<archivingenabled value=\"false\"/><mailnotifications value=\"false\"/>"
              "<autoacceptsuggestions value=\"true\"/><displayname value=\"Al &lt;&quot;the&quot; pal&gt;\"/>"
              "</usersetting></iq>");

    UserSettings nameOnly;
    nameOnly.setType(IQ::Type::SET);
    nameOnly.setDisplayName(S("Al"));
    EXPECT_EQ(Xml(WithId(nameOnly, "u3")), "<iq id=\"u3\" type=\"set\"><usersetting xmlns=\"google:setting\">"
                                           "<displayname value=\"Al\"/></usersetting></iq>");
    EXPECT_FALSE(nameOnly.Equals(all));
    UserSettings sameName;
    sameName.setDisplayName(S("Al"));
    EXPECT_TRUE(nameOnly.Equals(&sameName));
    sameName.setArchivingEnabled(false);
    EXPECT_FALSE(nameOnly.Equals(&sameName));
    sameName.clean();
    EXPECT_TRUE(nameOnly.Equals(&sameName));
    EXPECT_EQ(sameName.isArchivingEnabled(), nullptr);

    VCard vCard;
    vCard.setType(IQ::Type::GET);
    vCard.setTo(S("bob@example.com"));
    EXPECT_EQ(Xml(WithId(vCard, "v1")),
              "<iq id=\"v1\" to=\"bob@example.com\" type=\"get\"><vCard xmlns=\"vcard-temp\"/></iq>");
    EXPECT_EQ(vCard.getAvatarImageType()->ToUtf8(), "image/png");
    EXPECT_EQ(vCard.getUserAvatarData(), nullptr);
    vCard.setUserAvatar(S("not base64!"));
    EXPECT_EQ(vCard.getUserAvatarData(), nullptr);
    vCard.setUserAvatar(S("iVBO\nRw0K"));
    std::unique_ptr<Ixa::Base::ByteBuffer> picture(vCard.getUserAvatarData());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(picture->GetPointer()), 6), "\x89PNG\r\n");
    std::unique_ptr<IMString> hash(vCard.getUserAvatarHash());
    EXPECT_TRUE(hash->IsEmpty());
}

TEST(StanzaTest, ChatMessageEscapesTheBodyOnce)
{
    IMString typed("5 < 6 & \"x\" > 'y' \xF0\x9F\x98\x80");
    MessagePacket chat;
    chat.setTo(S("bob@example.com"));
    chat.setMessageType(MessagePacket::Type::CHAT);
    chat.setBody(&typed, true);
    chat.setThread(S("t<1>"));
    chat.setPacketID(S("17\"<&'>"));
    EXPECT_EQ(Xml(chat), "<message id=\"17&quot;&lt;&amp;&#39;&gt;\" to=\"bob@example.com\" type=\"chat\"><body>5 &lt; 6 &amp; &quot;x&quot; &gt; "
                         "&#39;y&#39; \xF0\x9F\x98\x80</body><thread>t&lt;1&gt;</thread></message>");
    EXPECT_EQ(typed, IMString("5 < 6 & \"x\" > 'y' \xF0\x9F\x98\x80"));

    MessagePacket normal;
    normal.setSubject(S("Hi & bye"));
    normal.setBody(S("already &amp; kept"), false);
    EXPECT_EQ(Xml(normal), "<message><subject>Hi &amp; bye</subject><body>already &amp; kept</body></message>");
    normal.setBody(nullptr, true);
    EXPECT_EQ(normal.getBody(), nullptr);

    IMString groupChat("groupChat");
    IMString error("error");
    EXPECT_EQ(MessagePacket::getMessagePacketType(&groupChat), MessagePacket::Type::GROUP_CHAT);
    EXPECT_EQ(MessagePacket::getMessagePacketType(&error), MessagePacket::Type::ERROR);
    EXPECT_EQ(MessagePacket::getMessagePacketTypeString(MessagePacket::Type::HEADLINE), IMString("headline"));
    MessagePacket odd;
    odd.setMessageType(MessagePacket::Type::UNKNOWN);
    EXPECT_EQ(Xml(odd), "<message type=\"\"></message>");
}
