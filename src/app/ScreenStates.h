// The table-driven screen state machine: an event in a state names, through the first
// matching row of stateTable, the next state and the screen to show. Screen objects are made
// on first use by the installed ScreenFactory and kept until the machine goes.
//
// Threading: user-interface thread (the screen creator's dispatch); getState from any
// thread. Ownership: a screen that
// has been shown belongs to the application frame; those never shown are deleted here. The
// factory is borrowed.
#pragma once

#include "app/AppEvents.h"
#include "app/StateTransitionHandler.h"

#include <atomic>
#include <cstdint>
#include <map>

class IMScreen;
class ScreenFactory;

class ScreenStates {
public:
    struct Row {
        std::uint16_t state;
        std::uint16_t event;
        std::uint16_t nextState;
        std::uint16_t screenId;
    };

    static const Row stateTable[];
    static int getLastIndexValidForstateTable();
    // The factory used for every screen made from now on; null removes it.
    static void setScreenFactory(ScreenFactory* factory);

    ScreenStates();
    ~ScreenStates();

    ScreenStates(const ScreenStates&) = delete;
    ScreenStates& operator=(const ScreenStates&) = delete;

    void setState(STATE_T state);
    STATE_T getState() const;
    // The screen of the current state, when it has one and it exists.
    StateTransitionHandler* getCurrentScreen();
    IMScreen* getCurrentIMScreen();
    // Makes the screen on first use; null for an unknown id.
    StateTransitionHandler* getScreenObject(int screenId);
    void performStateTransition(EVENT_T event, void* data);

private:
    IMScreen* screenFor(int screenId);
    void leaveCurrentScreen();
    void activate(int screenId, EVENT_T event, void* data);
    // Notes whether the frame has taken the screen over.
    void noteOwnership(int screenId);

    // Read by the response thread (is the chat visible?) while the dispatch changes it.
    std::atomic<STATE_T> state_{STATE_INIT};
    std::map<int, IMScreen*> screens_;
    std::map<int, bool> ownedByFrame_;
};
