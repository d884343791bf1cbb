#include "engine/SharedStatusMessageHandler.h"

#include "engine/ArchivePoll.h"
#include "engine/EngineAccess.h"
#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "xmpp/Connection.h"

SharedStatusMessageHandler::SharedStatusMessageHandler() = default;

SharedStatusMessageHandler::~SharedStatusMessageHandler() = default;

void SharedStatusMessageHandler::handlePayload(SharedStatusMessage& shared)
{
    PresenceStatus status;
    if (shared.isInvisible()) {
        status.SetPresenceStatus(PresenceStatus::OFFLINE);
        status.SetInvisible(true);
    } else {
        status.SetPresenceStatus(codeOfShow(shared.getCurrentStatus()));
        // The busy code is do-not-disturb, as in a status the user chooses, so that a choice
        // the service has taken over compares equal to it.
        status.SetDoNotDisturb(status.GetPresenceStatus() == PresenceStatus::BUSY);
    }
    if (IMString* message = shared.getCurrentStatusMessage()) {
        status.SetCustomStatusMessage(*message);
    }
    followInvisibility(shared.isInvisible());
    if (ResponseDelegate* delegate = getResponseDelegate()) {
        delegate->OnClientPresenceUpdated(status);
    }
}

// A server that refused the shared status hides the user only by an unavailable session, which
// it routes no messages to: the archive is polled for them while the user stays invisible.
void SharedStatusMessageHandler::followInvisibility(bool invisible)
{
    RequestController* controller = getRequestController();
    ArchivePoll* poll = controller != nullptr ? controller->GetArchivePoll() : nullptr;
    Connection* connection = EngineAccess::connection(controller);
    if (poll == nullptr || connection == nullptr) {
        return;
    }
    if (invisible && connection->serviceSupport().isRefused(ServiceSupport::SHARED_STATUS)) {
        poll->start();
    } else {
        poll->stop();
    }
}

int SharedStatusMessageHandler::codeOfShow(const IMString* show)
{
    if (show == nullptr) {
        return PresenceStatus::AVAILABLE;
    }
    if (show->Equals("dnd", true)) {
        return PresenceStatus::BUSY;
    }
    if (show->Equals("default", true)) {
        return PresenceStatus::AVAILABLE;
    }
    if (show->Equals("away", true)) {
        return PresenceStatus::AWAY;
    }
    return show->Equals("xa", false) ? PresenceStatus::OFFLINE : PresenceStatus::NEVER_SEEN;
}
