// The screen "QUICK_TEXT_DELETE_SCREEN", for now a titled form with a way back.
// Threading and ownership: as TitledScreen.
#pragma once

#include "screens/TitledScreen.h"

class QuickTextListDeleteScreen : public TitledScreen {
public:
    QuickTextListDeleteScreen();
};
