#include "screens/QuickTextAddScreen.h"

QuickTextAddScreen::QuickTextAddScreen()
    : TitledScreen("QUICK_TEXT_ADD_SCREEN", "IDS_ADD_QUICK_LIST", EVENT_SHOW_QUICK_TEXT_LIST)
{
}
