// The application's life on the desktop handset: user events in posting order, home key and
// notification entry, resources, settings and device records, screenshots, and a demo screen
// rendered to build/screenshots/demo.png for a person to look at.
#include "support/ScreenDriver.h"
#include "UiTestApp.h"

#include "platform/AppManager.h"
#include "platform/ArrayList.h"
#include "platform/CustomItem.h"
#include "platform/DeviceLog.h"
#include "platform/Frame.h"
#include "platform/FrameWindow.h"
#include "platform/Label.h"
#include "platform/ListView.h"
#include "platform/NotificationManager.h"
#include "platform/Player.h"
#include "platform/Popup.h"
#include "platform/ScreenProbe.h"
#include "platform/ScreenshotRecorder.h"
#include "platform/SettingInfo.h"
#include "platform/StatusClock.h"
#include "platform/Vibrator.h"
#include "platform/VirtualClock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <chrono>
#include <thread>

using namespace Ixa;
using namespace Ixa::Ui::Controls;

namespace {

class AppFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        System::DeviceLog::Clear();
        ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create));
    }

    ScreenDriver driver;
};

TEST_F(AppFrameTest, UserEventsFromWorkerThreadsArriveInPostingOrder)
{
    std::thread worker([] {
        for (int i = 0; i < 50; ++i)
            UiTestApp::Get().SendUserEvent(i, nullptr);
    });
    worker.join();
    driver.PumpUntilIdle();
    std::vector<std::string> expected;
    for (int i = 0; i < 50; ++i)
        expected.push_back(std::to_string(i));
    EXPECT_EQ(expected, UiTestApp::Get().userEvents);
}

TEST_F(AppFrameTest, HomeKeyAndNotificationEntryDriveTheLifeCycle)
{
    App::NotificationManager notifications;
    notifications.Construct();
    driver.Home();
    notifications.Notify(3);
    notifications.NotifyOngoingActivity("bob@example.com : hi", "Notification from Non Buddy:bob@example.com");
    EXPECT_EQ(3, notifications.GetBadgeNumber());
    ASSERT_TRUE(driver.SelectNotification());
    EXPECT_EQ((std::vector<std::string>{"initializing", "foreground", "background", "foreground"}), UiTestApp::Get().calls);
    EXPECT_EQ((std::vector<std::string>{"-65535 notification bob@example.com : hi Notification from Non Buddy:bob@example.com"}),
        UiTestApp::Get().userEvents);
}

// The application's notice in the status strip: listed and tapped as a user sees it, hidden
// behind the ongoing-activity entry while that is shown, and gone once cleared.
TEST_F(AppFrameTest, TheStatusNoticeShowsInTheStripAndAnswersATap)
{
    auto notice = [] {
        for (const Ui::ScreenProbe::Entry& entry : Ui::ScreenProbe::ListEntries()) {
            if (entry.kind == "StatusNotice")
                return entry;
        }
        return Ui::ScreenProbe::Entry{};
    };
    Frame* frame = Frame::GetActiveFrame();
    int taps = 0;
    ASSERT_EQ(E_SUCCESS, frame->SetStatusNotice("Reconnecting\u2026 4 s", [&taps] { ++taps; }));
    EXPECT_EQ("Reconnecting\u2026 4 s", notice().text);
    const Graphics::Rectangle where = notice().bounds;
    EXPECT_EQ(0, where.y);
    ASSERT_TRUE(driver.TapText("Reconnecting\u2026 4 s"));
    EXPECT_EQ(1, taps);

    App::NotificationManager notifications;
    notifications.Construct();
    notifications.NotifyOngoingActivity("bob@example.com : hi", "Notification from Non Buddy:bob@example.com");
    driver.PumpUntilIdle();
    EXPECT_EQ("", notice().kind) << "the ongoing entry takes the place";
    notifications.RemoveOngoingActivityNotification();
    driver.PumpUntilIdle();
    EXPECT_EQ("Reconnecting\u2026 4 s", notice().text);

    ASSERT_EQ(E_SUCCESS, frame->ClearStatusNotice());
    EXPECT_EQ("", notice().kind);
    Ui::ScreenProbe::TapAt(Graphics::Point(where.x + where.width / 2, where.y + where.height / 2));
    driver.PumpUntilIdle();
    EXPECT_EQ(1, taps);
}

TEST_F(AppFrameTest, ResourcesHoldEveryTextAndTheNamedPictures)
{
    App::AppResource* resource = App::Application::GetAppResource();
    Base::String text;
    ASSERT_EQ(E_SUCCESS, resource->GetString("IDS_SIGN_IN", text));
    EXPECT_EQ(Base::String("Sign in"), text);
    EXPECT_EQ(E_OBJ_NOT_FOUND, resource->GetString("IDS_NOT_THERE", text));
    for (const char* name : {"available.png", "02_message_sending.9.png", "Google/emoticons/round/80/angry_80.png", "progressing07_big.png"}) {
        std::unique_ptr<Graphics::Bitmap> bitmap(resource->GetBitmapN(name));
        ASSERT_NE(nullptr, bitmap) << name;
        EXPECT_GT(bitmap->GetWidth(), 0);
    }
    std::unique_ptr<Graphics::Bitmap> bubble(resource->GetBitmapN("02_message_sending.9.png"));
    EXPECT_TRUE(bubble->IsNinePatchedBitmap());
    EXPECT_EQ(nullptr, resource->GetBitmapN("missing.png"));
    EXPECT_EQ(E_OBJ_NOT_FOUND, GetLastResult());
}

class SilentListener : public Media::IPlayerEventListener {
public:
    void OnPlayerOpened(result) override {}
    void OnPlayerEndOfClip() override { ++ended; }
    void OnPlayerBuffering(int) override {}
    void OnPlayerErrorOccurred(Media::PlayerErrorReason) override {}
    void OnPlayerInterrupted() override {}
    void OnPlayerReleased() override {}
    void OnPlayerSeekCompleted(result) override {}
    int ended = 0;
};

TEST_F(AppFrameTest, DevicesAndOtherApplicationsRecordWhatTheyWereAsked)
{
    ASSERT_FALSE(Media::Player::HasSoundDevice()) << "this check expects a machine without sound";
    SilentListener listener;
    Media::Player player;
    player.Construct(listener);
    ASSERT_EQ(E_SUCCESS, player.OpenFile("/Res/msn_newmsg.amr", true));
    ASSERT_EQ(E_SUCCESS, player.Play());
    System::Vibrator vibrator;
    vibrator.Construct();
    vibrator.Start(1000, 0);
    std::unique_ptr<App::AppControl> browser(App::AppManager::FindAppControlN("ixa.appcontrol.BROWSER", "ixa.appcontrol.operation.DEFAULT"));
    ASSERT_NE(nullptr, browser);
    Base::Collection::ArrayList arguments;
    arguments.Add(new Base::String("url:http://example.com"));
    browser->Start(&arguments);
    arguments.RemoveAll(true);
    EXPECT_EQ(nullptr, App::AppManager::FindAppControlN("no.such.provider", "x"));
    driver.PumpUntilIdle();
    EXPECT_EQ(1, listener.ended);
    EXPECT_EQ((std::vector<std::string>{"play /Res/msn_newmsg.amr", "vibrate 1000 0",
                  "appcontrol ixa.appcontrol.BROWSER ixa.appcontrol.operation.DEFAULT url:http://example.com"}),
        System::DeviceLog::GetEntries());

    // A long run keeps only the newest entries.
    for (size_t i = 0; i < System::DeviceLog::MaxEntries; ++i) {
        System::DeviceLog::Record("play " + std::to_string(i));
    }
    const std::vector<std::string> kept = System::DeviceLog::GetEntries();
    ASSERT_EQ(System::DeviceLog::MaxEntries, kept.size());
    EXPECT_EQ("play 0", kept.front());
    EXPECT_EQ("play " + std::to_string(System::DeviceLog::MaxEntries - 1), kept.back());
}

TEST_F(AppFrameTest, SettingsStartFromTheEnvironmentAndTestsMaySetThem)
{
    bool silent = true;
    System::SettingInfo::SetValue("SilentMode", true);
    ASSERT_EQ(E_SUCCESS, System::SettingInfo::GetValue("SilentMode", silent));
    EXPECT_TRUE(silent);
    System::SettingInfo::ResetValues();
    setenv("VELOIM_24HOUR_FORMAT", "1", 1);
    bool twentyFour = false;
    System::SettingInfo::GetValue("24HourFormatSelected", twentyFour);
    unsetenv("VELOIM_24HOUR_FORMAT");
    EXPECT_TRUE(twentyFour);
    EXPECT_EQ(E_OBJ_NOT_FOUND, System::SettingInfo::GetValue("Brightness", silent));
}

// The status strip's clock, on a local time that stands at 10:41:59.5 when the window opens
// and runs on the virtual clock: the strip's own timer turns it over at every minute boundary.
class StatusClockTest : public testing::Test {
protected:
    void SetUp() override
    {
        Ui::StatusClock::SetTimeSource([] {
            Base::DateTime now;
            now.SetValue(2026, 12, 6, 10, 41, 59);
            now.AddMilliseconds(500 + Base::Runtime::VirtualClock::GetTime());
            return now;
        });
        System::SettingInfo::SetValue("24HourFormatSelected", false);
        ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create));
    }

    void TearDown() override
    {
        Ui::StatusClock::SetTimeSource(nullptr);
        System::SettingInfo::ResetValues();
    }

    static std::string Shown() { return Ui::Controls::Frame::GetActiveFrame()->GetWindow().GetClock().GetText().toStdString(); }

    ScreenDriver driver;
};

TEST_F(StatusClockTest, TheClockFollowsTheMinute)
{
    EXPECT_EQ("10:41 AM", Shown());
    driver.AdvanceTime(499);
    EXPECT_EQ("10:41 AM", Shown());
    driver.AdvanceTime(1);
    EXPECT_EQ("10:42 AM", Shown());
    driver.AdvanceTime(78 * 60000);
    EXPECT_EQ("12:00 PM", Shown());
    System::SettingInfo::SetValue("24HourFormatSelected", true);
    EXPECT_EQ("12:00", Shown());
}

// The demo screen: a header, twenty custom rows with pictures and a popup over them.
class DemoRows : public IListViewItemProvider {
public:
    int GetItemCount() override { return 20; }
    ListItemBase* CreateItem(int index, int itemWidth) override
    {
        static const char* const pictures[] = {"available.png", "busy.png", "away.png", "invisible.png"};
        App::AppResource* resource = App::Application::GetAppResource();
        std::unique_ptr<Graphics::Bitmap> avatar(resource->GetBitmapN("no_contacts.png"));
        std::unique_ptr<Graphics::Bitmap> presence(resource->GetBitmapN(pictures[index % 4]));
        auto* item = new CustomItem;
        item->Construct(Graphics::Dimension(itemWidth, 100));
        item->AddElement(Graphics::Rectangle(14, 14, 72, 72), 1, *avatar);
        item->AddElement(Graphics::Rectangle(100, 18, 28, 28), 2, *presence);
        item->AddElement(Graphics::Rectangle(138, 12, itemWidth - 150, 40), 3, Base::String(("Contact " + std::to_string(index + 1)).c_str()), 30,
            Graphics::Color(255, 255, 255), Graphics::Color(255, 255, 255), Graphics::Color(255, 255, 255));
        item->AddElement(Graphics::Rectangle(100, 54, itemWidth - 112, 34), 4, "Out for lunch, back soon", 22,
            Graphics::Color(0x9a, 0xa8, 0xb8), Graphics::Color(255, 255, 255), Graphics::Color(255, 255, 255));
        return item;
    }
    bool DeleteItem(int, ListItemBase* item, int) override
    {
        delete item;
        return true;
    }
};

// Runs the user-interface thread's events for up to `limitMs` of real time (the recorder's
// timers are not on the driver's virtual clock); true once `done` holds.
template <typename Predicate> bool PumpRealTimeUntil(Predicate done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

class DemoTest : public testing::Test {
protected:
    DemoRows rows;
    ScreenDriver driver;
};

TEST_F(DemoTest, FormWithRowsAndPopupIsSavedAsAPicture)
{
    ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create));
    Form& form = *UiTestApp::Get().form;
    auto* list = new ListView;
    const Graphics::Rectangle client = form.GetClientAreaBounds();
    list->Construct(Graphics::Rectangle(0, 0, client.width, client.height));
    form.AddControl(*list);
    list->SetItemProvider(rows);
    Popup popup;
    ASSERT_EQ(E_SUCCESS, popup.Construct(true, Graphics::Dimension(464, 300)));
    popup.SetTitleText("Sign out");
    auto* question = new Label;
    const Graphics::Rectangle area = popup.GetClientAreaBounds();
    question->Construct(Graphics::Rectangle(10, 10, area.width - 20, 100), "Do you want to sign out now?");
    question->SetTextHorizontalAlignment(Ui::ALIGNMENT_CENTER);
    popup.AddControl(*question);
    popup.SetShowState(true);
    driver.PumpUntilIdle();
    const std::string path = std::string(VELOIM_SCREENSHOT_DIR) + "/demo.png";
    QDir().mkpath(QString::fromStdString(VELOIM_SCREENSHOT_DIR));
    ASSERT_TRUE(driver.SaveScreenshot(path));
    EXPECT_GT(QFileInfo(QString::fromStdString(path)).size(), 10000);
    const std::string screen = driver.Describe();
    EXPECT_NE(std::string::npos, screen.find("Popup \"Sign out\""));
    EXPECT_NE(std::string::npos, screen.find("ListRow 0 \"Contact 1 | Out for lunch, back soon\""));
}

TEST_F(DemoTest, ScreenChangesAreSavedWhenAScreenshotDirectoryIsGiven)
{
    const std::string directory = std::string(VELOIM_SCREENSHOT_DIR) + "/run";
    QDir(QString::fromStdString(directory)).removeRecursively();
    ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create, {"--screenshot-dir", directory}));
    const QFileInfo first(QString::fromStdString(directory + "/0001-TEST_FORM.png"));
    EXPECT_TRUE(first.exists());
    EXPECT_GT(first.size(), 1000);

    // A control that changes after the screen change is drawn, then the screen settles: one
    // more picture, named after the form on screen, and none while nothing changes.
    auto* note = new Label;
    note->Construct(Graphics::Rectangle(10, 200, 400, 60), "A message arrived");
    UiTestApp::Get().form->AddControl(*note);
    UiTestApp::Get().form->RequestRedraw();
    const QString second = QString::fromStdString(directory + "/0002-TEST_FORM.png");
    EXPECT_TRUE(PumpRealTimeUntil([&] { return QFileInfo::exists(second); }, 20000));
    EXPECT_FALSE(PumpRealTimeUntil([&] { return QDir(QString::fromStdString(directory)).entryList(QDir::Files).size() > 2; },
        3 * Ui::ScreenshotRecorder::MaxWaitMs));
    EXPECT_EQ(QStringList({"0001-TEST_FORM.png", "0002-TEST_FORM.png"}), QDir(QString::fromStdString(directory)).entryList(QDir::Files, QDir::Name));
}

}  // namespace

namespace {

// The screen change is reported once its paint pass is over, with a time between the launch and
// now; later redraws of the same screen are not reported.
TEST_F(DemoTest, DrawnScreenChangesAreReportedWhenAsked)
{
    const auto now = [] { return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count(); };
    testing::internal::CaptureStdout();
    const double launched = now();
    ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create, {"--report-drawn"}));
    // The window's first paint follows its exposure, which may take real time.
    PumpRealTimeUntil([] { return false; }, 1000);
    auto* note = new Label;
    note->Construct(Graphics::Rectangle(10, 200, 400, 60), "A message arrived");
    UiTestApp::Get().form->AddControl(*note);
    UiTestApp::Get().form->RequestRedraw();
    PumpRealTimeUntil([] { return false; }, 1000);
    const double pumped = now();
    const std::string output = testing::internal::GetCapturedStdout();

    char label[64] = {};
    double drawnAt = 0;
    int consumed = 0;
    ASSERT_EQ(2, std::sscanf(output.c_str(), "drawn %63s %lf\n%n", label, &drawnAt, &consumed)) << output;
    EXPECT_STREQ("TEST_FORM", label);
    EXPECT_LE(launched, drawnAt);
    EXPECT_GE(pumped, drawnAt);
    EXPECT_EQ(output.size(), static_cast<size_t>(consumed)) << output;
}

}  // namespace
