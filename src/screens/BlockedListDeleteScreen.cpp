#include "screens/BlockedListDeleteScreen.h"

BlockedListDeleteScreen::BlockedListDeleteScreen()
    : BlockedListSelectionScreen("IDS_DELETE", controller_)
{
}

// The list hands its rows back to the controller as it goes, so they go while it is whole.
BlockedListDeleteScreen::~BlockedListDeleteScreen() { RemoveAllControls(); }
