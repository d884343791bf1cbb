#include "screens/BlockedListUnblockController.h"

#include "engine/RequestController.h"

void BlockedListUnblockController::request(RequestController& requests, Contact& contact)
{
    IMString id(contact.GetContactId());
    requests.RemoveFromIgnoreList(&id);
}
