#include "screens/QuickTextListScreen.h"

QuickTextListScreen::QuickTextListScreen()
    : TitledScreen("QUICK_TEXT_SCREEN", "IDS_INSERT", EVENT_SHOW_CHAT)
{
}
