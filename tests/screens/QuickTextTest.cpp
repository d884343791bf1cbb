// Quick texts from the chat: the list ("No items" at first), adding (blank phrases refused,
// leading blanks kept), picking one into the chat's input, deleting with the select-all row
// (each phrase by its own id), and the phrases surviving a restart of the application.
#include "ChatFixture.h"

#include "app/IMManager.h"
#include "screens/QuickTextAddController.h"
#include "screens/QuickTextListController.h"
#include "screens/QuickTextListDeleteController.h"
#include "store/ContactModel.h"

namespace {

class QuickTextTest : public ChatFixture {
protected:
    void OpenQuickTexts()
    {
        ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_MORE));
        ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_MORE_QUICK_TEXT));
        ASSERT_EQ("QUICK_TEXT_SCREEN", app.Visible().form);
    }

    void Add(const std::string& phrase)
    {
        ASSERT_TRUE(app.driver.TapAction(QuickTextListController::ACTION_ADD));
        ASSERT_EQ("QUICK_TEXT_ADD_SCREEN", app.Visible().form);
        ASSERT_TRUE(app.driver.TypeWithKeypad("EditField", phrase));
        ASSERT_TRUE(app.driver.CloseKeypad());
        ASSERT_TRUE(app.driver.TapAction(QuickTextAddController::ACTION_SAVE));
    }

    bool Checked(int row) const
    {
        const auto entry = app.driver.FindRow(row);
        return entry && entry->selected;
    }
};

TEST_F(QuickTextTest, AddInsertDeleteAndKeepAcrossARestart)
{
    OpenChat("bob@localhost", "Bob");
    TypeIntoChat("Reply: ");
    OpenQuickTexts();
    EXPECT_NE(std::string::npos, app.driver.Describe().find("ListView \"No items\"")) << app.driver.Describe();

    Add("   ");
    EXPECT_EQ("QUICK_TEXT_ADD_SCREEN", app.Visible().form);
    EXPECT_TRUE(app.PopupShows("Please enter some text."));
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));
    ASSERT_TRUE(app.driver.TapAction(QuickTextAddController::ACTION_CANCEL));
    Add("  On my way");
    Add("Call you later");
    Add("See you at 8 :)");
    EXPECT_EQ("QUICK_TEXT_SCREEN", app.Visible().form);
    EXPECT_EQ((std::vector<std::string>{"  On my way", "Call you later", "See you at 8 :)"}), Rows());
    Screenshot("quick_text_list");

    ASSERT_TRUE(app.driver.TapRow(2));
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ("Reply: See you at 8 :)", InputText()) << "the picked text joins what was typed";
    EXPECT_TRUE(QuickTextListController::quickText.IsEmpty());

    OpenQuickTexts();
    ASSERT_TRUE(app.driver.TapAction(QuickTextListController::ACTION_DELETE));
    ASSERT_EQ("QUICK_TEXT_DELETE_SCREEN", app.Visible().form);
    EXPECT_FALSE(Enabled(QuickTextListDeleteController::ACTION_DELETE));
    ASSERT_TRUE(app.driver.TapRow(0));
    EXPECT_TRUE(Checked(1) && Checked(2) && Checked(3));
    EXPECT_EQ("3 items selected", FirstLabel());
    ASSERT_TRUE(app.driver.TapRow(2));
    EXPECT_FALSE(Checked(0)) << "one phrase unchecked clears select-all";
    ASSERT_TRUE(app.driver.TapRow(3));
    EXPECT_EQ("1 item selected", FirstLabel());
    EXPECT_TRUE(Enabled(QuickTextListDeleteController::ACTION_DELETE));
    ASSERT_TRUE(app.driver.TapRow(2));
    ASSERT_TRUE(app.driver.TapRow(3));
    EXPECT_TRUE(Checked(0)) << "checking the last unchecked phrase checks select-all";
    ASSERT_TRUE(app.driver.TapRow(2));
    EXPECT_EQ("2 items selected", FirstLabel());
    ASSERT_TRUE(app.driver.TapAction(QuickTextListDeleteController::ACTION_DELETE));
    EXPECT_EQ("QUICK_TEXT_SCREEN", app.Visible().form);
    EXPECT_EQ(std::vector<std::string>{"Call you later"}, Rows());

    ASSERT_TRUE(app.Relaunch());
    SetUp();
    OpenChat("bob@localhost", "Bob");
    OpenQuickTexts();
    EXPECT_EQ(std::vector<std::string>{"Call you later"}, Rows());
}

// Two phrases whose string hashes are equal are still two phrases: deleting one keeps the
// other.
TEST_F(QuickTextTest, DeletingAPhraseKeepsOneThatSharesItsHash)
{
    ASSERT_EQ(Ixa::Base::String("See you on FB").GetHashCode(), Ixa::Base::String("See you on Ea").GetHashCode());
    OpenChat("bob@localhost", "Bob");
    OpenQuickTexts();
    Add("See you on FB");
    Add("See you on Ea");
    ASSERT_EQ((std::vector<std::string>{"See you on FB", "See you on Ea"}), Rows());
    ASSERT_TRUE(app.driver.TapAction(QuickTextListController::ACTION_DELETE));
    ASSERT_TRUE(app.driver.TapRow(1));
    ASSERT_TRUE(app.driver.TapAction(QuickTextListDeleteController::ACTION_DELETE));
    EXPECT_EQ(std::vector<std::string>{"See you on Ea"}, Rows());
}

// However the quick-text list is left, the chat's quick-text mode ends: what was typed for
// one contact never turns up in the input of another's chat.
TEST_F(QuickTextTest, LeavingTheListAnyOtherWayEndsQuickTextMode)
{
    std::unique_ptr<Contact> carol(IMManager::GetContactModel()->CreateContact());
    carol->SetContactId("carol@localhost");
    carol->SetNickName("Carol");
    IMManager::GetContactModel()->SaveOrUpdate(carol.get());

    OpenChat("bob@localhost", "Bob");
    TypeIntoChat("for Bob only");
    OpenQuickTexts();
    IMManager::notifyEvent(EVENT_OPEN_NOTIFIED_CHAT, static_cast<void*>(carol.get()));
    app.driver.PumpUntilIdle();
    EXPECT_EQ("Carol", app.Visible().title);
    EXPECT_EQ("", InputText()) << "a notification tap";

    const std::vector<EVENT_T> endings = {EVENT_CONNECTION_LOST, EVENT_SIGN_OUT_SUCCESS};
    for (EVENT_T ending : endings) {
        OpenChat("bob@localhost", "Bob");
        TypeIntoChat("for Bob only");
        OpenQuickTexts();
        IMManager::notifyEvent(ending);
        app.driver.PumpUntilIdle();
        if (app.driver.FindByActionId(IMScreen::ACTION_CONNECTION_END_OK)) {
            ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_CONNECTION_END_OK));
        }
        ASSERT_EQ("LOGIN_SCREEN", app.Visible().form) << ending;
        IMManager::notifyEvent(EVENT_SIGNED_IN);
        app.driver.PumpUntilIdle();
        OpenChat("carol@localhost", "Carol");
        EXPECT_EQ("", InputText()) << ending;
    }
}

// The keypad lies over the window: the add screen left with it open, here for the chat of a
// tapped notification, takes it along.
TEST_F(QuickTextTest, TheAddScreenLeftWithItsKeypadOpenTakesItAlong)
{
    OpenChat("bob@localhost", "Bob");
    OpenQuickTexts();
    ASSERT_TRUE(app.driver.TapAction(QuickTextListController::ACTION_ADD));
    ASSERT_EQ("QUICK_TEXT_ADD_SCREEN", app.Visible().form);
    ASSERT_TRUE(app.driver.TypeWithKeypad("EditField", "On my way"));
    OpenNotifiedChat("carol@localhost", "Carol");
    ASSERT_EQ("Carol", app.Visible().title);
    EXPECT_FALSE(app.driver.KeypadShows()) << app.driver.Describe();
}

}  // namespace
