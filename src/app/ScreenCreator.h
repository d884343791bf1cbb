// The invisible form that receives every application event on the user-interface thread, in
// posting order whatever thread posted it: transition events go to the screen state machine
// (with the data stored by the poster), report events to the visible screen, model-update
// wake-ups to the screen they name (which takes every update waiting for it), and the engine's reconnecting reports to the reconnect status
// (never a screen change). Its termination ends the application's threads.
//
// Threading: setEventInfo and setDataInfo are called under the notification lock from any
// thread; everything else runs on the user-interface thread, and each dispatch holds the
// notification lock throughout. Ownership: the frame owns the form once added; the state
// machine is borrowed; the pending data belongs to whoever posted it.
#pragma once

#include "app/AppEvents.h"

#include "platform/Form.h"

class ScreenStates;

class ScreenCreator : public Ixa::Ui::Controls::Form {
public:
    ScreenCreator();
    ~ScreenCreator() override;

    // Constructs the form under the name "SCREEN_CREATOR".
    Ixa::result Initialize();

    void OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args) override;
    // Stops all event posting and ends the application's modules.
    Ixa::result OnTerminating() override;

    void setScreenStatesObj(ScreenStates* states);
    ScreenStates* GetCurrentStateObject() const;
    void setEventInfo(EVENT_T event);
    void setDataInfo(void* data);
    void* GetDataInfo() const;

private:
    void dispatch(int requestId, Ixa::Base::Collection::IList* args);
    void deliverModelUpdate(Ixa::Base::Collection::IList* args);
    void deliverReport(EVENT_T event, Ixa::Base::Collection::IList* args);
    void deliverConnectionState(EVENT_T event, Ixa::Base::Collection::IList* args);
    bool isSignedInState() const;

    ScreenStates* states_ = nullptr;
    EVENT_T pendingEvent_ = EVENT_APP_START;
    void* pendingData_ = nullptr;
};
