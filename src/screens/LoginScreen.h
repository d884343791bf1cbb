// The screen "LOGIN_SCREEN", for now a titled form.
// Threading and ownership: as TitledScreen.
#pragma once

#include "screens/TitledScreen.h"

class LoginScreen : public TitledScreen {
public:
    LoginScreen();
};
