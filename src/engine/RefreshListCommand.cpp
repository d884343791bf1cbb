#include "engine/RefreshListCommand.h"

#include "engine/EngineAccess.h"
#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "store/ContactDAO.h"
#include "xmpp/RosterManager.h"

RefreshListCommand::RefreshListCommand() = default;

RefreshListCommand::~RefreshListCommand() = default;

void RefreshListCommand::SetPendingRefresh(bool pending) { pendingRefresh_ = pending; }

bool RefreshListCommand::GetPendingRefresh() const { return pendingRefresh_; }

void RefreshListCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    if (pendingRefresh_) {
        if (ResponseDelegate* delegate = getResponseDelegate()) {
            delegate->OnAllPresenceReceived();
        }
        return;
    }
    RequestController* controller = getRequestController();
    if (ContactDAO* contacts = controller != nullptr ? controller->GetContactDAO() : nullptr) {
        contacts->BeginContactListRefresh();
    }
    if (RosterManager* roster = EngineAccess::rosterManager(controller)) {
        roster->init();
    }
}
