#include "app/ScreenCreator.h"

#include "app/IMManager.h"
#include "app/IMScreen.h"
#include "app/ModelUpdateEvent.h"
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
    if (event == EVENT_MODEL_UPDATE) {
        deliverModelUpdate(args);
    } else if (IMManager::isStateTransitionEvent(event)) {
        deleteList(args);
        if (states_ != nullptr) {
            states_->performStateTransition(event, pendingData_);
        }
    } else if (requestId >= EVENT_CONNECTION_LOST && requestId <= EVENT_SIGN_OUT_SUCCESS) {
        deliverReport(event, args);
    } else {
        deleteList(args);
    }
}

void ScreenCreator::deliverModelUpdate(Ixa::Base::Collection::IList* args)
{
    auto* update = args != nullptr ? dynamic_cast<ModelUpdateEvent*>(args->GetAt(0)) : nullptr;
    if (update != nullptr && update->GetScreen() != nullptr) {
        update->GetScreen()->onModelUpdate(static_cast<void*>(&update->GetNotification()));
    }
    deleteList(args);
}

void ScreenCreator::deliverReport(EVENT_T event, Ixa::Base::Collection::IList* args)
{
    IMScreen* screen = states_ != nullptr ? states_->getCurrentIMScreen() : nullptr;
    if (screen != nullptr) {
        int code = -1;
        const Ixa::Base::String* text = nullptr;
        if (args != nullptr) {
            if (const auto* number = dynamic_cast<const Ixa::Base::Integer*>(args->GetAt(0))) {
                code = number->ToInt();
            }
            text = dynamic_cast<const Ixa::Base::String*>(args->GetAt(1));
        }
        screen->handleViewEvent(event, code, text);
    }
    deleteList(args);
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
