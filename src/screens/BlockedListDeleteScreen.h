// The block list's delete screen: the selection screen with "Delete" as its title and action.
// Threading: user-interface thread. Ownership: owns its controller.
#pragma once

#include "screens/BlockedListDeleteController.h"
#include "screens/BlockedListSelectionScreen.h"

class BlockedListDeleteScreen : public BlockedListSelectionScreen {
public:
    BlockedListDeleteScreen();
    ~BlockedListDeleteScreen() override;

private:
    BlockedListDeleteController controller_;
};
