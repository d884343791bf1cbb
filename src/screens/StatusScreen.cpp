#include "screens/StatusScreen.h"

StatusScreen::StatusScreen()
    : TitledScreen("STATUS_SCREEN", "IDS_STATUS", EVENT_SHOW_SETTINGS)
{
}
