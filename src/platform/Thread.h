// A platform thread, either a worker that runs one body and ends, or an event-driven thread
// that runs an event loop delivering user events and timer expiries until it is stopped.
//
// User events are kept in the thread's own queue, so delivery follows posting order exactly,
// across every posting thread, and a refused post is decided atomically with the queue: once
// the loop is ending, SendUserEvent fails and the sender keeps its argument list. Events that
// were accepted but never delivered (behind a Stop issued on the thread itself) are deleted
// with their elements, since their handler would have owned them.
//
// Threading and ownership: Construct, Start, Stop, Join and SendUserEvent may be called from
// any thread; OnStart, Run, OnUserEventReceivedN and OnStop run on the thread itself. The
// object is owned by whoever created it and must outlive its thread's run. The destructor
// stops and joins a running thread, but a subclass whose overrides run on the thread must
// stop and join it in its own destructor, before its part of the object is gone. A thread
// must not destroy its own object.
#pragma once

#include "platform/IList.h"
#include "platform/IRunnable.h"
#include "platform/Object.h"
#include "platform/Result.h"
#include "platform/String.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace Ixa::Base::Runtime {

enum ThreadType { THREAD_TYPE_WORKER = 0, THREAD_TYPE_EVENT_DRIVEN = 1 };
enum ThreadPriority { THREAD_PRIORITY_HIGH = 0, THREAD_PRIORITY_MID = 1, THREAD_PRIORITY_LOW = 2 };
inline constexpr long DEFAULT_STACK_SIZE = 65536;

class ThreadEventReceiver;
class ThreadRunner;

class Thread : public Object, public IRunnable {
public:
    Thread();
    ~Thread() override;

    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Construct prepares a new thread, or a finished one for another run; on a thread that
    // is running or constructed and not yet started it answers E_INVALID_STATE. The stack is
    // at least 256 KiB whatever is asked, since sanitized builds need that much.
    result Construct(ThreadType type = THREAD_TYPE_WORKER, long stackSize = DEFAULT_STACK_SIZE,
        ThreadPriority priority = THREAD_PRIORITY_MID);
    result Construct(const String& name, ThreadType type = THREAD_TYPE_WORKER,
        long stackSize = DEFAULT_STACK_SIZE, ThreadPriority priority = THREAD_PRIORITY_MID);
    result Construct(IRunnable& target, long stackSize = DEFAULT_STACK_SIZE,
        ThreadPriority priority = THREAD_PRIORITY_MID);
    result Construct(const String& name, IRunnable& target, long stackSize = DEFAULT_STACK_SIZE,
        ThreadPriority priority = THREAD_PRIORITY_MID);

    result Start();

    // Event-driven threads only (a worker answers E_INVALID_STATE). On the thread itself the
    // loop ends when the running handler returns and queued events are discarded; from
    // another thread the events already posted are delivered first. Later posts are refused.
    result Stop();

    // Waits for the thread to end; E_INVALID_STATE on itself or when it was never started.
    result Join();

    // Queues an event for OnUserEventReceivedN, which then owns args (which may be null).
    // E_FAILURE, with args left to the caller, for a worker, an unconstructed thread or one
    // whose loop has ended or is ending.
    result SendUserEvent(int requestId, Collection::IList* args);

    bool IsEventDriven() const;
    // Whether user events wait in the queue behind the one being delivered (a stop request
    // counts as one), so a handler can tell the end of a stretch of queued work.
    bool HasPendingUserEvents() const;

    // Ends the calling thread. On an event-driven thread it acts as Stop and returns; on a
    // worker it unwinds the body to the thread's start (OnStop still runs) and never returns,
    // so bodies must not swallow unknown exceptions. The exit code is not kept. On a thread
    // that is not a platform thread it answers E_INVALID_STATE.
    static result Exit(int exitCode = 0);
    static result Sleep(long milliseconds);
    // The platform thread running the caller; null elsewhere (such as Qt's main thread).
    static Thread* GetCurrentThread();

    Object* Run() override;
    // Runs first on the thread; returning false ends the thread without its body or OnStop.
    virtual bool OnStart();
    virtual void OnStop();
    virtual void OnUserEventReceivedN(int requestId, Collection::IList* args);

private:
    enum class State { Unconstructed, Ready, Running, Finished };
    static constexpr int EventsPerWakeUp = 64;

    struct PendingEvent {
        int requestId;
        Collection::IList* args;
    };

    result Configure(const String* name, ThreadType type, IRunnable* target, long stackSize,
        ThreadPriority priority);
    void Main();
    void RunWorker();
    void RunEventLoop();
    void DeliverNextEvent();
    void StopFromInside();
    void WakeUpLocked();
    static void Discard(std::deque<PendingEvent>& events);

    mutable std::mutex mutex_;
    std::condition_variable finished_;
    State state_ = State::Unconstructed;
    ThreadType type_ = THREAD_TYPE_WORKER;
    IRunnable* target_ = nullptr;
    String name_;
    long stackSize_ = DEFAULT_STACK_SIZE;
    ThreadPriority priority_ = THREAD_PRIORITY_MID;
    std::unique_ptr<ThreadRunner> runner_;
    // Set by the thread itself while its loop exists; other threads use it only under mutex_.
    ThreadEventReceiver* receiver_ = nullptr;
    std::deque<PendingEvent> events_;
    bool accepting_ = false;
    bool stopRequested_ = false;
    bool wakeUpPending_ = false;
};

}  // namespace Ixa::Base::Runtime
