#include "screens/GroupListScreen.h"

GroupListScreen::GroupListScreen()
    : TitledScreen("GROUP_LIST", "IDS_ADD_TO_GROUP", EVENT_SHOW_ADD_CONTACT)
{
}
