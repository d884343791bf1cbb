#include "engine/SetPresenceCommand.h"

#include "engine/EngineAccess.h"
#include "xmpp/PresenceManager.h"

SetPresenceCommand::SetPresenceCommand() = default;

SetPresenceCommand::~SetPresenceCommand() { delete status_; }

void SetPresenceCommand::setPresenceStatus(PresenceStatus* status)
{
    if (status != status_) {
        delete status_;
        status_ = status;
    }
}

PresenceStatus* SetPresenceCommand::getPresenceStatus() { return status_; }

void SetPresenceCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    verifyConnectionState();
    PresenceManager* presence = EngineAccess::presenceManager(getRequestController());
    if (presence == nullptr || status_ == nullptr) {
        return;
    }
    IMString message(status_->GetCustomStatusMessage());
    switch (status_->GetPresenceStatus()) {
    case PresenceStatus::BUSY:
        presence->setBusyStatus(&message);
        break;
    case PresenceStatus::AVAILABLE:
        presence->setOnlineStatus(&message);
        break;
    case PresenceStatus::OFFLINE:
    case PresenceStatus::NEVER_SEEN:
        presence->setInvisibleStatus(true);
        break;
    default:
        break;
    }
}
