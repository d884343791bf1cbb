#include "engine/ArchivedMessageHandler.h"

#include "engine/EngineAccess.h"
#include "engine/ReceivedMessageFiler.h"
#include "engine/UserId.h"
#include "foundation/IMSystemTime.h"
#include "xmpp/Connection.h"

#include <cctype>
#include <cstdlib>
#include <string>

ArchivedMessageHandler::ArchivedMessageHandler() = default;

ArchivedMessageHandler::~ArchivedMessageHandler() = default;

bool ArchivedMessageHandler::joinsReceivedBatch() const { return true; }

void ArchivedMessageHandler::handlePayload(ArchivedMessage& result)
{
    MessagePacket* message = result.getMessage();
    if (message == nullptr || message->getFrom() == nullptr || message->getBody() == nullptr ||
        result.getArchiveId() == nullptr || result.getArchiveId()->IsEmpty()) {
        return;
    }
    MessagePacket::Type type = message->getMessageType();
    if (type == MessagePacket::Type::ERROR || type == MessagePacket::Type::GROUP_CHAT) {
        return;
    }
    if (EngineAccess::isOwnId(getRequestController(), UserId::bareLowerCase(*message->getFrom()))) {
        return;
    }
    ReceivedMessageFiler::Received received;
    received.sender = *message->getFrom();
    received.body = *message->getBody();
    if (message->hasPacketID()) {
        received.stanzaId = *message->getPacketID();
    }
    received.archiveId = *result.getArchiveId();
    if (result.getStamp() == nullptr || !readStamp(*result.getStamp(), received.time)) {
        IMSystemTime::GetCurrentTime(Ixa::System::UTC_TIME, received.time);
    }
    Connection* connection = EngineAccess::connection(getRequestController());
    const IMString peer = UserId::bareLowerCase(received.sender);
    IMDateTime floor;
    if (connection != nullptr && Ixa::IsSucceeded(IMDateTime::Parse(connection->archivePages().floor(peer), floor)) &&
        received.time < floor) {
        received.time = floor;
    }
    ReceivedMessageFiler::file(getRequestController(), getResponseDelegate(), received, getReceivedBatch());
    if (connection != nullptr) {
        connection->archivePages().raiseFloor(peer, IMString(received.time.ToString()));
    }
}

bool ArchivedMessageHandler::readStamp(const IMString& stamp, IMDateTime& time)
{
    std::string text = stamp.ToUtf8();
    if (text.size() < 20 || text[10] != 'T') {
        return false;
    }
    std::string seconds = text.substr(0, 19);
    std::size_t at = 19;
    std::string fraction;
    if (text[at] == '.') {
        for (++at; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0; ++at) {
            fraction += text[at];
        }
    }
    fraction = (fraction + "000").substr(0, 3);
    int offsetMinutes = 0;
    std::string zone = text.substr(at);
    if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':') {
        int hours = std::atoi(zone.substr(1, 2).c_str());
        int minutes = std::atoi(zone.substr(4, 2).c_str());
        offsetMinutes = (zone[0] == '+' ? 1 : -1) * (hours * 60 + minutes);
    } else if (zone != "Z") {
        return false;
    }
    IMString normal((seconds + "." + fraction + "Z").c_str());
    if (Ixa::IsFailed(IMDateTime::Parse(normal, time))) {
        return false;
    }
    return Ixa::IsSucceeded(time.AddMinutes(-offsetMinutes));
}
