// The screen "BUDDY_SCREEN", for now a titled form.
// Threading and ownership: as TitledScreen.
#pragma once

#include "screens/TitledScreen.h"

class BuddyScreen : public TitledScreen {
public:
    BuddyScreen();
};
