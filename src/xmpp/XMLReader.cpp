#include "xmpp/XMLReader.h"

#include "net/IMSocketInputStream.h"
#include "platform/Integer.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/Presence.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/UserSettings.h"
#include "xmpp/VCard.h"
#include "xmpp/XMPPError.h"

namespace {

const char* const SASL_NAMESPACE = "urn:ietf:params:xml:ns:xmpp-sasl";

int decimal(IMString* text)
{
    int value = 0;
    if (text == nullptr || Ixa::IsFailed(Ixa::Base::Integer::Parse(*text, value))) {
        return 0;
    }
    return value;
}

IMString* copy(IMString* text) { return text != nullptr ? new IMString(*text) : nullptr; }

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

// Answers false when the reader must end at once (after a SASL failure).
bool XMLReader::dispatch()
{
    if (parser_->isName("success")) {
        deliver(nullptr, XMPPListener::AUTH_SUCCESS);
    } else if (parser_->isName("iq")) {
        parseIq();
    } else if (parser_->isName("presence")) {
        parsePresence(newPresence());
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
    } else if (parser_->isName("stream:error")) {
        delete parseError("stream:error");
    }
    return true;
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

// Runs `handleChild` on every start tag up to the event named `endName` (of any kind, or a
// text "/endName"). Answers whether that end was reached; false when the input ended or the
// reader was stopped first.
template <typename ChildHandler>
bool XMLReader::readChildren(const char* endName, ChildHandler handleChild)
{
    for (;;) {
        int event = nextEvent();
        if (event == XMLParser::END_DOCUMENT || !running_) {
            return false;
        }
        if (parser_->isName(endName) || parser_->isClosingText(endName)) {
            return true;
        }
        if (event == XMLParser::START_TAG) {
            handleChild();
        }
    }
}

void XMLReader::parseIq()
{
    IMString* id = parser_->getAttribute("id");
    IMString* typeText = parser_->getAttribute("type");
    IQ::Type type = typeText != nullptr ? IQ::getIQType(typeText) : IQ::Type::GET;
    delete typeText;
    IMString* from = parser_->getAttribute("from");
    readChildren("iq", [&] { parseIqChild(id, type, from); });
    delete id;
    delete from;
}

void XMLReader::parseIqChild(IMString* id, IQ::Type type, IMString* from)
{
    bool isError = type == IQ::Type::ERROR;
    if (parser_->isName("jid")) {
        deliver(childText(), XMPPListener::BOUND_JID);
    } else if (isError) {
        return;
    } else if (parser_->isName("query") && parser_->isAttribute("xmlns", "jabber:iq:roster")) {
        auto roster = new Roster();
        setAddressing(roster, id, type, from);
        parseRoster(roster);
    } else if (parser_->isName("query") && parser_->isAttribute("xmlns", "google:shared-status")) {
        auto message = new SharedStatusMessage();
        message->setOwnsStatusLists(true);
        setAddressing(message, id, type, from);
        parseSharedStatus(message);
    } else if (parser_->isName("usersetting")) {
        auto settings = new UserSettings();
        setAddressing(settings, id, type, from);
        parseUserSettings(settings);
    } else if (parser_->isName("vCard")) {
        auto vCard = new VCard();
        setAddressing(vCard, id, type, from);
        parseVCard(vCard);
    }
}

void XMLReader::setAddressing(IQ* iq, IMString* id, IQ::Type type, IMString* from)
{
    iq->setPacketID(copy(id));
    iq->setType(type);
    iq->setFrom(copy(from));
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
            if (IMString* text = childText()) {
                presence->setAvatarHash(text);
            }
        }
    });
    deliverStanza(presence, XMPPListener::PRESENCE, complete);
}

void XMLReader::parseMessage()
{
    auto message = new MessagePacket();
    message->setFrom(parser_->getAttribute("from"));
    if (IMString* type = parser_->getAttribute("type")) {
        message->setMessageType(MessagePacket::getMessagePacketType(type));
        delete type;
    }
    bool complete = readChildren("message", [&] {
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
        }
    });
    bool isError = message->getMessageType() == MessagePacket::Type::ERROR;
    deliverStanza(message, isError ? XMPPListener::MESSAGE_ERROR : XMPPListener::MESSAGE, complete);
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
    readChildren("item", [] {});
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
