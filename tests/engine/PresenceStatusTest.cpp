#include "engine/PresenceStatus.h"

#include <gtest/gtest.h>

TEST(PresenceStatusTest, NullCopyIsAvailableAndDefaultIsNeverSeen)
{
    PresenceStatus fromNull(static_cast<PresenceStatus*>(nullptr));
    EXPECT_EQ(fromNull.GetPresenceStatus(), PresenceStatus::AVAILABLE);
    EXPECT_TRUE(fromNull.GetCustomStatusMessage().IsEmpty());

    PresenceStatus fresh;
    PresenceStatus neverSeen(-2);
    EXPECT_EQ(fresh.GetPresenceStatus(), -2);
    EXPECT_TRUE(fresh.Equals(&neverSeen));
    EXPECT_FALSE(fresh.Equals(static_cast<PresenceStatus*>(nullptr)));
}

TEST(PresenceStatusTest, EqualityIgnoresDeviceTypeButNotMessageCaseOrFlags)
{
    PresenceStatus busy(PresenceStatus::BUSY, Ixa::Base::String("In a meeting"), true, 0);
    PresenceStatus otherDevice(PresenceStatus::BUSY, Ixa::Base::String("In a meeting"), true, 3);
    PresenceStatus otherCase(PresenceStatus::BUSY, Ixa::Base::String("in a meeting"), true, 0);
    EXPECT_TRUE(busy.Equals(&otherDevice));
    EXPECT_FALSE(busy.Equals(&otherCase));

    PresenceStatus invisible(busy);
    invisible.SetInvisible(true);
    EXPECT_FALSE(busy.Equals(&invisible));

    PresenceStatus copy;
    copy.SetStatus(&otherDevice);
    EXPECT_EQ(copy.GetDeviceType(), 3);
    EXPECT_TRUE(copy.GetDoNotDisturb());
    Ixa::Base::String message("away for lunch");
    copy.SetCustomStatusMessage(message);
    message.Append(L"!");
    EXPECT_EQ(copy.GetCustomStatusMessage(), Ixa::Base::String("away for lunch"));
}
