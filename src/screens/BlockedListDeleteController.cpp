#include "screens/BlockedListDeleteController.h"

#include "engine/RequestController.h"

void BlockedListDeleteController::request(RequestController& requests, Contact& contact)
{
    requests.RemoveContactFromGroup(&contact, nullptr);
}
