#include "screens/SettingsScreen.h"

SettingsScreen::SettingsScreen()
    : TitledScreen("SETTINGS_SCREEN", "IDS_OPTIONS", EVENT_SHOW_BUDDY_LIST)
{
}
