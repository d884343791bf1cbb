// Adding a contact without a server: the address rules as one table, then the add-contact
// screen and the group screens as a user goes through them (every refusal with its popup,
// group creation refusing blanks and any spelling of an existing group, the chosen group on
// the row and in the request) against stores seeded as a sign-in fills them. The
// application's request controller records the add request instead of sending it.
#include "AddContactForm.h"
#include "BuddyListProbe.h"
#include "VisibleList.h"

#include "support/AppUnderTest.h"
#include "support/RequestRecorder.h"

#include "app/IMManager.h"
#include "app/IMScreen.h"
#include "engine/IMFactory.h"
#include "screens/AddContactController.h"
#include "screens/BuddyController.h"
#include "screens/GroupController.h"
#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/PropertiesModel.h"

#include "platform/ScreenProbe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using Rows = std::vector<std::string>;
using TestSupport::RequestRecorder;

namespace {

// The service's default domain in the tests is "localhost".
TEST(AddContactAddressTest, TheTableOfValidAndInvalidAddresses)
{
    const std::vector<std::pair<const char*, bool>> table = {
        {"alice", true},
        {"Alice", true},
        {"al1ce", true},
        {"a.b", true},
        {"a_b", true},
        {"al.ice_2", true},
        {"alice@localhost", true},
        {"Alice@LocalHost", true},
        {"alice@example.org", true},
        {"a.b@mail.example.org", true},
        {"al_ice@ex-ample.co", true},
        {"alice@[192.168.0.1]", true},
        {"alice@x1.y2", true},
        {"  alice  ", true},
        {"", false},
        {"   ", false},
        {"1alice", false},
        {"_alice", false},
        {".alice", false},
        {"a..b", false},
        {"a.b.c", false},
        {"alice.", false},
        {"alice_", false},
        {"al-ice", false},
        {"al ice", false},
        {"al+ice@example.org", false},
        {"@example.org", false},
        {"alice@", false},
        {"alice@example", false},
        {"alice@.example.org", false},
        {"alice@example..org", false},
        {"alice@example.org.", false},
        {"alice@exa@mple.org", false},
        {"alice.@example.org", false},
        {"alice@ex_ample.org", false},
        {"alice@localhost@localhost", false},
        {"\xC3\xA9lise", false},
    };
    for (const auto& [address, valid] : table) {
        EXPECT_EQ(AddContactController::IsValidContactName(IMString(address)), valid) << '"' << address << '"';
    }
    // The full-address check on its own: the local part takes the listed punctuation.
    EXPECT_TRUE(AddContactController::IsValidEmailAddress(IMString("o'neil+x@example.org"), 0, 20));
    EXPECT_FALSE(AddContactController::IsValidEmailAddress(IMString("o\"neil@example.org"), 0, 18));
    EXPECT_EQ(AddContactController::FindChar(L'=', AddContactController::VALID_LOCAL_PART_BEGIN_CHARS, 0, 19), 17);
    EXPECT_EQ(AddContactController::FindChar(L'=', AddContactController::VALID_LOCAL_PART_BEGIN_CHARS, 0, 17), -1);
}

class AddContactScreenTest : public testing::Test {
protected:
    static void SetUpTestSuite() { IMFactory::SetRequestControllerMaker(&RequestRecorder::Make); }
    static void TearDownTestSuite() { IMFactory::SetRequestControllerMaker(nullptr); }

    void SetUp() override
    {
        ASSERT_TRUE(app.Launched());
        PropertiesModel* properties = IMManager::GetPropertiesModel();
        properties->SetUserName("me@localhost");
        properties->SetEmailId("me@localhost");
        BuddyListProbe::AddGroup("Friends", true);
        BuddyListProbe::AddContact("bob@localhost", "Bob", "Friends", Contact::PRESENCE_AVAILABLE);
        BuddyListProbe::AddContact("frank@example.org", "Frank", "Friends", Contact::PRESENCE_OFFLINE, "", true);
        IMManager::notifyEvent(EVENT_SIGNED_IN, static_cast<void*>(nullptr));
        app.driver.PumpUntilIdle();
        ASSERT_EQ("BUDDY_SCREEN", app.Visible().form);
    }

    // Types the address, taps add and answers the popup it expects (taking a picture of it
    // when named).
    void AddRefused(const std::string& address, const std::string& popup, const char* picture = nullptr)
    {
        ASSERT_TRUE(address.empty() || form.TypeInField(address));
        ASSERT_TRUE(app.driver.TapAction(AddContactController::ACTION_ADD));
        EXPECT_EQ("ADDCONTACT_SCREEN", app.Visible().form) << address;
        EXPECT_TRUE(app.PopupShows(popup)) << address << "\n" << app.driver.Describe();
        if (picture != nullptr) {
            Screenshot(picture);
        }
        ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));
        ASSERT_TRUE(form.TapBack());
        ASSERT_TRUE(form.Open());
    }

    // Types the name on the group screen, taps save and answers the popup it expects; the
    // name stays in the field, so the group screen is left and entered again.
    void CreateGroupRefused(const std::string& name, const std::string& popup, const char* picture = nullptr)
    {
        ASSERT_TRUE(form.TypeInField(name));
        ASSERT_TRUE(app.driver.TapAction(GroupController::ACTION_CREATE));
        EXPECT_TRUE(app.PopupShows(popup)) << name << "\n" << app.driver.Describe();
        if (picture != nullptr) {
            Screenshot(picture);
        }
        ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));
        EXPECT_EQ(name, form.FieldText());
        ASSERT_TRUE(form.TapBack());
        ASSERT_TRUE(app.driver.TapRow(0));
        ASSERT_EQ("", form.FieldText());
    }

    void Screenshot(const std::string& name)
    {
        std::filesystem::create_directories(VELOIM_SCREENSHOT_DIR);
        EXPECT_TRUE(app.driver.SaveScreenshot(std::string(VELOIM_SCREENSHOT_DIR) + "/" + name + ".png"));
    }

    std::vector<std::string> Requests() { return RequestRecorder::Last()->Requests(); }

    AppUnderTest app;
    AddContactForm form{app};
};

TEST_F(AddContactScreenTest, EveryRefusalShowsItsPopupAndSendsNothing)
{
    ASSERT_TRUE(form.Open());
    EXPECT_EQ(Rows{"Add to group"}, VisibleListRows());
    AddRefused("", "Invalid e-mail address.");
    AddRefused("9lives", "Invalid e-mail address.");
    AddRefused("gina@example", "Invalid e-mail address.");
    AddRefused("me", "You cannot add yourself as a contact.");
    AddRefused("ME@localhost", "You cannot add yourself as a contact.");
    AddRefused("Bob@LocalHost", "This contact is already in your buddy list.", "add_contact_exists");
    AddRefused("frank@example.org", "This contact is in your block list.");
    EXPECT_TRUE(Requests().empty()) << testing::PrintToString(Requests());
}

TEST_F(AddContactScreenTest, AGroupIsCreatedOncePerNameInAnyCaseAndChosenForTheNewContact)
{
    ASSERT_TRUE(form.Open());
    ASSERT_TRUE(form.TypeInField("gina"));
    ASSERT_TRUE(app.driver.TapRow(0));
    ASSERT_EQ("GROUP_LIST", app.Visible().form);
    EXPECT_EQ((Rows{"Create group", "Friends"}), VisibleListRows());

    ASSERT_TRUE(app.driver.TapRow(0));
    ASSERT_EQ("GROUP_SCREEN", app.Visible().form);
    CreateGroupRefused("   ", "Please enter a group name.");
    CreateGroupRefused("fRIENDS", "A group with this name already exists.");
    ASSERT_TRUE(form.TypeInField("  Team "));
    ASSERT_TRUE(app.driver.TapAction(GroupController::ACTION_CREATE));
    EXPECT_FALSE(app.PopupShows("already exists"));
    EXPECT_EQ("", form.FieldText()) << "the field empties for the next group";
    CreateGroupRefused("TEAM", "A group with this name already exists.", "group_exists");
    std::unique_ptr<Group> team(IMManager::GetGroupModel()->FindByGroupId(IMString("team")));
    ASSERT_NE(team, nullptr);
    EXPECT_EQ("Team", team->GetGroupName().ToUtf8());
    EXPECT_EQ("team", team->GetGroupId().ToUtf8());
    EXPECT_EQ(2, IMManager::GetGroupModel()->GetNumGroups());
    Screenshot("group_create");

    ASSERT_TRUE(form.TapBack());
    ASSERT_EQ("GROUP_LIST", app.Visible().form);
    EXPECT_EQ((Rows{"Create group", "Friends", "Team"}), VisibleListRows());
    Screenshot("group_list");
    ASSERT_TRUE(app.driver.TapRow(2));
    ASSERT_EQ("ADDCONTACT_SCREEN", app.Visible().form);
    EXPECT_EQ(Rows{"Team"}, VisibleListRows());
    EXPECT_EQ("gina", form.FieldText()) << "the address typed before choosing stays";
    Screenshot("add_contact");
    ASSERT_TRUE(app.driver.TapAction(AddContactController::ACTION_ADD));
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);
    EXPECT_EQ(Rows{"CreateContactInExistingGroup gina group=Team"}, Requests());

    // A new visit starts afresh; leaving the group list with back chooses nothing, and an
    // address without a chosen group goes to "Friends".
    ASSERT_TRUE(form.Open());
    EXPECT_EQ(Rows{"Add to group"}, VisibleListRows());
    EXPECT_EQ("", form.FieldText());
    ASSERT_TRUE(form.TypeInField("hank@example.org"));
    ASSERT_TRUE(app.driver.TapRow(0));
    ASSERT_TRUE(form.TapBack());
    ASSERT_EQ("ADDCONTACT_SCREEN", app.Visible().form);
    EXPECT_EQ(Rows{"Add to group"}, VisibleListRows());
    ASSERT_TRUE(app.driver.TapAction(AddContactController::ACTION_ADD));
    EXPECT_EQ((Rows{"CreateContactInExistingGroup gina group=Team", "CreateContactInExistingGroup hank@example.org group=Friends"}),
        Requests());
}

// Without a "Friends" group (a store not yet filled by a roster) the add makes it first.
TEST_F(AddContactScreenTest, TheDefaultGroupIsMadeWhenMissingAndCancelForgetsTheAddress)
{
    std::unique_ptr<Group> friends(IMManager::GetGroupModel()->FindByGroupId(IMString("friends")));
    ASSERT_FALSE(IMManager::GetGroupModel()->DeleteGroup(friends.get()));
    ASSERT_TRUE(form.Open());
    ASSERT_TRUE(form.TypeThenTapKeypadButton("ivy", AddContactController::ACTION_CANCEL));
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);
    ASSERT_TRUE(form.Open());
    EXPECT_EQ("", form.FieldText());
    ASSERT_TRUE(form.TypeThenTapKeypadButton("ivy@localhost", AddContactController::ACTION_ADD_KEYPAD));
    EXPECT_EQ(Rows{"CreateContactInExistingGroup ivy group=Friends"}, Requests());
    friends.reset(IMManager::GetGroupModel()->FindByGroupId(IMString("Friends")));
    ASSERT_NE(friends, nullptr);
    EXPECT_EQ("friends", friends->GetGroupId().ToUtf8());
    EXPECT_EQ("Friends", friends->GetGroupName().ToUtf8());
}

// The keypad lies over the window: a screen left with it open takes it along, the add-contact
// screen for the group list as the group screen for the chat of a tapped notification.
TEST_F(AddContactScreenTest, AScreenLeftWithItsKeypadOpenTakesItAlong)
{
    ASSERT_TRUE(form.Open());
    ASSERT_TRUE(form.TypeWithKeypad("gina"));
    ASSERT_TRUE(app.driver.TapRow(0));
    ASSERT_EQ("GROUP_LIST", app.Visible().form);
    EXPECT_FALSE(app.driver.KeypadShows()) << app.driver.Describe();

    ASSERT_TRUE(app.driver.TapRow(0));
    ASSERT_EQ("GROUP_SCREEN", app.Visible().form);
    ASSERT_TRUE(form.TypeWithKeypad("Team"));
    std::unique_ptr<Contact> bob(IMManager::GetContactModel()->GetContactById("bob@localhost"));
    ASSERT_NE(bob, nullptr);
    IMManager::notifyEvent(EVENT_OPEN_NOTIFIED_CHAT, static_cast<void*>(bob.get()));
    app.driver.PumpUntilIdle();
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_FALSE(app.driver.KeypadShows()) << app.driver.Describe();
}

}  // namespace
