#include "engine/SharedStatusMessageHandler.h"

#include "engine/ResponseDelegate.h"

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
    if (ResponseDelegate* delegate = getResponseDelegate()) {
        delegate->OnClientPresenceUpdated(status);
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
