#include "screens/ScreenOrigin.h"

#include "app/IMManager.h"

void ScreenOrigin::ReturnTo(int origin)
{
    switch (origin) {
    case FROM_CONVERSATIONS:
        IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS);
        return;
    case FROM_CHAT:
        IMManager::notifyEvent(EVENT_SHOW_CHAT);
        return;
    default:
        IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
        return;
    }
}
