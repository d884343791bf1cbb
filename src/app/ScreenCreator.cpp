#include "app/ScreenCreator.h"

#include "app/IMManager.h"
#include "app/IMScreen.h"
#include "app/ModelUpdateEvent.h"
#include "app/ReconnectStatus.h"
#include "app/ScreenStates.h"

#include "platform/Integer.h"

namespace {

constexpr unsigned long CreatorFormStyle = 0x2003;

void deleteList(Ixa::Base::Collection::IList* args)
{
    if (args != nullptr) {
        args->RemoveAll(true);
        delete args;
    }
}

int reportCode(const Ixa::Base::Collection::IList* args)
{
    const auto* number = args != nullptr ? dynamic_cast<const Ixa::Base::Integer*>(args->GetAt(0)) : nullptr;
    return number != nullptr ? number->ToInt() : -1;
}

// After these the session is over, whatever the engine was trying.
bool endsSession(EVENT_T event)
{
    switch (event) {
    case EVENT_SHOW_LOGIN:
    case EVENT_CONNECTION_LOST:
    case EVENT_SERVER_SIGNED_OUT:
    case EVENT_SIGN_IN_ERROR:
    case EVENT_SIGN_OUT_SUCCESS:
        return true;
    default:
        return false;
    }
}

}  // namespace

ScreenCreator::ScreenCreator() = default;

ScreenCreator::~ScreenCreator() = default;

Ixa::result ScreenCreator::Initialize()
{
    const Ixa::result constructed = Construct(CreatorFormStyle);
    SetName("SCREEN_CREATOR");
    return constructed;
}

void ScreenCreator::OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args)
{
    IMManager::acquireNotificationLock();
    dispatch(requestId, args);
    IMManager::releaseNotificationLock();
}

void ScreenCreator::dispatch(int requestId, Ixa::Base::Collection::IList* args)
{
    const auto event = static_cast<EVENT_T>(requestId);
    if (endsSession(event) && IMManager::GetReconnectStatus() != nullptr) {
        IMManager::GetReconnectStatus()->End();
    }
    if (event == EVENT_MODEL_UPDATE) {
        deliverModelUpdate(args);
    } else if (event == EVENT_RECONNECTING || event == EVENT_RECONNECTED) {
        deliverConnectionState(event, args);
    } else if (IMManager::isStateTransitionEvent(event)) {
        deleteList(args);
        if (states_ != nullptr) {
            states_->performStateTransition(event, pendingData_);
        }
    } else if (requestId >= EVENT_CONNECTION_LOST && requestId <= EVENT_SIGN_OUT_SUCCESS) {
        // A refused password on a try of the engine's own ends the session on whatever screen
        // is up: the sign-in screen comes first, so the error shows there as for the user's own.
        if (event == EVENT_SIGN_IN_ERROR && isSignedInState()) {
            states_->performStateTransition(EVENT_SHOW_LOGIN, nullptr);
        }
        deliverReport(event, args);
    } else {
        deleteList(args);
    }
}

void ScreenCreator::deliverModelUpdate(Ixa::Base::Collection::IList* args)
{
    auto* update = args != nullptr ? dynamic_cast<ModelUpdateEvent*>(args->GetAt(0)) : nullptr;
    if (update != nullptr && update->GetScreen() != nullptr) {
        update->GetScreen()->deliverModelUpdates();
    }
    deleteList(args);
}

void ScreenCreator::deliverReport(EVENT_T event, Ixa::Base::Collection::IList* args)
{
    IMScreen* screen = states_ != nullptr ? states_->getCurrentIMScreen() : nullptr;
    if (screen != nullptr) {
        const Ixa::Base::String* text = args != nullptr ? dynamic_cast<const Ixa::Base::String*>(args->GetAt(1)) : nullptr;
        screen->handleViewEvent(event, reportCode(args), text);
    }
    deleteList(args);
}

// Reconnecting changes no screen: the strip's notice changes, and the visible screen hears of
// it only when presence turns unknown or known again. A report that comes after the session
// has ended (the sign-in screen is up) is late and shows nothing.
void ScreenCreator::deliverConnectionState(EVENT_T event, Ixa::Base::Collection::IList* args)
{
    ReconnectStatus* status = IMManager::GetReconnectStatus();
    bool changed = false;
    if (status != nullptr && event == EVENT_RECONNECTED) {
        changed = status->End();
    } else if (status != nullptr && isSignedInState()) {
        changed = status->Reconnecting(reportCode(args));
    }
    if (changed) {
        deliverReport(event, args);
    } else {
        deleteList(args);
    }
}

bool ScreenCreator::isSignedInState() const
{
    const STATE_T state = states_ != nullptr ? states_->getState() : STATE_INIT;
    return state != STATE_INIT && state != STATE_LOGIN;
}

Ixa::result ScreenCreator::OnTerminating()
{
    IMManager::SetAppExitingStatus(true);
    IMManager::CleanAllModules();
    return Form::OnTerminating();
}

void ScreenCreator::setScreenStatesObj(ScreenStates* states) { states_ = states; }

ScreenStates* ScreenCreator::GetCurrentStateObject() const { return states_; }

void ScreenCreator::setEventInfo(EVENT_T event) { pendingEvent_ = event; }

void ScreenCreator::setDataInfo(void* data) { pendingData_ = data; }

void* ScreenCreator::GetDataInfo() const { return pendingData_; }
