// What the buddy list and the conversations, the two tabs of the signed-in program, build
// alike: the header with the program's title and icon, sign-out at the left and settings at
// the right, and the footer's two tabs.
// Threading: user-interface thread; stateless (the screen is borrowed).
#pragma once

#include "app/IMScreen.h"

class TabScreenParts {
public:
    static void BuildHeader(IMScreen& screen, int signOutAction, int settingsAction);
    // The footer in tab style with the friends and conversations tabs, `selected` chosen.
    static void AddTabs(IMScreen& screen, int friendsAction, int conversationsAction, int selected);
};
