#include "screens/ChatScreen.h"

ChatScreen::ChatScreen()
    : TitledScreen("CHAT_SCREEN", "IDS_SEND_IM_TO", EVENT_SHOW_BUDDY_LIST)
{
}
