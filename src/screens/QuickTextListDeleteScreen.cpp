#include "screens/QuickTextListDeleteScreen.h"

QuickTextListDeleteScreen::QuickTextListDeleteScreen()
    : TitledScreen("QUICK_TEXT_DELETE_SCREEN", "IDS_DELETE", EVENT_SHOW_QUICK_TEXT_LIST)
{
}
