// An event-driven platform thread that runs calls handed to it by a test, the way the program
// runs its socket thread: objects that belong to a thread (sockets, name lookups) are made
// and used inside those calls, and their events arrive on the same thread.
// Threading and ownership: Run from any thread but this one; it returns once the call has run.
// The destructor stops and joins the thread; objects made on it may be destroyed after that.
#pragma once

#include "platform/Thread.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace TestSupport {

class TestEventThread : private Ixa::Base::Runtime::Thread {
public:
    TestEventThread();
    ~TestEventThread() override;

    void Run(const std::function<void()>& call);

private:
    void OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args) override;

    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<std::function<void()>> calls_;
};

}  // namespace TestSupport
