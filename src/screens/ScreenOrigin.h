// Where the settings or the own profile were opened from, and so where their way back leads.
// Threading: user-interface thread; stateless.
#pragma once

class ScreenOrigin {
public:
    enum From { FROM_BUDDY_LIST = 0, FROM_CONVERSATIONS = 1, FROM_CHAT = 2 };

    // Posts the event that shows the screen `origin` (a From) names.
    static void ReturnTo(int origin);
};
