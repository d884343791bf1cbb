// The screen "QUICK_TEXT_ADD_SCREEN", for now a titled form with a way back.
// Threading and ownership: as TitledScreen.
#pragma once

#include "screens/TitledScreen.h"

class QuickTextAddScreen : public TitledScreen {
public:
    QuickTextAddScreen();
};
