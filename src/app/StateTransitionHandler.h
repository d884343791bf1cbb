// What the screen state machine asks of a screen: to take over for an event (with the
// event's data), and to become the visible form.
// Threading: user-interface thread.
#pragma once

#include "app/AppEvents.h"

class StateTransitionHandler {
public:
    virtual ~StateTransitionHandler() = default;
    virtual void onStateTransition(EVENT_T event, void* data) = 0;
    virtual void SetCurrentAndShow() = 0;
};
