// The user events bound for the user-interface thread: those sent to forms and those sent to
// the application. One queue for both keeps them in posting order across every posting
// thread. Events for a form that is deleted before they arrive are deleted with their
// arguments; once the queue is closed (the application has ended) posts are refused and
// the sender keeps its arguments.
// Threading and ownership: Post* from any thread; everything else on the user-interface
// thread. An accepted argument list belongs to the queue, then to the receiver.
#pragma once

#include "platform/IList.h"
#include "platform/Result.h"

#include <functional>

namespace Ixa::Ui::Controls {
class Form;
}

namespace Ixa::Ui {

class UiEventQueue {
public:
    using ApplicationReceiver = std::function<void(int requestId, Base::Collection::IList* args)>;

    static result PostToForm(Controls::Form& form, int requestId, Base::Collection::IList* args);
    // E_INVALID_STATE while no application receives events.
    static result PostToApplication(int requestId, Base::Collection::IList* args);

    // The application's receiver; the queue is open again from now on.
    static void SetApplicationReceiver(ApplicationReceiver receiver);
    // Refuses further posts and deletes the events still waiting.
    static void Close();
    static void ForgetForm(const Controls::Form& form);
    // Events accepted and not yet delivered.
    static int GetPendingCount();

    // Platform side: delivers the oldest waiting event (the queue schedules one call per post).
    static void DeliverOne();
};

}  // namespace Ixa::Ui
