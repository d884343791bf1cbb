// The screen "GROUP_LIST", for now a titled form with a way back.
// Threading and ownership: as TitledScreen.
#pragma once

#include "screens/TitledScreen.h"

class GroupListScreen : public TitledScreen {
public:
    GroupListScreen();
};
