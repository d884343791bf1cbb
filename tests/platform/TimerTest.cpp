#include "platform/Thread.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

using namespace Ixa;
using namespace Ixa::Base;
using namespace Ixa::Base::Runtime;

namespace {

// An event-driven thread that arms timers from a handler, as the program does, and ends
// when its probe timer expires. The probe is armed later than the subject ever should fire,
// so by then every expiry the subject would produce has happened.
class TimerHost : public Thread, public ITimerEventListener {
public:
    enum Scenario { FireOnce, ArmThenCancel, Rearm, DestroyInCallback, ExpireDuringStop };

    ~TimerHost() override
    {
        Stop();
        Join();
    }

    bool OnStart() override
    {
        ownThread = std::this_thread::get_id();
        return true;
    }

    void OnUserEventReceivedN(int scenario, Collection::IList* args) override
    {
        delete args;
        subjectConstruct = subject.Construct(*this);
        probe.Construct(*this);
        probe.Start(120);
        switch (scenario) {
        case FireOnce:
            subject.Start(5);
            break;
        case ArmThenCancel:
            subject.Start(5);
            subject.Cancel();
            break;
        case Rearm:
            subject.Start(80);
            subject.Start(5);
            break;
        case DestroyInCallback:
            doomed = std::make_unique<Timer>();
            doomed->Construct(*this);
            doomed->Start(5);
            break;
        case ExpireDuringStop:
            // Both fall due together; the probe, armed first, stops the loop before the
            // subject's turn comes in the same round of expiries.
            probe.Start(0);
            subject.Start(0);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            break;
        }
    }

    void OnTimerExpired(Timer& timer) override
    {
        if (&timer == &probe) {
            Stop();
            return;
        }
        firedOn.push_back(std::this_thread::get_id());
        if (&timer == doomed.get())
            doomed.reset();
    }

    Timer subject;
    Timer probe;
    std::unique_ptr<Timer> doomed;
    std::thread::id ownThread;
    std::vector<std::thread::id> firedOn;
    result subjectConstruct = E_FAILURE;
};

void Play(TimerHost& host, TimerHost::Scenario scenario)
{
    ASSERT_EQ(host.Construct(THREAD_TYPE_EVENT_DRIVEN), E_SUCCESS);
    ASSERT_EQ(host.SendUserEvent(scenario, nullptr), E_SUCCESS);
    ASSERT_EQ(host.Start(), E_SUCCESS);
    ASSERT_EQ(host.Join(), E_SUCCESS);
}

TEST(TimerTest, FiresOncePerStartOnItsOwnersThreadAcrossRuns)
{
    TimerHost host;
    for (size_t run = 1; run <= 2; ++run) {
        Play(host, TimerHost::FireOnce);
        EXPECT_EQ(host.subjectConstruct, E_SUCCESS);
        ASSERT_EQ(host.firedOn.size(), run);
        EXPECT_EQ(host.firedOn.back(), host.ownThread);
        EXPECT_NE(host.firedOn.back(), std::this_thread::get_id());
    }
    EXPECT_EQ(host.subject.Start(5), E_INVALID_STATE);
    EXPECT_EQ(host.subject.Cancel(), E_INVALID_STATE);
    result withoutLoop = E_SUCCESS;
    std::thread([&] { withoutLoop = Timer().Construct(host); }).join();
    EXPECT_EQ(withoutLoop, E_INVALID_STATE);
}

TEST(TimerTest, ExpiresOnlyAsArmedAndNeverOnceItsLoopIsStopping)
{
    const std::pair<TimerHost::Scenario, size_t> cases[] = {
        {TimerHost::ArmThenCancel, 0},
        {TimerHost::Rearm, 1},
        {TimerHost::DestroyInCallback, 1},
        {TimerHost::ExpireDuringStop, 0},
    };
    for (auto [scenario, expiries] : cases) {
        TimerHost host;
        Play(host, scenario);
        EXPECT_EQ(host.firedOn.size(), expiries) << "scenario " << scenario;
    }
}

}  // namespace
