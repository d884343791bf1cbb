// Makes the screen object for a screen id of the state table. The screens sit above the
// application core, so the core asks this interface for them and the program installs an
// implementation (ScreenStates::setScreenFactory) before the first screen is needed.
// Threading: user-interface thread. Ownership: the caller owns the screen it gets.
#pragma once

class IMScreen;

class ScreenFactory {
public:
    virtual ~ScreenFactory() = default;
    // Null for an id the factory does not know.
    virtual IMScreen* createScreen(int screenId) = 0;
};
