#include "xmpp/XMLReader.h"

#include "net/IMSocketInputStream.h"
#include "xmpp/ArchiveFin.h"
#include "xmpp/ArchivedMessage.h"
#include "xmpp/BlockList.h"
#include "platform/Integer.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/NewIQ.h"
#include "xmpp/Presence.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/UserSettings.h"
#include "xmpp/VCard.h"
#include "xmpp/XMPPError.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <memory>

namespace {

const char* const SASL_NAMESPACE = "urn:ietf:params:xml:ns:xmpp-sasl";
const char* const SM_NAMESPACE = "urn:xmpp:sm:3";
const char* const ARCHIVE_NAMESPACE = "urn:xmpp:mam:2";

int decimal(IMString* text)
{
    int value = 0;
    if (text == nullptr || Ixa::IsFailed(Ixa::Base::Integer::Parse(*text, value))) {
        return 0;
    }
    return value;
}

IMString* copy(IMString* text) { return text != nullptr ? new IMString(*text) : nullptr; }

int decimalAttribute(XMLParser* parser, const char* name)
{
    IMString* text = parser->getAttribute(name);
    int value = decimal(text);
    delete text;
    return value;
}

}  // namespace

XMLReader::XMLReader(IMSocketInputStream* input, XMPPListener* listener)
    : input_(input), listener_(listener), parser_(new XMLParser(input, this)), doneMonitor_(new IMMonitor())
{
    construct();
}

XMLReader::~XMLReader()
{
    if (!finished_) {
        close();
    }
    Join();
    delete parser_;
    delete doneMonitor_;
}

void XMLReader::setReaderThreadStatus(bool running) { running_ = running; }

bool XMLReader::isFinished() const { return finished_; }

IMMonitor* XMLReader::getDoneMonitor() { return doneMonitor_; }

// The listener goes before the reader can wake, so a stanza cut short is never handed on.
void XMLReader::close()
{
    running_ = false;
    listener_ = nullptr;
    if (!finished_ && !closed_.exchange(true)) {
        input_->putEndOfStream();
    }
}

void XMLReader::waitUntilFinished()
{
    if (Thread::GetCurrentThread() == this) {
        return;
    }
    doneMonitor_->Enter();
    while (!finished_) {
        doneMonitor_->Wait();
    }
    doneMonitor_->Exit();
}

Ixa::Base::Object* XMLReader::Run()
{
    finished_ = false;
    while (running_) {
        parser_->beginStanza();
        replay_ = false;
        int event = parser_->next();
        if (event == XMLParser::START_TAG && !dispatch()) {
            break;
        }
        if (event == XMLParser::END_TAG && parser_->isName("stream:stream")) {
            markStreamEnded();
        }
        if (event == XMLParser::END_TAG && parser_->isName("stream:features")) {
            deliver(nullptr, XMPPListener::FEATURES_END);
        }
        if (parser_->hasOverflowed() && running_) {
            deliver(nullptr, XMPPListener::CONNECTION_ERROR);
            break;
        }
        if (parser_->getEventType() == XMLParser::END_DOCUMENT) {
            reportLoss();
            break;
        }
    }
    finish();
    return nullptr;
}

// The server ended the connection and everything it sent before has been handed on: the
// loss comes last, in stream order. A reader stopped by close() reports nothing.
void XMLReader::reportLoss()
{
    if (input_->endedByLoss() && running_) {
        deliver(nullptr, XMPPListener::CONNECTION_ERROR);
    }
}

void XMLReader::finish()
{
    markStreamEnded();
    doneMonitor_->Enter();
    finished_ = true;
    doneMonitor_->NotifyAll();
    doneMonitor_->Exit();
}

void XMLReader::markStreamEnded()
{
    std::lock_guard<std::mutex> guard(endLock_);
    streamEnded_ = true;
    endChanged_.notify_all();
}

bool XMLReader::waitForStreamEnd(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> guard(endLock_);
    return endChanged_.wait_for(guard, timeout, [this] { return streamEnded_; });
}

std::uint32_t XMLReader::stanzasRead() const { return stanzasRead_; }

// Answers false when the reader must end at once (after a SASL failure).
bool XMLReader::dispatch()
{
    if (parser_->isName("success")) {
        deliver(nullptr, XMPPListener::AUTH_SUCCESS);
    } else if (parser_->isName("iq")) {
        parseIq();
        countStanza();
    } else if (parser_->isName("presence")) {
        parsePresence(newPresence());
        countStanza();
    } else if (parser_->isName("failure")) {
        if (parser_->isAttribute("xmlns", SASL_NAMESPACE) && listener_.load() != nullptr) {
            deliver(nullptr, XMPPListener::AUTH_FAILURE);
            return false;
        }
    } else if (parser_->isName("bind")) {
        deliver(nullptr, XMPPListener::BIND_FEATURE);
    } else if (parser_->isName("session")) {
        deliver(nullptr, XMPPListener::SESSION_FEATURE);
    } else if (parser_->isName("message")) {
        parseMessage();
        countStanza();
    } else if (parser_->isName("stream:error")) {
        readStreamError();
    } else if (parser_->isAttribute("xmlns", SM_NAMESPACE)) {
        dispatchStreamManagement();
    }
    return true;
}

// A server holds what it sent until the client acknowledges it, and a long burst can fill what
// it is willing to hold (and so make the session unresumable) before it asks; so every so many
// stanzas the reader asks for an acknowledgement itself, as if the server had.
void XMLReader::countStanza()
{
    // A stanza the end of the input cut short was never handed on, so it is not counted as
    // read: a resumption asks the server for it again.
    if (parser_->getEventType() == XMLParser::END_DOCUMENT) {
        return;
    }
    ++stanzasRead_;
    if (stanzasRead_ % ACKNOWLEDGE_EVERY == 0) {
        deliver(new StreamAnswer(StreamAnswer::Kind::ACK_REQUEST, stanzasRead_), XMPPListener::SM_ANSWER);
    }
}

// Stream management's elements stand between the stanzas, or among the features (the offer).
void XMLReader::dispatchStreamManagement()
{
    using Kind = StreamAnswer::Kind;
    if (parser_->isName("sm")) {
        deliver(nullptr, XMPPListener::SM_FEATURE);
        return;
    }
    static const struct {
        const char* name;
        Kind kind;
    } answers[] = {{"enabled", Kind::ENABLED}, {"resumed", Kind::RESUMED}, {"failed", Kind::FAILED},
        {"r", Kind::ACK_REQUEST}, {"a", Kind::ACK}};
    for (const auto& answer : answers) {
        if (parser_->isName(answer.name)) {
            deliver(newStreamAnswer(answer.kind), XMPPListener::SM_ANSWER);
            return;
        }
    }
}

StreamAnswer* XMLReader::newStreamAnswer(StreamAnswer::Kind kind)
{
    auto answer = new StreamAnswer(kind, stanzasRead_);
    if (IMString* id = parser_->getAttribute("id")) {
        answer->id = id->ToUtf8();
        delete id;
    }
    answer->resumable = parser_->isAttribute("resume", "true") || parser_->isAttribute("resume", "1");
    if (IMString* count = parser_->getAttribute("h")) {
        // Digits only: strtoull would take a sign, and negate a negative number into range.
        char* end = nullptr;
        const std::string text = count->ToUtf8();
        const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
        answer->hasCount = !text.empty() && std::isdigit(static_cast<unsigned char>(text[0])) != 0 &&
                           *end == '\0' && value <= UINT32_MAX;
        answer->count = answer->hasCount ? static_cast<std::uint32_t>(value) : 0;
        delete count;
    }
    return answer;
}

void XMLReader::deliver(Ixa::Base::Object* object, int event)
{
    XMPPListener* listener = listener_.load();
    if (listener != nullptr) {
        listener->onEvent(object, event);
    } else {
        delete object;
    }
}

void XMLReader::deliverStanza(Ixa::Base::Object* object, int event, bool complete)
{
    if (complete || !running_) {
        deliver(object, event);
    } else {
        delete object;
    }
}

int XMLReader::nextEvent()
{
    if (replay_) {
        replay_ = false;
        return parser_->getEventType();
    }
    return parser_->next();
}

// The text right after a child's start tag, handed to the caller; null when the next event
// is not a text, which the stanza loop then takes as its next event.
IMString* XMLReader::childText()
{
    if (parser_->next() == XMLParser::TEXT) {
        return parser_->getText();
    }
    replay_ = true;
    return nullptr;
}

// Runs `handleChild` on every start tag inside the element whose start tag is current, at
// any depth, up to that element's own end tag, found by depth: an element of the same name
// inside it, or a text, never ends it early. Answers whether that end tag was reached and is
// named `endName`; false when the input ended or the reader was stopped first.
template <typename ChildHandler>
bool XMLReader::readChildren(const char* endName, ChildHandler handleChild)
{
    int depth = parser_->getDepth();
    for (;;) {
        int event = nextEvent();
        if (event == XMLParser::END_DOCUMENT || !running_) {
            return false;
        }
        if (event == XMLParser::END_TAG && parser_->getDepth() == depth) {
            return parser_->isName(endName);
        }
        if (event == XMLParser::START_TAG) {
            handleChild();
        }
    }
}

// An iq of type get or set that yields no payload object is a request the listener must
// answer: it goes on as a NewIQ whose xmlns is the namespace of the iq's first child. An error
// of type cancel (the server will not do what was asked, ever) goes on as a NewIQ with the id
// it answers; other errors are dropped.
void XMLReader::parseIq()
{
    NewIQ header;
    header.setPacketID(parser_->getAttribute("id"));
    IMString* typeText = parser_->getAttribute("type");
    header.setType(typeText != nullptr ? IQ::getIQType(typeText) : IQ::Type::GET);
    delete typeText;
    header.setFrom(parser_->getAttribute("from"));
    header.setTo(parser_->getAttribute("to"));
    bool first = true;
    bool delivered = false;
    std::unique_ptr<XMPPError> error;
    bool complete = readChildren("iq", [&] {
        if (first) {
            header.setXmlns(parser_->getAttribute("xmlns"));
            first = false;
        }
        if (header.getType() == IQ::Type::ERROR && parser_->isName("error")) {
            error.reset(parseError("error"));
            return;
        }
        delivered = parseIqChild(header) || delivered;
    });
    if (!complete || delivered) {
        return;
    }
    const bool request = header.getType() == IQ::Type::GET || header.getType() == IQ::Type::SET;
    if (request || (error != nullptr && header.hasPacketID())) {
        // A request to answer, or a refusal of one of the client's own (which it may be
        // waiting on), with the error that says whether to ask again.
        auto pending = new NewIQ();
        setAddressing(pending, header);
        pending->setXmlns(copy(header.getXmlns()));
        pending->setError(error.release());
        deliver(pending, request ? XMPPListener::IQ_REQUEST : XMPPListener::IQ_REFUSED);
    }
}

// Answers whether the child became a payload object handed to the listener.
bool XMLReader::parseIqChild(IQ& header)
{
    if (parser_->isName("jid")) {
        deliver(childText(), XMPPListener::BOUND_JID);
        return true;
    }
    if (header.getType() == IQ::Type::ERROR) {
        return false;
    }
    const char* name = nullptr;
    BlockList::Kind kind = BlockList::Kind::LIST;
    if (parser_->isName("query") && parser_->isAttribute("xmlns", "jabber:iq:roster")) {
        auto roster = new Roster();
        setAddressing(roster, header);
        parseRoster(roster);
    } else if (parser_->isName("query") && parser_->isAttribute("xmlns", "google:shared-status")) {
        auto message = new SharedStatusMessage();
        message->setOwnsStatusLists(true);
        setAddressing(message, header);
        parseSharedStatus(message);
    } else if (parser_->isName("usersetting")) {
        auto settings = new UserSettings();
        setAddressing(settings, header);
        parseUserSettings(settings);
    } else if (parser_->isName("vCard")) {
        auto vCard = new VCard();
        setAddressing(vCard, header);
        parseVCard(vCard);
    } else if (parser_->isName("fin") && parser_->isAttribute("xmlns", ARCHIVE_NAMESPACE)) {
        parseArchiveFin(header);
    } else if (blockListElement(&name, &kind)) {
        parseBlockList(header, name, kind);
    } else {
        return false;
    }
    return true;
}

void XMLReader::setAddressing(IQ* iq, IQ& header)
{
    iq->setPacketID(copy(header.hasPacketID() ? header.getPacketID() : nullptr));
    iq->setType(header.getType());
    iq->setFrom(copy(header.getFrom()));
    iq->setTo(copy(header.getTo()));
}

Presence* XMLReader::newPresence()
{
    auto presence = new Presence();
    presence->setFrom(parser_->getAttribute("from"));
    presence->setTo(parser_->getAttribute("to"));
    presence->setXmlns(parser_->getAttribute("xmlns"));
    presence->setPacketID(parser_->getAttribute("id"));
    if (IMString* type = parser_->getAttribute("type")) {
        presence->setPresenceType(Presence::getPresenceType(type));
        delete type;
    }
    return presence;
}

void XMLReader::parsePresence(Presence* presence)
{
    bool complete = readChildren("presence", [&] {
        if (parser_->isName("show")) {
            if (IMString* text = childText()) {
                presence->setPresenceStatus(Presence::getPresenceStatus(text));
                delete text;
            }
        } else if (parser_->isName("status")) {
            if (IMString* text = childText()) {
                presence->setStatusMessage(text);
            }
        } else if (parser_->isName("priority")) {
            IMString* text = childText();
            presence->setPrioriy(decimal(text));
            delete text;
        } else if (parser_->isName("photo")) {
            // An empty photo says the contact has no avatar, which is not the same as no word
            // about it.
            IMString* text = childText();
            presence->setAvatarHash(text != nullptr ? text : new IMString());
        }
    });
    deliverStanza(presence, XMPPListener::PRESENCE, complete);
}

void XMLReader::parseMessage()
{
    ArchivedMessage* archived = nullptr;
    bool complete = false;
    MessagePacket* message = readMessage(true, archived, complete);
    if (archived != nullptr) {
        archived->setSource(copy(message->getFrom()));
        delete message;
        deliverStanza(archived, XMPPListener::ARCHIVE_RESULT, complete);
        return;
    }
    bool isError = message->getMessageType() == MessagePacket::Type::ERROR;
    deliverStanza(message, isError ? XMPPListener::MESSAGE_ERROR : XMPPListener::MESSAGE, complete);
}

MessagePacket* XMLReader::readMessage(bool outer, ArchivedMessage*& archived, bool& complete)
{
    auto message = new MessagePacket();
    message->setFrom(parser_->getAttribute("from"));
    message->setTo(parser_->getAttribute("to"));
    message->setPacketID(parser_->getAttribute("id"));
    if (IMString* type = parser_->getAttribute("type")) {
        message->setMessageType(MessagePacket::getMessagePacketType(type));
        delete type;
    }
    // Only the message's own children count: a formatted copy of the body (an XHTML "body"
    // inside "html") or a forwarded message inside it is not this message's text.
    int ownChildren = parser_->getDepth() + 1;
    complete = readChildren("message", [&] {
        if (parser_->getDepth() != ownChildren) {
            return;
        }
        if (parser_->isName("subject")) {
            if (IMString* text = childText()) {
                message->setSubject(text);
            }
        } else if (parser_->isName("body")) {
            if (IMString* text = childText()) {
                message->setBody(text, false);
            }
        } else if (parser_->isName("thread")) {
            if (IMString* text = childText()) {
                message->setThread(text);
            }
        } else if (parser_->isName("error")) {
            message->setError(parseError("error"));
        } else if (outer && parser_->isName("stanza-id") && parser_->isAttribute("xmlns", "urn:xmpp:sid:0")) {
            std::unique_ptr<IMString> by(parser_->getAttribute("by"));
            std::unique_ptr<IMString> id(parser_->getAttribute("id"));
            if (by != nullptr && id != nullptr && !id->IsEmpty()) {
                message->addStanzaId(*by, *id);
            }
        } else if (outer && archived == nullptr && parser_->isName("result") &&
                   parser_->isAttribute("xmlns", ARCHIVE_NAMESPACE)) {
            archived = parseArchiveResult();
        }
    });
    return message;
}

// The forwarded message's delay stamp is the time the archive recorded; a delay inside the
// archived message itself is that message's business.
ArchivedMessage* XMLReader::parseArchiveResult()
{
    auto result = new ArchivedMessage();
    result->setQueryId(parser_->getAttribute("queryid"));
    result->setArchiveId(parser_->getAttribute("id"));
    readChildren("result", [&] {
        if (parser_->isName("delay") && parser_->isAttribute("xmlns", "urn:xmpp:delay") &&
            result->getStamp() == nullptr) {
            result->setStamp(parser_->getAttribute("stamp"));
        } else if (parser_->isName("message") && result->getMessage() == nullptr) {
            ArchivedMessage* nested = nullptr;
            bool complete = false;
            result->setMessage(readMessage(false, nested, complete));
        }
    });
    return result;
}

void XMLReader::parseArchiveFin(IQ& header)
{
    auto fin = new ArchiveFin();
    setAddressing(fin, header);
    fin->setComplete(parser_->isAttribute("complete", "true"));
    bool complete = readChildren("fin", [&] {
        if (parser_->isName("last")) {
            if (IMString* text = childText()) {
                fin->setLast(text);
            }
        }
    });
    deliverStanza(fin, XMPPListener::ARCHIVE_END, complete);
}

// The blocking payload the current element is, if it is one.
bool XMLReader::blockListElement(const char** name, BlockList::Kind* kind)
{
    static const std::pair<const char*, BlockList::Kind> elements[] = {
        {"blocklist", BlockList::Kind::LIST}, {"block", BlockList::Kind::BLOCK}, {"unblock", BlockList::Kind::UNBLOCK}};
    if (!parser_->isAttribute("xmlns", BlockList::NAMESPACE)) {
        return false;
    }
    for (const auto& [element, elementKind] : elements) {
        if (parser_->isName(element)) {
            *name = element;
            *kind = elementKind;
            return true;
        }
    }
    return false;
}

void XMLReader::parseBlockList(IQ& header, const char* name, BlockList::Kind kind)
{
    auto list = new BlockList(kind);
    setAddressing(list, header);
    bool complete = readChildren(name, [&] {
        if (parser_->isName("item")) {
            if (std::unique_ptr<IMString> jid{parser_->getAttribute("jid")}) {
                jid->ToLowerCase();
                list->addId(*jid);
            }
        }
    });
    deliverStanza(list, XMPPListener::BLOCK_LIST, complete);
}

// The server closes the stream after its error, and that close is what ends the session; only
// a conflict changes what the client does next, since another sign-in of the account with the
// same resource took the session, and coming back would only take it back.
void XMLReader::readStreamError()
{
    std::unique_ptr<XMPPError> error(parseError("stream:error"));
    if (error != nullptr && error->hasErrorCondition("conflict")) {
        deliver(nullptr, XMPPListener::SESSION_REPLACED);
    }
}

XMPPError* XMLReader::parseError(const char* endName)
{
    if (endName == nullptr || *endName == '\0') {
        return nullptr;
    }
    auto error = new XMPPError();
    IMString* type = parser_->getAttribute("type");
    error->setType(XMPPError::getXMPPErrorState(type));
    delete type;
    IMString* code = parser_->getAttribute("code");
    error->setCode(decimal(code));
    delete code;
    readChildren(endName, [&] {
        if (parser_->isName("text")) {
            if (IMString* text = childText()) {
                error->setMessage(text);
            }
        } else {
            error->addErrorCondition(parser_->getName());
        }
    });
    return error;
}

void XMLReader::parseRoster(Roster* roster)
{
    bool complete = readChildren("query", [&] {
        if (parser_->isName("item")) {
            parseRosterItem(roster);
        }
    });
    deliverStanza(roster, XMPPListener::ROSTER, complete);
}

void XMLReader::parseRosterItem(Roster* roster)
{
    auto item = new RosterItem();
    if (IMString* jid = parser_->getAttribute("jid")) {
        jid->ToLowerCase();
        item->setUserJID(jid);
    }
    item->setNickName(parser_->getAttribute("name"));
    if (IMString* kind = parser_->getAttribute("gr:t")) {
        item->setDescription(RosterItem::getRosterItemDescription(kind));
        delete kind;
    }
    if (IMString* subscription = parser_->getAttribute("subscription")) {
        item->setItemType(RosterItem::getRosterItemType(subscription));
        delete subscription;
    }
    if (IMString* ask = parser_->getAttribute("ask")) {
        item->setItemStatus(RosterItem::getRosterItemStatus(ask));
        delete ask;
    }
    roster->addSubPacket(item);
    readChildren("item", [&] {
        if (parser_->isName("group")) {
            std::unique_ptr<IMString> group(childText());
            item->addGroup(group != nullptr ? *group : IMString());
        }
    });
}

void XMLReader::parseVCard(VCard* vCard)
{
    bool complete = readChildren("vCard", [&] {
        if (parser_->isName("BINVAL")) {
            if (IMString* text = childText()) {
                vCard->setUserAvatar(text);
            }
        }
    });
    deliverStanza(vCard, XMPPListener::VCARD, complete);
}

void XMLReader::parseUserSettings(UserSettings* settings)
{
    bool complete = readChildren("usersetting", [&] {
        if (parser_->isName("autoacceptsuggestions")) {
            settings->setAutoAcceptSuggestions(parser_->isAttribute("value", "true"));
        } else if (parser_->isName("mailnotifications")) {
            settings->setGmailNotifications(parser_->isAttribute("value", "true"));
        } else if (parser_->isName("archivingenabled")) {
            settings->setArchivingEnabled(parser_->isAttribute("value", "true"));
        } else if (parser_->isName("displayname")) {
            settings->setDisplayName(parser_->getAttribute("value"));
        }
    });
    deliverStanza(settings, XMPPListener::USER_SETTINGS, complete);
}

void XMLReader::parseSharedStatus(SharedStatusMessage* message)
{
    message->setStatusMax(decimalAttribute(parser_, "status-max"));
    message->setStatusListContentsMax(decimalAttribute(parser_, "status-list-contents-max"));
    bool complete = readChildren("query", [&] {
        if (parser_->isName("status")) {
            if (IMString* text = childText()) {
                message->setCurrentStatusMessage(text);
            }
        } else if (parser_->isName("show")) {
            IMString* text = childText();
            bool dnd = text != nullptr && text->Equals(SharedStatusMessage::STATUS_DND, false);
            delete text;
            message->setCurrentStatus(
                new IMString(dnd ? SharedStatusMessage::STATUS_DND : SharedStatusMessage::STATUS_DEFAULT));
        } else if (parser_->isName("status-list")) {
            parseStatusList(message);
        } else if (parser_->isName("invisible")) {
            message->setInvisible(parser_->isAttribute("value", "true"));
        }
    });
    deliverStanza(message, XMPPListener::SHARED_STATUS, complete);
}

void XMLReader::parseStatusList(SharedStatusMessage* message)
{
    bool dnd = parser_->isAttribute("show", SharedStatusMessage::STATUS_DND);
    auto list = new IMVector();
    readChildren("status-list", [&] {
        if (parser_->isName("status")) {
            if (IMString* text = childText()) {
                list->put(text);
            }
        }
    });
    if (dnd) {
        message->setDndStatusMessages(list);
    } else {
        message->setDefaultStatusMessages(list);
    }
}
