#include "screens/RestoreChatScreen.h"

RestoreChatScreen::RestoreChatScreen()
    : TitledScreen("RESTORE_CHAT_SCREEN", "IDS_SAVE_CONVERSATION", EVENT_SHOW_RESTORE)
{
}
