#include "platform/Monitor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace Ixa;
using namespace Ixa::Base::Runtime;

namespace {

constexpr auto Settle = std::chrono::milliseconds(50);

template <typename Predicate>
void AwaitTrue(Predicate predicate)
{
    while (!predicate())
        std::this_thread::yield();
}

int ReadInside(Monitor& monitor, const int& value)
{
    monitor.Enter();
    const int seen = value;
    monitor.Exit();
    return seen;
}

result Locked(Monitor& monitor, result (Monitor::*call)())
{
    monitor.Enter();
    const result outcome = (monitor.*call)();
    monitor.Exit();
    return outcome;
}

TEST(MonitorTest, WaitersWakeOnlyWhenNotifiedOldestFirst)
{
    Monitor monitor;
    ASSERT_EQ(monitor.Construct(), E_SUCCESS);
    ASSERT_EQ(Locked(monitor, &Monitor::Notify), E_SUCCESS);

    // `waiting` is only touched inside the monitor, so seeing all three from inside means
    // every waiter has given the monitor up in Wait.
    int waiting = 0;
    std::vector<int> wokenOrder;
    std::atomic<int> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i) {
        AwaitTrue([&] { return ReadInside(monitor, waiting) == i; });
        waiters.emplace_back([&, i] {
            monitor.Enter();
            ++waiting;
            monitor.Wait();
            wokenOrder.push_back(i);
            ++woken;
            monitor.Exit();
        });
    }
    AwaitTrue([&] { return ReadInside(monitor, waiting) == 3; });
    std::this_thread::sleep_for(Settle);
    EXPECT_EQ(woken.load(), 0) << "woken without a notify issued while waiting";

    ASSERT_EQ(Locked(monitor, &Monitor::Notify), E_SUCCESS);
    AwaitTrue([&] { return woken == 1; });
    std::this_thread::sleep_for(Settle);
    EXPECT_EQ(woken.load(), 1);

    ASSERT_EQ(Locked(monitor, &Monitor::NotifyAll), E_SUCCESS);
    for (std::thread& waiter : waiters)
        waiter.join();
    EXPECT_EQ(woken.load(), 3);
    EXPECT_EQ(wokenOrder.front(), 0);
}

TEST(MonitorTest, WaitGivesUpEveryEntryLevelAndRestoresThem)
{
    Monitor monitor;
    ASSERT_EQ(monitor.Construct(), E_SUCCESS);
    bool waiting = false;
    std::vector<result> exitsAfterWait;
    std::thread owner([&] {
        monitor.Enter();
        monitor.Enter();
        waiting = true;
        monitor.Wait();
        for (int i = 0; i < 3; ++i)
            exitsAfterWait.push_back(monitor.Exit());
    });
    // Entering at all while the owner waits at depth two shows both levels were given up.
    for (bool seen = false; !seen;) {
        monitor.Enter();
        seen = waiting;
        if (seen)
            monitor.Notify();
        monitor.Exit();
    }
    owner.join();
    EXPECT_EQ(exitsAfterWait, (std::vector<result>{E_SUCCESS, E_SUCCESS, E_INVALID_STATE}));
}

TEST(MonitorTest, CallsByAThreadNotInsideAreRefused)
{
    Monitor monitor;
    EXPECT_EQ(monitor.Enter(), E_INVALID_STATE);
    ASSERT_EQ(monitor.Construct(), E_SUCCESS);
    ASSERT_EQ(monitor.Enter(), E_SUCCESS);
    std::vector<result> outsider;
    std::thread([&] {
        outsider = {monitor.Exit(), monitor.Wait(), monitor.Notify(), monitor.NotifyAll(),
            monitor.Construct()};
    }).join();
    EXPECT_EQ(outsider, std::vector<result>(5, E_INVALID_STATE));
    ASSERT_EQ(monitor.Exit(), E_SUCCESS);
    EXPECT_EQ(monitor.Construct(), E_SUCCESS);
}

}  // namespace
