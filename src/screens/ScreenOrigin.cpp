#include "screens/ScreenOrigin.h"

int ScreenOrigin::settings = ScreenOrigin::FROM_BUDDY_LIST;
int ScreenOrigin::selfInfo = ScreenOrigin::FROM_BUDDY_LIST;
