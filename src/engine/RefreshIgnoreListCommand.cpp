#include "engine/RefreshIgnoreListCommand.h"

#include "engine/RequestController.h"
#include "store/ContactDAO.h"

RefreshIgnoreListCommand::RefreshIgnoreListCommand() = default;

RefreshIgnoreListCommand::~RefreshIgnoreListCommand() = default;

void RefreshIgnoreListCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    RequestController* controller = getRequestController();
    if (ContactDAO* contacts = controller != nullptr ? controller->GetContactDAO() : nullptr) {
        contacts->BeginBlockedListRefresh();
    }
}
