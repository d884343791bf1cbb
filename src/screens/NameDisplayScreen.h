// The screen "NAMEDISPLAY_SCREEN", for now a titled form with a way back.
// Threading and ownership: as TitledScreen.
#pragma once

#include "screens/TitledScreen.h"

class NameDisplayScreen : public TitledScreen {
public:
    NameDisplayScreen();
};
