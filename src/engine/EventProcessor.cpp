#include "engine/EventProcessor.h"

#include "platform/ArrayList.h"

using namespace Ixa::Base::Runtime;

EventProcessor::EventProcessor() = default;

EventProcessor::~EventProcessor() = default;

Ixa::result EventProcessor::EventThreadConstruct()
{
    Ixa::result constructed =
        Construct(Ixa::Base::String(" Event Thread "), THREAD_TYPE_EVENT_DRIVEN, STACK_SIZE, THREAD_PRIORITY_MID);
    return Ixa::IsFailed(constructed) ? Ixa::E_FAILURE : Ixa::E_SUCCESS;
}

bool EventProcessor::OnStart() { return true; }

void EventProcessor::OnStop() {}

Ixa::result EventProcessor::post(Ixa::Base::Object* object)
{
    if (object == nullptr) {
        return Ixa::E_SUCCESS;
    }
    auto list = new Ixa::Base::Collection::ArrayList();
    list->Construct(1);
    list->Add(object);
    Ixa::result posted = SendUserEvent(EVENT_OBJECT, list);
    if (Ixa::IsFailed(posted)) {
        list->RemoveAll(true);
        delete list;
    }
    return posted;
}

void EventProcessor::stopAndJoin()
{
    SendUserEvent(EVENT_STOP, nullptr);
    Join();
}

void EventProcessor::OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args)
{
    if (requestId == EVENT_OBJECT && args != nullptr && args->GetCount() > 0) {
        Ixa::Base::Object* object = args->GetAt(0);
        args->RemoveAll(false);
        process(object);
    } else if (requestId == EVENT_STOP) {
        Stop();
        Exit(0);
    }
    if (args != nullptr) {
        args->RemoveAll(true);
    }
    delete args;
}
