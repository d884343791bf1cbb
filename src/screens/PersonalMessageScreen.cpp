#include "screens/PersonalMessageScreen.h"

PersonalMessageScreen::PersonalMessageScreen()
    : TitledScreen("PERSONAL_MESSAGE_SCREEN", "IDS_PERSONAL_MESSAGE", EVENT_SHOW_SETTINGS)
{
}
