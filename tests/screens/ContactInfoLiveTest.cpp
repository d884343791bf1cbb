// The contact details against the local Prosody: opened from the buddy list, they show the
// slixmpp peer's current presence and status message, and follow the peer's next change.
#include "BuddyListLiveFixture.h"
#include "BuddyListProbe.h"
#include "VisibleList.h"

#include "screens/BuddyController.h"

#include <gtest/gtest.h>

namespace {

class ContactInfoLiveTest : public BuddyListLiveFixture {
protected:
    bool DetailsEndWith(const std::string& presence, const std::string& status)
    {
        const std::vector<std::string> rows = VisibleListRows();
        const std::string tail = "Status: | " + presence + " | Status message | " + status;
        return rows.size() == 1 && rows[0].size() >= tail.size() && rows[0].compare(rows[0].size() - tail.size(), tail.size(), tail) == 0;
    }
};

TEST_F(ContactInfoLiveTest, ShowsThePeersCurrentPresenceAndStatus)
{
    SignInAndShowBuddyList();
    ExpectDone(*peer_, "presence away back soon");
    ASSERT_TRUE(PumpUntil([] { return BuddyListProbe::RowOf("Ben | back soon") >= 0; })) << app_->driver.Describe();
    ASSERT_TRUE(app_->driver.TapContextItem(BuddyListProbe::RowOf("Ben"), BuddyController::CONTEXT_VIEW_DETAIL));
    ASSERT_EQ((AppUnderTest::Screen{"CONTACTINFO_SCREEN", "Friend details"}), app_->Visible());
    EXPECT_EQ("Display name | Ben | E-mail address | " + Jid(peerUser_) + " | Status: | Away | Status message | back soon", VisibleListRows().at(0));

    ExpectDone(*peer_, "presence dnd in a meeting");
    EXPECT_TRUE(PumpUntil([this] { return DetailsEndWith("Busy", "in a meeting"); })) << app_->driver.Describe();
}

}  // namespace
