// The popup lifetime rule: one popup per kind, a popup closed from its own button's callback
// is deleted only once that callback has returned, and whatever a keeper holds goes with it.
// The popups' buttons are tapped the way a user taps them, on the running application.
#include "support/AppUnderTest.h"

#include "app/PopupBuilder.h"
#include "app/PopupKeeper.h"

#include "platform/Button.h"
#include "platform/IActionEventListener.h"
#include "platform/Popup.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr int FirstKind = 1;
constexpr int SecondKind = 2;
constexpr int CloseAction = 4101;
constexpr int OtherAction = 4102;

// A popup that says when it is deleted; its one button reports to `listener`.
class TrackedPopup : public Ixa::Ui::Controls::Popup {
public:
    TrackedPopup(bool& deleted, int actionId, const char* text, Ixa::Ui::IActionEventListener& listener)
        : deleted_(deleted)
    {
        Construct(false, Ixa::Graphics::Dimension(PopupBuilder::WIDTH, 200));
        auto* button = new Ixa::Ui::Controls::Button;
        button->Construct(Ixa::Graphics::Rectangle(10, 10, 300, 72), text);
        button->SetActionId(actionId);
        button->AddActionEventListener(listener);
        AddControl(*button);
    }
    ~TrackedPopup() override { deleted_ = true; }

private:
    bool& deleted_;
};

class Listener : public Ixa::Ui::IActionEventListener {
public:
    void OnActionPerformed(const Ixa::Ui::Control&, int actionId) override
    {
        if (onAction) {
            onAction(actionId);
        }
    }
    std::function<void(int)> onAction;
};

class PopupKeeperTest : public testing::Test {
protected:
    std::unique_ptr<Ixa::Ui::Controls::Popup> Tracked(bool& deleted, int actionId, const char* text)
    {
        return std::make_unique<TrackedPopup>(deleted, actionId, text, listener);
    }

    AppUnderTest app;
    Listener listener;
};

TEST_F(PopupKeeperTest, APopupClosedFromItsOwnButtonGoesOnlyAfterTheCallbackAndTheNextOneShows)
{
    ASSERT_TRUE(app.Launched());
    PopupKeeper keeper;
    bool firstDeleted = false;
    bool secondDeleted = false;
    bool deletedDuringCallback = true;
    listener.onAction = [&](int actionId) {
        if (actionId != CloseAction) {
            return;
        }
        keeper.Close(FirstKind);
        // A callback that answers one question and asks the next, as a queue of requests does.
        keeper.Show(SecondKind, Tracked(secondDeleted, OtherAction, "Second question"));
        deletedDuringCallback = firstDeleted;
    };
    keeper.Show(FirstKind, Tracked(firstDeleted, CloseAction, "First question"));
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("First question"));

    ASSERT_TRUE(app.driver.TapAction(CloseAction));
    EXPECT_FALSE(deletedDuringCallback);
    EXPECT_TRUE(firstDeleted) << "set aside, then deleted once the loop ran again";
    EXPECT_FALSE(keeper.Has(FirstKind));
    EXPECT_FALSE(app.PopupShows("First question"));
    EXPECT_TRUE(app.PopupShows("Second question"));
    EXPECT_FALSE(secondDeleted);
}

TEST_F(PopupKeeperTest, OnePopupPerKindAndTheKeeperTakesWhatItHoldsWithIt)
{
    ASSERT_TRUE(app.Launched());
    auto keeper = std::make_unique<PopupKeeper>();
    bool olderDeleted = false;
    bool newerDeleted = false;
    bool closedDeleted = false;
    keeper->Show(FirstKind, Tracked(olderDeleted, CloseAction, "Older"));
    Ixa::Ui::Controls::Popup* newer = keeper->Show(FirstKind, Tracked(newerDeleted, CloseAction, "Newer"));
    EXPECT_EQ(newer, keeper->Find(FirstKind));
    EXPECT_FALSE(app.PopupShows("Older"));
    EXPECT_TRUE(app.PopupShows("Newer"));
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(olderDeleted);
    EXPECT_FALSE(newerDeleted);

    // One popup showing and one set aside when the owner goes: both go with the keeper, and
    // the clean-up already posted finds nothing left to touch.
    keeper->Show(SecondKind, Tracked(closedDeleted, OtherAction, "Closed"));
    EXPECT_TRUE(keeper->Close(SecondKind));
    EXPECT_FALSE(keeper->Close(SecondKind));
    keeper.reset();
    EXPECT_TRUE(newerDeleted);
    EXPECT_TRUE(closedDeleted);
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(app.PopupShows("Newer"));
}

TEST_F(PopupKeeperTest, TheQuestionAsksWithYesAndNo)
{
    ASSERT_TRUE(app.Launched());
    PopupKeeper keeper;
    int answered = 0;
    listener.onAction = [&](int actionId) {
        answered = actionId;
        keeper.Close(FirstKind);
    };
    keeper.Show(FirstKind, PopupBuilder::Question("Allow Ann to add you?", CloseAction, OtherAction, listener));
    EXPECT_TRUE(app.PopupShows("Allow Ann to add you?"));
    EXPECT_TRUE(app.PopupShows("Yes"));
    EXPECT_TRUE(app.PopupShows("No"));
    ASSERT_TRUE(app.driver.TapAction(OtherAction));
    EXPECT_EQ(OtherAction, answered);
    EXPECT_FALSE(app.PopupShows("Allow Ann to add you?"));
}

}  // namespace
