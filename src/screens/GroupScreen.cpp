#include "screens/GroupScreen.h"

GroupScreen::GroupScreen()
    : TitledScreen("GROUP_SCREEN", "IDS_CREATE_GROUP", EVENT_SHOW_ADD_CONTACT)
{
}
