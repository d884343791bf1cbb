#include "screens/ConversationsScreen.h"

ConversationsScreen::ConversationsScreen()
    : TitledScreen("CONVERSATIONS_SCREEN", "IDS_CONVERSATIONS", EVENT_SHOW_BUDDY_LIST)
{
}
