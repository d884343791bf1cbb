// An event-driven platform thread that takes objects one at a time, in posting order, and
// hands each to process() on its own thread. Event 0 carries one object in a one-element
// list; event 1 stops the thread, after every event posted before it. The processor owns
// every object posted to it: an object that cannot be posted (the thread never started or
// has ended) is deleted at once, and the platform deletes objects still queued behind the
// stop event. Posting is safe from any thread; stopAndJoin from any thread but its own.
#pragma once

#include "platform/IList.h"
#include "platform/Thread.h"

class EventProcessor : public Ixa::Base::Runtime::Thread {
public:
    static constexpr int EVENT_OBJECT = 0;
    static constexpr int EVENT_STOP = 1;
    static constexpr long STACK_SIZE = 65536;

    EventProcessor();
    ~EventProcessor() override;

    Ixa::result EventThreadConstruct();
    bool OnStart() override;
    void OnStop() override;
    void OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args) override;

protected:
    // Takes ownership of `object`; a null object is ignored.
    Ixa::result post(Ixa::Base::Object* object);
    // Queues the stop event behind everything posted so far and waits for the thread to end.
    void stopAndJoin();
    // Runs on the processor's thread; takes ownership of `object`.
    virtual void process(Ixa::Base::Object* object) = 0;
};
