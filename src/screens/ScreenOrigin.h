// Which screen opened the settings and which the own profile, so that their way back returns
// there: the opening screen sets the value before it posts the screen's event.
// Threading: user-interface thread only.
#pragma once

class ScreenOrigin {
public:
    enum From { FROM_BUDDY_LIST = 0, FROM_CONVERSATIONS = 1, FROM_CHAT = 2 };

    static int settings;
    static int selfInfo;
};
