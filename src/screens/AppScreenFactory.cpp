#include "screens/AppScreenFactory.h"

#include "app/AppEvents.h"
#include "screens/AddContactView.h"
#include "screens/BlockedListDeleteScreen.h"
#include "screens/BlockedListScreen.h"
#include "screens/BlockedListUnblockScreen.h"
#include "screens/BuddyScreen.h"
#include "screens/ChatScreen.h"
#include "screens/ContactInfoView.h"
#include "screens/ConversationsScreen.h"
#include "screens/DeleteConvScreen.h"
#include "screens/DeleteRestoreConvScreen.h"
#include "screens/GroupListScreen.h"
#include "screens/GroupScreen.h"
#include "screens/LoginScreen.h"
#include "screens/NameDisplayScreen.h"
#include "screens/PersonalMessageScreen.h"
#include "screens/ProtectRestoreConvScreen.h"
#include "screens/QuickTextAddScreen.h"
#include "screens/QuickTextListDeleteScreen.h"
#include "screens/QuickTextListScreen.h"
#include "screens/RestoreChatScreen.h"
#include "screens/RestoreScreen.h"
#include "screens/SelfInfoView.h"
#include "screens/SendIMScreen.h"
#include "screens/SettingsScreen.h"
#include "screens/StatusScreen.h"

IMScreen* AppScreenFactory::createScreen(int screenId)
{
    switch (screenId) {
    case SCREEN_LOGIN:
        return new LoginScreen;
    case SCREEN_SELF_INFO:
        return new SelfInfoView;
    case SCREEN_CONTACT_INFO:
        return new ContactInfoView;
    case SCREEN_BUDDY_LIST:
        return new BuddyScreen;
    case SCREEN_CONVERSATIONS:
        return new ConversationsScreen;
    case SCREEN_DELETE_CONVERSATIONS:
        return new DeleteConvScreen;
    case SCREEN_ADD_CONTACT:
        return new AddContactView;
    case SCREEN_CHAT:
        return new ChatScreen;
    case SCREEN_BLOCKED_LIST:
        return new BlockedListScreen;
    case SCREEN_BLOCKED_UNBLOCK:
        return new BlockedListUnblockScreen;
    case SCREEN_BLOCKED_DELETE:
        return new BlockedListDeleteScreen;
    case SCREEN_SETTINGS:
        return new SettingsScreen;
    case SCREEN_GROUP:
        return new GroupScreen;
    case SCREEN_STATUS:
        return new StatusScreen;
    case SCREEN_RESTORE:
        return new RestoreScreen;
    case SCREEN_RESTORE_CHAT:
        return new RestoreChatScreen;
    case SCREEN_DELETE_RESTORE:
        return new DeleteRestoreConvScreen;
    case SCREEN_QUICK_TEXT_LIST:
        return new QuickTextListScreen;
    case SCREEN_QUICK_TEXT_ADD:
        return new QuickTextAddScreen;
    case SCREEN_QUICK_TEXT_DELETE:
        return new QuickTextListDeleteScreen;
    case SCREEN_PERSONAL_MESSAGE:
        return new PersonalMessageScreen;
    case SCREEN_PROTECT_RESTORE:
        return new ProtectRestoreConvScreen;
    case SCREEN_GROUP_LIST:
        return new GroupListScreen;
    case SCREEN_NAME_DISPLAY:
        return new NameDisplayScreen;
    case SCREEN_SEND_IM:
        return new SendIMScreen;
    default:
        return nullptr;
    }
}
