#include "TestEventThread.h"

#include <stdexcept>

namespace TestSupport {

TestEventThread::TestEventThread()
{
    if (Construct(Ixa::Base::Runtime::THREAD_TYPE_EVENT_DRIVEN) != Ixa::E_SUCCESS
        || Start() != Ixa::E_SUCCESS)
        throw std::runtime_error("TestEventThread: cannot start the thread");
}

TestEventThread::~TestEventThread()
{
    Stop();
    Join();
}

void TestEventThread::Run(const std::function<void()>& call)
{
    bool finished = false;
    {
        std::lock_guard lock(mutex_);
        calls_.push_back([&] {
            call();
            std::lock_guard doneLock(mutex_);
            finished = true;
            done_.notify_all();
        });
    }
    if (SendUserEvent(0, nullptr) != Ixa::E_SUCCESS)
        throw std::runtime_error("TestEventThread: the thread has ended");
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return finished; });
}

void TestEventThread::OnUserEventReceivedN(int, Ixa::Base::Collection::IList* args)
{
    delete args;
    std::deque<std::function<void()>> calls;
    {
        std::lock_guard lock(mutex_);
        calls.swap(calls_);
    }
    for (std::function<void()>& call : calls)
        call();
}

}  // namespace TestSupport
