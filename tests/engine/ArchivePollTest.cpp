// The archive poll's schedule: polls come every interval while it runs, and none after a stop
// or a shutdown.
#include "CallCounter.h"

#include "engine/ArchivePoll.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

TEST(ArchivePollTest, PollsOnlyWhileStartedAndNeverAfterShutdown)
{
    CallCounter polls;
    ArchivePoll poll(polls.startTry(), 20ms);
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(polls.tries(), 0) << "a poll before start";

    poll.start();
    poll.start();
    EXPECT_TRUE(poll.isPolling());
    ASSERT_TRUE(polls.waitFor(3));

    poll.stop();
    EXPECT_FALSE(poll.isPolling());
    // A poll may have been under way as stop came; none starts after it.
    const int stopped = polls.tries();
    std::this_thread::sleep_for(100ms);
    EXPECT_LE(polls.tries(), stopped + 1);

    poll.start();
    ASSERT_TRUE(polls.waitFor(polls.tries() + 1));
    poll.shutdown();
    const int ended = polls.tries();
    poll.start();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(polls.tries(), ended) << "a poll after shutdown";
    EXPECT_FALSE(poll.isPolling());
}
