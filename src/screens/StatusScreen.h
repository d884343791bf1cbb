// The screen "STATUS_SCREEN", for now a titled form with a way back.
// Threading and ownership: as TitledScreen.
#pragma once

#include "screens/TitledScreen.h"

class StatusScreen : public TitledScreen {
public:
    StatusScreen();
};
