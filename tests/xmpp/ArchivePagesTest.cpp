// The catch-up's starting point across sessions: a catch-up cut short starts again where it
// started, and so does the time its gap began, whatever was stored meanwhile; falling back to
// time goes from that time too, and only once.
#include "xmpp/ArchivePages.h"

#include <gtest/gtest.h>

TEST(ArchivePagesTest, ACatchUpCutShortKeepsWhereAndWhenItsGapBegan)
{
    ArchivePages pages;
    IMString gapBegan("2026-12-06T10:00:05.700Z");
    EXPECT_EQ(pages.startCatchUp(IMString("A599"), gapBegan).ToUtf8(), "A599");
    EXPECT_EQ(pages.unfinishedCatchUp().ToUtf8(), "A599");

    // The next session got messages from the offline store before it asked again.
    IMString later("2026-12-06T10:00:09.100Z");
    EXPECT_EQ(pages.startCatchUp(IMString("A1200"), later).ToUtf8(), "A599");
    EXPECT_EQ(later.ToUtf8(), "2026-12-06T10:00:05.700Z");

    IMString since;
    ASSERT_TRUE(pages.fallBackToTime(since));
    EXPECT_EQ(since.ToUtf8(), "2026-12-06T10:00:05.700Z");
    EXPECT_FALSE(pages.fallBackToTime(since)) << "a catch-up by time falls back to nothing";

    pages.finishCatchUp();
    IMString next("2026-12-06T10:01:00.000Z");
    EXPECT_EQ(pages.startCatchUp(IMString("A1300"), next).ToUtf8(), "A1300");
    EXPECT_EQ(next.ToUtf8(), "2026-12-06T10:01:00.000Z");
}
