// The block list's unblock screen: the selection screen with "Unblock" as its title and action.
// Threading: user-interface thread. Ownership: owns its controller.
#pragma once

#include "screens/BlockedListUnblockController.h"
#include "screens/BlockedListSelectionScreen.h"

class BlockedListUnblockScreen : public BlockedListSelectionScreen {
public:
    BlockedListUnblockScreen();
    ~BlockedListUnblockScreen() override;

private:
    BlockedListUnblockController controller_;
};
