#include "platform/UiEventQueue.h"

#include "platform/Form.h"
#include "platform/UiThreadCalls.h"

#include <QCoreApplication>

#include <deque>
#include <mutex>

namespace Ixa::Ui {

namespace {

struct PendingEvent {
    Controls::Form* form;  // null: for the application
    int requestId;
    Base::Collection::IList* args;
};

struct QueueState {
    std::mutex mutex;
    std::deque<PendingEvent> events;
    UiEventQueue::ApplicationReceiver receiver;
    bool closed = false;
};

QueueState& State()
{
    static QueueState state;
    return state;
}

void DeleteArgs(Base::Collection::IList* args)
{
    if (args == nullptr)
        return;
    args->RemoveAll(true);
    delete args;
}

result Post(Controls::Form* form, int requestId, Base::Collection::IList* args)
{
    QueueState& state = State();
    std::lock_guard lock(state.mutex);
    QCoreApplication* application = QCoreApplication::instance();
    if (state.closed || application == nullptr || (form == nullptr && !state.receiver))
        return form == nullptr && !state.closed ? E_INVALID_STATE : E_FAILURE;
    state.events.push_back({form, requestId, args});
    // One delivery per accepted event; a delivery that finds its event forgotten does nothing.
    UiThreadCalls::Post([] { UiEventQueue::DeliverOne(); });
    return E_SUCCESS;
}

}  // namespace

result UiEventQueue::PostToForm(Controls::Form& form, int requestId, Base::Collection::IList* args)
{
    return Post(&form, requestId, args);
}

result UiEventQueue::PostToApplication(int requestId, Base::Collection::IList* args)
{
    return Post(nullptr, requestId, args);
}

void UiEventQueue::SetApplicationReceiver(ApplicationReceiver receiver)
{
    QueueState& state = State();
    std::lock_guard lock(state.mutex);
    state.receiver = std::move(receiver);
    state.closed = false;
}

void UiEventQueue::Close()
{
    std::deque<PendingEvent> discarded;
    {
        QueueState& state = State();
        std::lock_guard lock(state.mutex);
        state.closed = true;
        state.receiver = nullptr;
        discarded.swap(state.events);
    }
    for (const PendingEvent& event : discarded)
        DeleteArgs(event.args);
}

void UiEventQueue::ForgetForm(const Controls::Form& form)
{
    std::deque<PendingEvent> kept;
    std::deque<PendingEvent> discarded;
    {
        QueueState& state = State();
        std::lock_guard lock(state.mutex);
        for (const PendingEvent& event : state.events)
            (event.form == &form ? discarded : kept).push_back(event);
        state.events.swap(kept);
    }
    for (const PendingEvent& event : discarded)
        DeleteArgs(event.args);
}

int UiEventQueue::GetPendingCount()
{
    QueueState& state = State();
    std::lock_guard lock(state.mutex);
    return static_cast<int>(state.events.size());
}

void UiEventQueue::DeliverOne()
{
    PendingEvent next{};
    ApplicationReceiver receiver;
    {
        QueueState& state = State();
        std::lock_guard lock(state.mutex);
        if (state.events.empty())
            return;
        next = state.events.front();
        state.events.pop_front();
        receiver = state.receiver;
    }
    if (next.form != nullptr)
        next.form->OnUserEventReceivedN(next.requestId, next.args);
    else if (receiver)
        receiver(next.requestId, next.args);
    else
        DeleteArgs(next.args);
}

}  // namespace Ixa::Ui
