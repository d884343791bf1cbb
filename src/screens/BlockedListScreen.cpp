#include "screens/BlockedListScreen.h"

BlockedListScreen::BlockedListScreen()
    : TitledScreen("BLOCKED_LIST", "IDS_BLOCK", EVENT_SHOW_SETTINGS)
{
}
