// A message to any address against the local Prosody: the user writes to a slixmpp peer who
// is no buddy by typing its address, the peer gets the message and its answer shows in the
// same conversation, which the same address typed in capitals opens again.
#include "AddContactForm.h"
#include "BuddyListLiveFixture.h"
#include "ChatFixture.h"
#include "VisibleList.h"

#include "app/IMManager.h"
#include "screens/BuddyController.h"
#include "screens/ChatController.h"
#include "screens/SendIMController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

using TestSupport::PeerEvent;

namespace {

class SendIMLiveTest : public BuddyListLiveFixture {
protected:
    void WriteTo(const std::string& address)
    {
        IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
        app_->driver.PumpUntilIdle();
        ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_SEND_IM));
        ASSERT_TRUE(AddContactForm(*app_).TypeInField(address));
        ASSERT_TRUE(app_->driver.TapAction(SendIMController::ACTION_OPEN));
        ASSERT_EQ("CHAT_SCREEN", app_->Visible().form) << app_->driver.Describe();
    }

    bool Shows(const std::vector<std::string>& texts)
    {
        const std::vector<std::string> rows = VisibleListRows();
        if (rows.size() != texts.size()) {
            return false;
        }
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].rfind(texts[row] + " | ", 0) != 0) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(SendIMLiveTest, AChatWithATypedAddressThatIsNoBuddyGoesBothWaysInOneConversation)
{
    const std::string stranger = "cy" + user_.substr(3);
    server_->Register(stranger, Password);
    std::unique_ptr<TestSupport::PeerClient> peer = Online(stranger, "peer");
    SignInAndShowBuddyList();

    WriteTo(Jid(stranger));
    EXPECT_EQ(Jid(stranger), app_->Visible().title);
    ASSERT_TRUE(ChatFixture::TypeIntoChatOf(*app_, "hello from a stranger"));
    ASSERT_TRUE(app_->driver.TapAction(ChatController::ACTION_SEND));
    const std::optional<PeerEvent> received = peer->WaitFor("message", Wait);
    ASSERT_TRUE(received) << peer->Diagnostics();
    EXPECT_EQ("hello from a stranger", (*received)["body"]);
    EXPECT_EQ(0u, (*received)["from"].rfind(Jid(user_) + "/", 0)) << (*received)["from"];

    ExpectDone(*peer, "send " + Jid(user_) + " who is this?");
    EXPECT_TRUE(PumpUntil([this] { return Shows({"hello from a stranger", "who is this?"}); })) << app_->driver.Describe();

    std::string shouted = Jid(stranger);
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), [](unsigned char c) { return std::toupper(c); });
    WriteTo(shouted);
    EXPECT_EQ(Jid(stranger), app_->Visible().title);
    EXPECT_TRUE(Shows({"hello from a stranger", "who is this?"})) << app_->driver.Describe();
    ASSERT_TRUE(ChatFixture::TypeIntoChatOf(*app_, "it's Ann"));
    ASSERT_TRUE(app_->driver.TapAction(ChatController::ACTION_SEND));
    const std::optional<PeerEvent> again = peer->WaitFor("message", Wait);
    ASSERT_TRUE(again);
    EXPECT_EQ("it's Ann", (*again)["body"]);
}

}  // namespace
