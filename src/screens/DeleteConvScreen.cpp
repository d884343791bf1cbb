#include "screens/DeleteConvScreen.h"

DeleteConvScreen::DeleteConvScreen()
    : TitledScreen("DELETE_CONVERSATION_SCREEN", "IDS_END_CONVERSATION", EVENT_SHOW_CONVERSATIONS)
{
}
