// What the three quick-text screens build alike: the form with its title and back button,
// footer items, and the list of phrases with its "No items" picture.
// Threading: user-interface thread. Ownership: the controls made belong to the screen's form.
#pragma once

#include "app/IMScreen.h"

#include "platform/ListView.h"

class QuickTextScreenKit {
public:
    static bool ConstructForm(IMScreen& screen, const char* formName, const char* titleId);
    static void AddFooterItem(IMScreen& screen, const char* textId, int actionId);
    // A list filling the client area, fed by the screen.
    static Ixa::Ui::Controls::ListView* AddList(IMScreen& screen, int top = 0);
};
