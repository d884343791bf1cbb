// Events on their way to the screens: reports and model updates posted from worker threads
// reach the visible screen on the user-interface thread in posting order, a shared model
// update reaches every subscribed screen and is freed once, model updates never wait for a
// dispatch and arrive in batches, and a report that a screen does not handle gets the
// framework's default popup.
#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "app/IMScreen.h"
#include "app/ModelNotification.h"
#include "app/ModelResponseImpl.h"
#include "app/ScreenStates.h"
#include "platform/ArrayList.h"
#include "platform/Header.h"
#include "platform/Integer.h"
#include "store/ContactModel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// A screen that records what reaches it.
class RecordingScreen : public IMScreen {
public:
    bool Initialize() override
    {
        ++initialised;
        Construct(Ixa::Ui::Controls::FORM_STYLE_HEADER);
        SetName("RECORDING");
        return true;
    }
    void updateScreen() override { ++updated; }
    IMController* getController() override { return &controller; }
    IMModel* getModel() override { return nullptr; }
    bool handleEvent(EVENT_T event) override
    {
        handled.push_back(event);
        return handles;
    }
    void setModelDependency() override
    {
        cleanModelList();
        thisViewDependsOnModel(IMManager::GetContactModel());
    }
    void InitializeAndShowPopup(int kind, const Ixa::Base::String& text) override
    {
        popupTexts.push_back(text.ToUtf8());
        IMScreen::InitializeAndShowPopup(kind, text);
    }
    void onModelUpdate(void* data) override
    {
        const auto* notification = static_cast<const ModelNotification*>(data);
        const auto* contact = static_cast<const Contact*>(notification->getNotificationData());
        updates.push_back(std::to_string(notification->getNotificationType()) + " " + (contact != nullptr ? contact->GetContactId().ToUtf8() : "-"));
        updateThreads.push_back(std::this_thread::get_id());
    }
    using IMScreen::onModelUpdate;
    void onModelUpdates(std::vector<ModelNotification>& batch) override
    {
        batches.push_back(batch.size());
        IMScreen::onModelUpdates(batch);
    }

    class Controller : public IMController {
    public:
        void processAction(const Control&, int, IMView*) override {}
        void processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) override {}
    } controller;
    int initialised = 0;
    int updated = 0;
    bool handles = false;
    std::vector<EVENT_T> handled;
    std::vector<std::string> popupTexts;
    std::vector<std::string> updates;
    std::vector<std::thread::id> updateThreads;
    std::vector<size_t> batches;
};

class RecordingFactory : public ScreenFactory {
public:
    IMScreen* createScreen(int screenId) override
    {
        auto* screen = new RecordingScreen;
        made[screenId] = screen;
        return screen;
    }
    std::map<int, RecordingScreen*> made;
};

class DispatchTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.Launched()); }

    RecordingScreen& Login() { return *factory.made.at(SCREEN_LOGIN); }

    static Ixa::Base::Collection::ArrayList* Report(int code, const std::string& text)
    {
        auto* list = new Ixa::Base::Collection::ArrayList;
        list->Construct(10);
        list->Add(new Ixa::Base::Integer(code));
        list->Add(new Ixa::Base::String(text.c_str()));
        return list;
    }

    RecordingFactory factory;
    AppUnderTest app{&factory};
};

TEST_F(DispatchTest, ReportsFromSeveralWorkerThreadsArriveInPostingOrder)
{
    std::mutex postedLock;
    std::vector<std::string> posted;
    std::vector<std::thread> workers;
    for (int worker = 0; worker < 4; ++worker) {
        workers.emplace_back([&, worker] {
            for (int i = 0; i < 40; ++i) {
                const std::string text = "worker " + std::to_string(worker) + " report " + std::to_string(i);
                // The notification lock orders the posts; recording under it gives their order.
                IMManager::acquireNotificationLock();
                {
                    std::lock_guard<std::mutex> guard(postedLock);
                    posted.push_back(text);
                }
                IMManager::notifyEvent(EVENT_SIGN_IN_ERROR, Report(i, text));
                IMManager::releaseNotificationLock();
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    app.driver.PumpUntilIdle();
    EXPECT_EQ(posted, Login().popupTexts);
    EXPECT_TRUE(app.PopupShows(posted.back()));
}

TEST_F(DispatchTest, SharedModelUpdateReachesEverySubscribedScreenOnTheUserInterfaceThread)
{
    IMManager::notifyEvent(EVENT_SIGNED_IN);
    app.driver.PumpUntilIdle();
    ASSERT_EQ(1u, factory.made.count(SCREEN_BUDDY_LIST));
    ModelResponseImpl* models = ModelResponseImpl::GetInstance();
    std::thread worker([models] {
        models->OnAllPresenceReceived();
        Contact* contact = IMManager::GetContactModel()->CreateContact();
        contact->SetContactId("ann@example.com");
        models->OnContactUpdated(contact);
    });
    worker.join();
    app.driver.PumpUntilIdle();
    const std::vector<std::string> expected = {"2901 -", "2899 ann@example.com", "2904 -"};
    for (RecordingScreen* screen : {factory.made.at(SCREEN_LOGIN), factory.made.at(SCREEN_BUDDY_LIST)}) {
        EXPECT_EQ(expected, screen->updates);
        for (std::thread::id thread : screen->updateThreads) {
            EXPECT_EQ(std::this_thread::get_id(), thread);
        }
    }
}

// A dispatch holds the notification lock while the screens work; the engine's threads go on
// changing the models meanwhile, and the screens take the whole burst in one batch afterwards.
TEST_F(DispatchTest, ModelUpdatesNeverWaitForADispatchAndArriveAsOneBatch)
{
    ModelResponseImpl* models = ModelResponseImpl::GetInstance();
    std::thread([models] { models->OnAllPresenceReceived(); }).join();
    app.driver.PumpUntilIdle();
    Login().updates.clear();
    Login().batches.clear();
    IMManager::acquireNotificationLock();
    std::packaged_task<void()> burst([models] {
        for (int i = 0; i < 50; ++i) {
            Contact* contact = IMManager::GetContactModel()->CreateContact();
            contact->SetContactId(IMString(("c" + std::to_string(i) + "@example.com").c_str()));
            models->OnContactUpdated(contact);
        }
    });
    std::future<void> done = burst.get_future();
    std::thread worker(std::move(burst));
    // Only a worker stuck behind the lock makes this wait run out.
    const bool finished = done.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    IMManager::releaseNotificationLock();
    worker.join();
    EXPECT_TRUE(finished) << "the worker waited for the dispatch";
    app.driver.PumpUntilIdle();
    EXPECT_EQ(std::vector<size_t>{100}, Login().batches);
    ASSERT_EQ(100u, Login().updates.size());
    EXPECT_EQ("2899 c0@example.com", Login().updates.front());
    EXPECT_EQ("2899 c49@example.com", Login().updates[98]);
    EXPECT_EQ("2904 -", Login().updates.back());
}

TEST_F(DispatchTest, SecondActivationRefreshesInsteadOfInitialising)
{
    IMManager::notifyEvent(EVENT_SIGNED_IN);
    app.driver.PumpUntilIdle();
    IMManager::notifyEvent(EVENT_SHOW_LOGIN);
    app.driver.PumpUntilIdle();
    EXPECT_EQ(1, Login().initialised);
    EXPECT_EQ(1, Login().updated);
    EXPECT_EQ("RECORDING", app.Visible().form);
}

TEST_F(DispatchTest, HandledReportGetsNoDefaultPopup)
{
    Login().handles = true;
    IMManager::notifyEvent(EVENT_SERVER_ERROR);
    app.driver.PumpUntilIdle();
    EXPECT_EQ(std::vector<EVENT_T>{EVENT_SERVER_ERROR}, Login().handled);
    EXPECT_TRUE(Login().popupTexts.empty());
}

TEST_F(DispatchTest, EventsAfterExitingAreDropped)
{
    IMManager::SetAppExitingStatus(true);
    IMManager::notifyEvent(EVENT_SIGN_IN_ERROR, Report(1, "late"));
    IMManager::notifyEvent(EVENT_SIGNED_IN);
    app.driver.PumpUntilIdle();
    IMManager::SetAppExitingStatus(false);
    EXPECT_TRUE(Login().popupTexts.empty());
    EXPECT_EQ(STATE_LOGIN, IMManager::GetScreenStatesObj()->getState());
}

// The default reactions, as the application's own screens (which handle nothing) show them.
class DefaultPopupTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.Launched()); }

    void Report(EVENT_T event, const char* text)
    {
        auto* list = new Ixa::Base::Collection::ArrayList;
        list->Construct(10);
        list->Add(new Ixa::Base::Integer(-1));
        list->Add(new Ixa::Base::String(text));
        IMManager::notifyEvent(event, list);
        app.driver.PumpUntilIdle();
    }

    AppUnderTest app;
};

TEST_F(DefaultPopupTest, UnhandledReportsShowTheirPopups)
{
    IMManager::notifyEvent(EVENT_SERVER_ERROR);
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("Server error.   "));
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));
    EXPECT_FALSE(app.PopupShows("Server error."));
    Report(EVENT_SIGN_IN_ERROR, "");
    EXPECT_TRUE(app.PopupShows("Sign-in failed. Please try again."));
    Report(EVENT_SIGN_IN_ERROR, "Wrong password");
    EXPECT_TRUE(app.PopupShows("Wrong password"));
    std::filesystem::create_directories(VELOIM_SCREENSHOT_DIR);
    app.driver.SaveScreenshot(std::string(VELOIM_SCREENSHOT_DIR) + "/veloim-info-popup.png");
    EXPECT_FALSE(app.PopupShows("Sign-in failed.")) << "a new popup of a kind replaces the old one";
}

TEST_F(DefaultPopupTest, SubscriptionQuestionNamesTheAskingUser)
{
    Report(EVENT_SUBSCRIPTION_REQUEST, "bob@example.com");
    EXPECT_TRUE(app.PopupShows("Allow bob@example.com to add you as a friend?"));
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_QUESTION_NO));
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(app.PopupShows("bob@example.com"));
}

TEST_F(DefaultPopupTest, ConnectionLostInTheBackgroundShowsOnReturnAndLeadsToSignIn)
{
    IMManager::notifyEvent(EVENT_SIGNED_IN);
    app.driver.PumpUntilIdle();
    app.driver.Home();
    IMManager::notifyEvent(EVENT_CONNECTION_LOST);
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(app.PopupShows("The connection to the server was lost."));
    app.driver.Home();
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("The connection to the server was lost."));
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_CONNECTION_END_OK));
    app.driver.PumpUntilIdle();
    EXPECT_EQ("LOGIN_SCREEN", app.Visible().form);
    EXPECT_FALSE(app.PopupShows("The connection to the server was lost."));
}

}  // namespace
