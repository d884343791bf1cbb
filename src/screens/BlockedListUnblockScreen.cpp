#include "screens/BlockedListUnblockScreen.h"

BlockedListUnblockScreen::BlockedListUnblockScreen()
    : TitledScreen("BLOCKED_LIST", "IDS_UNBLOCK", EVENT_SHOW_BLOCKED_LIST)
{
}
