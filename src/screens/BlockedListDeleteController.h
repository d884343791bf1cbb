// The controller of the block list's delete screen: deletes the checked contacts from the server's roster.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "screens/BlockedListSelectionController.h"

class BlockedListDeleteController : public BlockedListSelectionController {
protected:
    void request(RequestController& requests, Contact& contact) override;
};
