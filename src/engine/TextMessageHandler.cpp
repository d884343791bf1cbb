#include "engine/TextMessageHandler.h"

#include "engine/EngineAccess.h"
#include "engine/ReceivedMessageFiler.h"
#include "foundation/IMSystemTime.h"

TextMessageHandler::TextMessageHandler() = default;

TextMessageHandler::~TextMessageHandler() = default;

bool TextMessageHandler::joinsReceivedBatch() const { return true; }

void TextMessageHandler::handlePayload(MessagePacket& packet)
{
    if (packet.getFrom() == nullptr || packet.getBody() == nullptr) {
        return;
    }
    ReceivedMessageFiler::Received received;
    received.sender = *packet.getFrom();
    received.body = *packet.getBody();
    if (packet.hasPacketID()) {
        received.stanzaId = *packet.getPacketID();
    }
    IMString ownId = EngineAccess::ownId(getRequestController());
    if (const IMString* archiveId = ownId.IsEmpty() ? nullptr : packet.getStanzaIdBy(ownId)) {
        received.archiveId = *archiveId;
    }
    IMSystemTime::GetCurrentTime(Ixa::System::UTC_TIME, received.time);
    ReceivedMessageFiler::file(getRequestController(), getResponseDelegate(), received, getReceivedBatch());
}
