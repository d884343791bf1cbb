// The controller of the block list's unblock screen: unblocks the checked contacts, each by its contact id.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "screens/BlockedListSelectionController.h"

class BlockedListUnblockController : public BlockedListSelectionController {
protected:
    void request(RequestController& requests, Contact& contact) override;
};
