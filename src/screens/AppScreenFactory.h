// The screens of the application, made by screen id for the screen state machine.
// Threading: user-interface thread. Ownership: the caller owns each screen it gets.
#pragma once

#include "app/ScreenFactory.h"

class AppScreenFactory : public ScreenFactory {
public:
    IMScreen* createScreen(int screenId) override;
};
