#include "screens/BlockedListDeleteScreen.h"

BlockedListDeleteScreen::BlockedListDeleteScreen()
    : TitledScreen("BLOCKED_LIST", "IDS_DELETE", EVENT_SHOW_BLOCKED_LIST)
{
}
