// The send-message-to screen without a server: reached from the buddy list in one tap, it
// takes an address as the add-contact screen does and opens a chat with it: a stored contact's
// own chat, however the address is typed, or a chat with someone off the buddy list who is
// not stored and to whom the message goes all the same. The application's request
// controller records the messages instead of sending them.
#include "AddContactForm.h"
#include "BuddyListProbe.h"
#include "ChatFixture.h"

#include "app/IMManager.h"
#include "app/ScreenStates.h"
#include "engine/IMFactory.h"
#include "screens/BuddyController.h"
#include "screens/SendIMController.h"
#include "store/ContactModel.h"
#include "store/PropertiesModel.h"
#include "support/RequestRecorder.h"

#include "platform/Footer.h"

using TestSupport::RequestRecorder;

namespace {

const AppUnderTest::Screen SendIM{"SENDIM_SCREEN", "Send message to"};

class SendIMTest : public ChatFixture {
protected:
    static void SetUpTestSuite() { IMFactory::SetRequestControllerMaker(&RequestRecorder::Make); }
    static void TearDownTestSuite() { IMFactory::SetRequestControllerMaker(nullptr); }

    // From the buddy list, the address typed and the action taken.
    void WriteTo(const std::string& address)
    {
        IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
        app.driver.PumpUntilIdle();
        ASSERT_EQ("BUDDY_SCREEN", app.Visible().form);
        ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_SEND_IM));
        ASSERT_EQ(SendIM, app.Visible());
        ASSERT_TRUE(AddContactForm(app).TypeInField(address));
        ASSERT_TRUE(app.driver.TapAction(SendIMController::ACTION_OPEN));
    }

    static bool IsStored(const char* id) { return std::unique_ptr<Contact>(IMManager::GetContactModel()->GetContactById(id)) != nullptr; }
};

TEST_F(SendIMTest, AnAddressTheAddContactScreenRefusesOrTheUsersOwnIsRefusedAndBackReturnsToTheBuddyList)
{
    BuddyListProbe::AddContact("robin@localhost", "Robin", "Friends", Contact::PRESENCE_AVAILABLE, "Send me a message");
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
    app.driver.PumpUntilIdle();
    Screenshot("buddy_list_send_im");
    for (const std::string address : {"  ", "2fast@localhost", "ann@example", "a..b@example.org"}) {
        WriteTo(address);
        EXPECT_EQ(SendIM, app.Visible()) << address;
        EXPECT_TRUE(app.PopupShows("Invalid e-mail address.")) << address << "\n" << app.driver.Describe();
        Screenshot("send_im_invalid");
        ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));
        ASSERT_TRUE(app.driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));
        EXPECT_EQ(STATE_BUDDY_LIST, IMManager::GetScreenStatesObj()->getState());
    }
    // The user's own address, however typed, opens no chat with oneself.
    IMManager::GetPropertiesModel()->SetUserName("ann@localhost");
    WriteTo(" Ann ");
    EXPECT_EQ(SendIM, app.Visible());
    EXPECT_TRUE(app.PopupShows("You cannot send a message to yourself.")) << app.driver.Describe();
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));
    ASSERT_TRUE(app.driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));

    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_SEND_IM));
    EXPECT_EQ("", AddContactForm(app).FieldText()) << "each showing starts afresh";
    ASSERT_TRUE(AddContactForm(app).TypeInField("robin@localhost"));
    Screenshot("send_im");
}

// The keypad lies over the window: the screen left with it open, here for the chat of a
// tapped notification, takes it along.
TEST_F(SendIMTest, LeftWithItsKeypadOpenTheScreenTakesItAlong)
{
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
    app.driver.PumpUntilIdle();
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_SEND_IM));
    ASSERT_EQ(SendIM, app.Visible());
    ASSERT_TRUE(AddContactForm(app).TypeWithKeypad("robin"));
    OpenNotifiedChat("robin@localhost", "Robin");
    ASSERT_EQ("Robin", app.Visible().title);
    EXPECT_FALSE(app.driver.KeypadShows()) << app.driver.Describe();
}

TEST_F(SendIMTest, ANewAddressOpensOneUnstoredConversationHoweverItIsTyped)
{
    WriteTo("  Stranger@LocalHost ");
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ("stranger@localhost", app.Visible().title);
    TypeIntoChat("hello, it's Ann");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    EXPECT_FALSE(app.PopupShows("deleted")) << app.driver.Describe();
    EXPECT_EQ(std::vector<std::string>{"SendMessage stranger@localhost hello, it's Ann"}, RequestRecorder::Last()->Requests());
    EXPECT_EQ(1u, Stored("stranger@localhost").size());
    EXPECT_FALSE(IsStored("stranger@localhost")) << "no contact is stored for the address";

    WriteTo("STRANGER");
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ("stranger@localhost", app.Visible().title);
    ASSERT_EQ(1u, Rows().size()) << "the same conversation";
    Screenshot("send_im_chat");
    EXPECT_EQ(0u, Rows()[0].rfind("hello, it's Ann | ", 0)) << Rows()[0];
}

TEST_F(SendIMTest, AStoredContactsAddressOpensItsOwnChat)
{
    BuddyListProbe::AddContact("bob@localhost", "Bob", "Friends", Contact::PRESENCE_AVAILABLE);
    StoreMessage("bob@localhost", "see you", 2, "2024-03-05T08:15:00.000Z");
    WriteTo("BOB@localhost");
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ("Bob", app.Visible().title);
    ASSERT_EQ(1u, Rows().size());
    EXPECT_EQ(0u, Rows()[0].rfind("see you | ", 0)) << Rows()[0];
}

}  // namespace
