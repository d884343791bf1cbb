#include "screens/BlockedListUnblockScreen.h"

BlockedListUnblockScreen::BlockedListUnblockScreen()
    : BlockedListSelectionScreen("IDS_UNBLOCK", controller_)
{
}

// The list hands its rows back to the controller as it goes, so they go while it is whole.
BlockedListUnblockScreen::~BlockedListUnblockScreen() { RemoveAllControls(); }
