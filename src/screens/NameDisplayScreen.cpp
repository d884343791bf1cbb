#include "screens/NameDisplayScreen.h"

NameDisplayScreen::NameDisplayScreen()
    : TitledScreen("NAMEDISPLAY_SCREEN", "IDS_DISPLAY_NAME", EVENT_SHOW_SETTINGS)
{
}
