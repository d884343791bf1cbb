// What stream management keeps, sends again and acknowledges across acknowledgements,
// resumptions, refused resumptions, counts that wrap at 2^32 and sessions that end.
#include "xmpp/StreamManagement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
constexpr std::uint32_t TOP = UINT32_MAX;

// A fresh session enabled as "S1" when the reader had read `readNow` stanzas.
void Enable(StreamManagement& streams, std::uint32_t readNow = 0)
{
    streams.beginConnection();
    streams.enableSent();
    streams.enabled("S1", true, readNow);
}

std::uint32_t HandledAt(const StreamManagement& streams, std::uint32_t readNow)
{
    std::uint32_t count = 0;
    std::uint64_t epoch = 0;
    EXPECT_TRUE(streams.handledAt(readNow, &count, &epoch));
    return count;
}

// A connection lost and the session resumed on the next, the server having handled
// `serverHandled` of ours.
Texts Resume(StreamManagement& streams, std::uint32_t serverHandled, std::uint32_t readNow)
{
    streams.beginConnection();
    EXPECT_TRUE(streams.canResume());
    streams.resumeFrom();
    return streams.resumed(serverHandled, readNow);
}

}  // namespace

TEST(StreamManagementTest, KeepsWhatWentOutUntilAcknowledgedAndAsksOnceAtATime)
{
    StreamManagement streams;
    streams.beginConnection();
    EXPECT_FALSE(streams.track("<presence/>", false)) << "nothing is kept before the enable";
    streams.enableSent();
    EXPECT_FALSE(streams.track("m1", true)) << "no request before the server has answered the enable";
    streams.enabled("S1", true, 0);

    EXPECT_TRUE(streams.track("m2", true));
    EXPECT_FALSE(streams.track("m3", true)) << "a request is already outstanding";
    streams.acknowledged(1);
    EXPECT_EQ(streams.unacknowledged(), 2U);
    EXPECT_TRUE(streams.track("m4", true)) << "the acknowledgement answered the request";
    EXPECT_FALSE(streams.track("m5", true));

    EXPECT_EQ(Resume(streams, 2, 0), (Texts{"m3", "m4", "m5"})) << "the unacknowledged ones, in order";
    EXPECT_EQ(streams.unacknowledged(), 3U) << "sent again, they stay kept until acknowledged";
    EXPECT_TRUE(streams.track("m6", true)) << "a resumed stream has no request outstanding";
    streams.acknowledged(5);
    EXPECT_EQ(Resume(streams, 5, 0), (Texts{"m6"}));
    EXPECT_EQ(Resume(streams, 6, 0), Texts{});
    EXPECT_EQ(streams.unacknowledged(), 0U);
}

TEST(StreamManagementTest, ARefusedResumptionSetsAsideOnlyUnacknowledgedChats)
{
    const Texts sent{"p1", "c1", "p2", "c2", "c3"};
    for (bool withCount : {true, false}) {
        StreamManagement streams;
        Enable(streams);
        for (const std::string& xml : sent) {
            streams.track(xml, xml[0] == 'c');
        }
        streams.beginConnection();
        streams.resumeFrom();
        streams.resumeFailed(withCount, 2);

        EXPECT_EQ(streams.takePendingChats(), withCount ? (Texts{"c2", "c3"}) : (Texts{"c1", "c2", "c3"}))
            << (withCount ? "h='2' covers p1 and c1" : "without h every chat goes again");
        EXPECT_EQ(streams.takePendingChats(), Texts{}) << "they go out once";
        EXPECT_EQ(streams.unacknowledged(), 0U);
        EXPECT_FALSE(streams.canResume());
        EXPECT_EQ(streams.sessionId(), "");
    }
}

TEST(StreamManagementTest, CountsWrapAtTwoToTheThirtyTwo)
{
    StreamManagement streams;
    Enable(streams, TOP - 1);
    EXPECT_EQ(HandledAt(streams, TOP), 1U);
    EXPECT_EQ(HandledAt(streams, 2), 4U) << "the reader's count wrapped past the base";

    streams.acknowledged(TOP - 1);  // more than was kept: the count follows the server
    for (const char* xml : {"m1", "m2", "m3"}) {
        streams.track(xml, true);
    }
    streams.acknowledged(0);
    EXPECT_EQ(Resume(streams, 0, 0), (Texts{"m3"})) << "h went from 2^32-2 over 2^32-1 to 0: two acknowledged";

    streams.restore("S2", TOP - 1);
    streams.beginConnection();
    EXPECT_EQ(streams.resumeFrom(), TOP - 1);
    streams.resumed(1, 10);
    EXPECT_EQ(HandledAt(streams, 13), 1U) << "our handled count wraps too";
}

TEST(StreamManagementTest, HandledCountsStartFromTheEnableOrTheResumedCount)
{
    StreamManagement streams;
    std::uint32_t count = 0;
    std::uint64_t epoch = 0;
    EXPECT_FALSE(streams.handledAt(3, &count, &epoch)) << "not counting before stream management is on";

    Enable(streams, 7);
    EXPECT_EQ(HandledAt(streams, 7), 0U) << "stanzas read before <enabled/> are not counted";
    ASSERT_TRUE(streams.handledAt(10, &count, &epoch));
    EXPECT_EQ(count, 3U);
    EXPECT_TRUE(streams.handled(count, epoch));
    EXPECT_EQ(streams.handled(), 3U);

    streams.beginConnection();
    EXPECT_EQ(streams.resumeFrom(), 3U);
    streams.resumed(0, 20);
    EXPECT_EQ(HandledAt(streams, 20), 3U) << "the base is the count the <resume/> named";
    EXPECT_EQ(HandledAt(streams, 24), 7U);
}

TEST(StreamManagementTest, ACountFromAnEndedSessionIsRefused)
{
    StreamManagement streams;
    Enable(streams);
    std::uint32_t count = 0;
    std::uint64_t stale = 0;
    ASSERT_TRUE(streams.handledAt(4, &count, &stale));
    streams.beginConnection();
    streams.resumeFrom();
    streams.resumeFailed(false, 0);
    EXPECT_FALSE(streams.handled(count, stale)) << "the resumption failed: a new session begins";
    EXPECT_EQ(streams.handled(), 0U);

    Enable(streams);
    ASSERT_TRUE(streams.handledAt(2, &count, &stale));
    Enable(streams);
    EXPECT_FALSE(streams.handled(count, stale)) << "enabled afresh";
    ASSERT_TRUE(streams.handledAt(1, &count, &stale));
    streams.reset();
    EXPECT_FALSE(streams.handled(count, stale)) << "signed out";
    EXPECT_EQ(streams.handled(), 0U);
}
