// The reconnector's back-off, the messages it holds while reconnecting, and when its tries
// start: at once on a tap, never after the reconnecting ended.
#include "CallCounter.h"
#include "EngineFixture.h"

#include "engine/Reconnector.h"
#include "store/MessageImpl.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

using TryCounter = CallCounter;

// Ends the reconnecting from inside the report that a try starts, on the reconnector's own
// thread: the narrowest place a sign-out can land.
class FinishingDelegate : public TestSupport::RecordingDelegate {
public:
    void OnReconnecting(int secondsToNextTry) override
    {
        if (secondsToNextTry == 0 && reconnector != nullptr && !finished) {
            reconnector->finish();
            finished = true;
        }
        RecordingDelegate::OnReconnecting(secondsToNextTry);
    }

    Reconnector* reconnector = nullptr;
    std::atomic<bool> finished{false};
};

class ReconnectorTest : public EngineFixture {};

}  // namespace

TEST(ReconnectorDelayTest, FirstAboutASecondThenGrowingToFiveMinutesWithinTheJitter)
{
    EXPECT_EQ(Reconnector::delayBefore(0, 0.0), 1000ms);
    EXPECT_EQ(Reconnector::delayBefore(0, -1.0), 800ms);
    EXPECT_EQ(Reconnector::delayBefore(0, 1.0), 1200ms);
    EXPECT_EQ(Reconnector::delayBefore(1, 0.0), 2000ms);
    EXPECT_EQ(Reconnector::delayBefore(2, 0.0), 3200ms);
    EXPECT_EQ(Reconnector::delayBefore(3, 0.0), 5120ms);
    EXPECT_EQ(Reconnector::delayBefore(3, 1.0), 6144ms);
    EXPECT_EQ(Reconnector::delayBefore(11, 0.0), 219902ms) << "2 s x 1.6^10, still under the cap";
    EXPECT_EQ(Reconnector::delayBefore(12, 0.0), 300000ms);
    EXPECT_EQ(Reconnector::delayBefore(1000, 0.0), 300000ms);
    EXPECT_EQ(Reconnector::delayBefore(1000, -1.0), 240000ms);
    EXPECT_EQ(Reconnector::delayBefore(1000, 1.0), 360000ms);
    EXPECT_EQ(Reconnector::delayBefore(2, 7.0), Reconnector::delayBefore(2, 1.0)) << "the draw is clamped";
    EXPECT_EQ(Reconnector::delayBefore(2, -7.0), Reconnector::delayBefore(2, -1.0));
    for (int failed = 1; failed < 40; ++failed) {
        EXPECT_LE(Reconnector::delayBefore(failed - 1, 1.0), Reconnector::delayBefore(failed, 1.0)) << failed;
    }
}

TEST_F(ReconnectorTest, HeldMessagesComeBackInOrderOrAreReportedFailed)
{
    TryCounter counter;
    Reconnector reconnector(&controller_, counter.startTry());
    MessageImpl early;
    EXPECT_FALSE(reconnector.hold(&early)) << "not reconnecting: the caller sends it";

    reconnector.start();
    ASSERT_TRUE(delegate_.WaitFor("OnReconnecting"));
    const int seconds = delegate_.CallsOf("OnReconnecting").front().code;
    EXPECT_TRUE(seconds == 1 || seconds == 2) << seconds << " s to the first try";
    std::vector<Message*> typed{new MessageImpl(), new MessageImpl(), new MessageImpl()};
    for (Message* message : typed) {
        ASSERT_TRUE(reconnector.hold(message));
    }
    const std::vector<Message*> back = reconnector.finish();
    EXPECT_EQ(back, typed) << "handed back in the order typed";
    for (Message* message : back) {
        delete message;
    }
    EXPECT_FALSE(reconnector.isActive());
    EXPECT_FALSE(reconnector.hold(&early)) << "the session is back";

    reconnector.start();
    typed = {new MessageImpl(), new MessageImpl()};
    for (Message* message : typed) {
        ASSERT_TRUE(reconnector.hold(message));
    }
    reconnector.abandon(*controller_.GetResponseDelegate());
    const auto failed = delegate_.CallsOf("OnMessageSentToChatFailed");
    ASSERT_EQ(failed.size(), 2U);
    EXPECT_EQ(failed[0].message.get(), typed[0]);
    EXPECT_EQ(failed[1].message.get(), typed[1]);
    EXPECT_FALSE(reconnector.isActive());
    EXPECT_TRUE(reconnector.finish().empty()) << "each is reported once";
}

TEST_F(ReconnectorTest, ATapStartsTheTryWithoutWaitingForTheDelay)
{
    TryCounter counter;
    Reconnector reconnector(&controller_, counter.startTry());
    reconnector.tryNow();
    reconnector.start();
    for (int i = 0; i < 12; ++i) {
        reconnector.tryFailed();  // the next try is now minutes away
    }
    EXPECT_EQ(counter.tries(), 0);
    EXPECT_GE(delegate_.CallsOf("OnReconnecting").back().code, 240) << "the delay shown is the back-off's";

    reconnector.tryNow();
    ASSERT_TRUE(counter.waitFor(1)) << "the tap did not start a try";
    EXPECT_EQ(delegate_.CallsOf("OnReconnecting").back().code, 0) << "the try's start is reported before it is queued";
    EXPECT_EQ(counter.tries(), 1);
}

// The reconnecting ends (a sign-out, the session back) just as a due try has reported its start, and a new loss starts
// reconnecting again at once: the ended reconnecting's try must not go out besides the new
// one's.
TEST_F(ReconnectorTest, AFinishRacingWithADueTryNeverQueuesATryAfterIt)
{
    FinishingDelegate finishing;
    TryCounter counter;
    {
        controller_.SetNonModelResponseDelegate(&finishing);
        Reconnector reconnector(&controller_, counter.startTry());
        finishing.reconnector = &reconnector;
        reconnector.start();
        reconnector.tryNow();
        const bool reached = finishing.WaitFor("OnReconnecting", [](const auto& call) { return call.code == 0; }).has_value();
        controller_.SetNonModelResponseDelegate(&delegate_);
        ASSERT_TRUE(reached);
        ASSERT_TRUE(finishing.finished);
        // A try that does go out, behind which the ended one would have been queued.
        reconnector.start();
        reconnector.tryNow();
        ASSERT_TRUE(delegate_.WaitFor("OnReconnecting", [](const auto& call) { return call.code == 0; }).has_value());
    }
    EXPECT_EQ(counter.tries(), 1) << "the try whose reconnecting had ended went out too";
}
