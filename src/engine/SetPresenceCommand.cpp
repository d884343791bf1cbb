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
    int kind = PresenceManager::STATUS_AVAILABLE;
    bool invisible = false;
    if (!kindOf(*status_, kind, invisible)) {
        return;
    }
    IMString message(status_->GetCustomStatusMessage());
    if (invisible) {
        presence->setInvisibleStatus(true);
    } else if (kind == PresenceManager::STATUS_BUSY) {
        presence->setBusyStatus(&message);
    } else {
        presence->setOnlineStatus(&message);
    }
}

void SetPresenceCommand::restore(PresenceManager& presence, const PresenceStatus& status)
{
    int kind = PresenceManager::STATUS_AVAILABLE;
    bool invisible = false;
    if (kindOf(status, kind, invisible)) {
        presence.restoreStatus(kind, IMString(status.GetCustomStatusMessage()), invisible);
    }
}

bool SetPresenceCommand::kindOf(const PresenceStatus& status, int& kind, bool& invisible)
{
    switch (status.GetPresenceStatus()) {
    case PresenceStatus::BUSY:
        kind = PresenceManager::STATUS_BUSY;
        return true;
    case PresenceStatus::AVAILABLE:
        kind = PresenceManager::STATUS_AVAILABLE;
        return true;
    case PresenceStatus::OFFLINE:
    case PresenceStatus::NEVER_SEEN:
        invisible = true;
        return true;
    default:
        return false;
    }
}
