// The contact details without a server: the four labelled values as the user reads them, the
// presence codes named as the buddy list names them, the values read from the store when the
// screen is opened and again when that contact changes while it is shown, and back to the
// buddy list.
#include "BuddyListProbe.h"
#include "ChatFixture.h"
#include "VisibleList.h"

#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "app/ModelResponseImpl.h"
#include "app/ScreenStates.h"
#include "store/ContactModel.h"

#include "platform/Footer.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

class ContactInfoTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.Launched()); }

    // Opens the details as the buddy list does, with a copy of the stored contact.
    void ShowDetails(const std::string& user)
    {
        IMManager::setState(STATE_BUDDY_LIST);
        shown.reset(IMManager::GetContactModel()->GetContactById(IMString(user.c_str())));
        IMManager::notifyEvent(EVENT_SHOW_CONTACT_INFO, static_cast<void*>(shown.get()));
        app.driver.PumpUntilIdle();
    }

    std::string Details() const
    {
        const std::vector<std::string> rows = VisibleListRows();
        return rows.size() == 1 ? rows[0] : "(" + std::to_string(rows.size()) + " rows)";
    }

    static std::string Expected(const std::string& name, const std::string& id, const std::string& presence, const std::string& status)
    {
        return "Display name | " + name + " | E-mail address | " + id + " | Status: | " + presence + " | Status message | " + status;
    }

    AppUnderTest app;
    std::unique_ptr<Contact> shown;
};

TEST_F(ContactInfoTest, ShowsNameAddressPresenceAndStatusAsStored)
{
    const std::pair<int, const char*> presences[] = {{0, "Available"}, {99, "Available"}, {2, "Busy"}, {9, "Away"}, {999, "Away"},
        {Contact::PRESENCE_OFFLINE, "Offline"}, {Contact::PRESENCE_NEVER_SEEN, "Offline"}};
    BuddyListProbe::AddContact("bob@localhost", "Bob", "Friends", 0, "At lunch");
    for (const auto& [presence, label] : presences) {
        BuddyListProbe::SetPresence("bob@localhost", presence);
        ShowDetails("bob@localhost");
        ASSERT_EQ((AppUnderTest::Screen{"CONTACTINFO_SCREEN", "Friend details"}), app.Visible());
        EXPECT_EQ(Expected("Bob", "bob@localhost", label, "At lunch"), Details()) << presence;
        ASSERT_TRUE(app.driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));
        EXPECT_EQ(STATE_BUDDY_LIST, IMManager::GetScreenStatesObj()->getState());
    }
}

TEST_F(ContactInfoTest, FollowsTheContactWhileShown)
{
    BuddyListProbe::AddContact("bob@localhost", "Bob", "Friends", 0, "At lunch");
    ShowDetails("bob@localhost");
    std::thread([] { ModelResponseImpl::GetInstance()->OnAllPresenceReceived(); }).join();

    std::unique_ptr<Contact> bob(IMManager::GetContactModel()->GetContactById(IMString("bob@localhost")));
    bob->SetPresenceType(Contact::PRESENCE_BUSY);
    bob->SetCustomMessage("In a meeting");
    IMManager::GetContactModel()->SaveOrUpdate(bob.get());
    std::thread([] {
        ModelResponseImpl::GetInstance()->OnContactUpdated(IMManager::GetContactModel()->GetContactById(IMString("bob@localhost")));
    }).join();
    app.driver.PumpUntilIdle();
    EXPECT_EQ(Expected("Bob", "bob@localhost", "Busy", "In a meeting"), Details());
    ChatFixture::Screenshot(app, "contact_info");
}

}  // namespace
