#include "screens/BuddyScreen.h"

BuddyScreen::BuddyScreen()
    : TitledScreen("BUDDY_SCREEN", "IDS_GTALK_TITLE", TitledScreen::NO_BACK)
{
}
