#include "platform/Thread.h"

#include "platform/ThreadEventReceiver.h"
#include "platform/ThreadRunner.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace Ixa::Base::Runtime {

namespace {

thread_local Thread* currentThread = nullptr;

// Sanitized builds put large frames and their own bookkeeping on every thread's stack.
constexpr long MinimumStackSize = 256 * 1024;

// Thrown by Exit on a worker and always caught at the bottom of that thread.
struct ExitRequest {};

QThread::Priority ToQtPriority(ThreadPriority priority)
{
    switch (priority) {
    case THREAD_PRIORITY_HIGH:
        return QThread::HighPriority;
    case THREAD_PRIORITY_LOW:
        return QThread::LowPriority;
    default:
        return QThread::NormalPriority;
    }
}

bool IsValid(ThreadType type, ThreadPriority priority)
{
    return (type == THREAD_TYPE_WORKER || type == THREAD_TYPE_EVENT_DRIVEN)
        && priority >= THREAD_PRIORITY_HIGH && priority <= THREAD_PRIORITY_LOW;
}

void DeleteWithElements(Collection::IList* args)
{
    if (args == nullptr)
        return;
    args->RemoveAll(true);
    delete args;
}

}  // namespace

Thread::Thread() = default;

Thread::~Thread()
{
    bool running = false;
    {
        std::lock_guard lock(mutex_);
        running = state_ == State::Running;
    }
    if (running) {
        // A worker refuses Stop and is simply joined.
        Stop();
        Join();
    }
    // Join answers once the body is done; Qt may still be tidying the thread up.
    if (runner_)
        runner_->wait();
    Discard(events_);
}

result Thread::Construct(ThreadType type, long stackSize, ThreadPriority priority)
{
    return Configure(nullptr, type, nullptr, stackSize, priority);
}

result Thread::Construct(
    const String& name, ThreadType type, long stackSize, ThreadPriority priority)
{
    return Configure(&name, type, nullptr, stackSize, priority);
}

result Thread::Construct(IRunnable& target, long stackSize, ThreadPriority priority)
{
    return Configure(nullptr, THREAD_TYPE_WORKER, &target, stackSize, priority);
}

result Thread::Construct(
    const String& name, IRunnable& target, long stackSize, ThreadPriority priority)
{
    return Configure(&name, THREAD_TYPE_WORKER, &target, stackSize, priority);
}

result Thread::Start()
{
    std::lock_guard lock(mutex_);
    if (state_ != State::Ready)
        return E_INVALID_STATE;
    runner_ = std::make_unique<ThreadRunner>([this] { Main(); });
    runner_->setStackSize(static_cast<uint>(std::max(stackSize_, MinimumStackSize)));
    if (!name_.IsEmpty())
        runner_->setObjectName(QString::fromUtf16(name_.GetPointer()));
    runner_->start(ToQtPriority(priority_));
    // The new thread cannot finish while this lock is held, so "not running" means Qt could
    // not create it.
    if (!runner_->isRunning()) {
        runner_.reset();
        return E_SYSTEM;
    }
    state_ = State::Running;
    return E_SUCCESS;
}

result Thread::Stop()
{
    if (!IsEventDriven())
        return E_INVALID_STATE;
    if (currentThread == this) {
        StopFromInside();
        return E_SUCCESS;
    }
    std::lock_guard lock(mutex_);
    accepting_ = false;
    stopRequested_ = true;
    WakeUpLocked();
    return E_SUCCESS;
}

result Thread::Join()
{
    if (currentThread == this)
        return E_INVALID_STATE;
    std::unique_lock lock(mutex_);
    if (state_ != State::Running && state_ != State::Finished)
        return E_INVALID_STATE;
    finished_.wait(lock, [this] { return state_ != State::Running; });
    return E_SUCCESS;
}

result Thread::SendUserEvent(int requestId, Collection::IList* args)
{
    std::lock_guard lock(mutex_);
    if (!accepting_)
        return E_FAILURE;
    events_.push_back(PendingEvent{requestId, args});
    WakeUpLocked();
    return E_SUCCESS;
}

bool Thread::IsEventDriven() const
{
    std::lock_guard lock(mutex_);
    return state_ != State::Unconstructed && type_ == THREAD_TYPE_EVENT_DRIVEN;
}

bool Thread::HasPendingUserEvents() const
{
    std::lock_guard lock(mutex_);
    return !events_.empty() || stopRequested_;
}

result Thread::Exit(int)
{
    Thread* self = currentThread;
    if (self == nullptr)
        return E_INVALID_STATE;
    if (!self->IsEventDriven())
        throw ExitRequest{};
    return self->Stop();
}

result Thread::Sleep(long milliseconds)
{
    if (milliseconds < 0)
        return E_INVALID_ARG;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return E_SUCCESS;
}

Thread* Thread::GetCurrentThread() { return currentThread; }

Object* Thread::Run() { return nullptr; }

bool Thread::OnStart() { return true; }

void Thread::OnStop() {}

void Thread::OnUserEventReceivedN(int, Collection::IList* args) { DeleteWithElements(args); }

result Thread::Configure(const String* name, ThreadType type, IRunnable* target, long stackSize,
    ThreadPriority priority)
{
    if (!IsValid(type, priority))
        return E_INVALID_ARG;
    std::lock_guard lock(mutex_);
    if (state_ == State::Running || state_ == State::Ready)
        return E_INVALID_STATE;
    if (runner_)
        runner_->wait();
    type_ = type;
    target_ = target;
    name_ = name != nullptr ? *name : String();
    stackSize_ = stackSize;
    priority_ = priority;
    accepting_ = type == THREAD_TYPE_EVENT_DRIVEN;
    stopRequested_ = false;
    wakeUpPending_ = false;
    state_ = State::Ready;
    return E_SUCCESS;
}

void Thread::Main()
{
    currentThread = this;
    if (IsEventDriven())
        RunEventLoop();
    else
        RunWorker();
    currentThread = nullptr;
    // Nothing below touches the object after the lock is released: a joiner may destroy it.
    std::lock_guard lock(mutex_);
    state_ = State::Finished;
    accepting_ = false;
    finished_.notify_all();
}

void Thread::RunWorker()
{
    bool started = false;
    try {
        started = OnStart();
        if (started)
            (target_ != nullptr ? target_ : this)->Run();
    } catch (const ExitRequest&) {
    }
    try {
        if (started)
            OnStop();
    } catch (const ExitRequest&) {
    }
}

void Thread::RunEventLoop()
{
    ThreadEventReceiver receiver([this] { DeliverNextEvent(); });
    {
        std::lock_guard lock(mutex_);
        receiver_ = &receiver;
        if (!events_.empty() || stopRequested_)
            WakeUpLocked();
    }
    if (OnStart()) {
        receiver.RunLoop();
        OnStop();
    }
    std::deque<PendingEvent> undelivered;
    {
        std::lock_guard lock(mutex_);
        receiver_ = nullptr;
        accepting_ = false;
        undelivered.swap(events_);
    }
    Discard(undelivered);
}

// One wake-up delivers up to EventsPerWakeUp queued events, so a burst of events does not pay
// a pass through the event loop for each; the wake-up stays pending meanwhile (posts add to
// the queue without asking for another), and is asked for again at the end when events or a
// stop remain, so that timers and other events of the loop still get their turn.
void Thread::DeliverNextEvent()
{
    for (int delivered = 0;; ++delivered) {
        PendingEvent next{};
        {
            std::lock_guard lock(mutex_);
            if (events_.empty() || delivered == EventsPerWakeUp) {
                wakeUpPending_ = false;
                // Only a stop request wakes the loop with nothing queued.
                if (delivered == 0) {
                    receiver_->Quit();
                } else if (!events_.empty() || stopRequested_) {
                    WakeUpLocked();
                }
                return;
            }
            next = events_.front();
            events_.pop_front();
        }
        OnUserEventReceivedN(next.requestId, next.args);
    }
}

void Thread::StopFromInside()
{
    std::deque<PendingEvent> undelivered;
    {
        std::lock_guard lock(mutex_);
        accepting_ = false;
        stopRequested_ = true;
        undelivered.swap(events_);
    }
    Discard(undelivered);
    receiver_->Quit();
}

void Thread::WakeUpLocked()
{
    if (receiver_ == nullptr || wakeUpPending_)
        return;
    wakeUpPending_ = true;
    receiver_->PostWakeUp();
}

void Thread::Discard(std::deque<PendingEvent>& events)
{
    for (const PendingEvent& event : events)
        DeleteWithElements(event.args);
    events.clear();
}

}  // namespace Ixa::Base::Runtime
