// The platform's controls as a user meets them: taps reach the listeners with the right ids,
// lists ask their provider for the rows they show, popups take the touches over the form,
// the keypad overlay opens and closes, and timers follow the virtual clock.
#include "support/ScreenDriver.h"
#include "UiTestApp.h"

#include "platform/ArrayList.h"
#include "platform/Button.h"
#include "platform/CustomItem.h"
#include "platform/EditField.h"
#include "platform/ListContextItem.h"
#include "platform/ListView.h"
#include "platform/Popup.h"
#include "platform/ScrollPanel.h"
#include "platform/Timer.h"
#include "platform/UiTheme.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <set>

using namespace Ixa;
using namespace Ixa::Ui::Controls;

namespace {

class RecordingProvider : public IListViewItemProvider, public IListViewItemEventListener {
public:
    RecordingProvider()
    {
        context.Construct();
        context.AddElement(202, "Details");
        context.AddElement(203, "Delete");
    }

    int GetItemCount() override { return count; }
    ListItemBase* CreateItem(int index, int itemWidth) override
    {
        created.push_back(index);
        auto* item = new CustomItem;
        item->Construct(Graphics::Dimension(itemWidth, 100), index == 3 ? LIST_ANNEX_STYLE_MARK : LIST_ANNEX_STYLE_NORMAL);
        item->AddElement(Graphics::Rectangle(20, 20, 300, 40), 1, Base::String(("Row " + std::to_string(index)).c_str()));
        item->AddElement(Graphics::Rectangle(400, 20, 60, 60), 712, "X");
        item->SetElementSelectionEnabled(712, true);
        item->SetContextItem(&context);
        return item;
    }
    bool DeleteItem(int index, ListItemBase* item, int) override
    {
        deleted.insert(index);
        delete item;
        return true;
    }
    void OnListViewContextItemStateChanged(ListView&, int index, int elementId, ListContextItemStatus) override
    {
        events.push_back("context " + std::to_string(index) + " " + std::to_string(elementId));
    }
    void OnListViewItemStateChanged(ListView&, int index, int elementId, ListItemStatus status) override
    {
        events.push_back("tap " + std::to_string(index) + " " + std::to_string(elementId) + " " + std::to_string(status));
    }
    void OnListViewItemSwept(ListView&, int index, SweepDirection) override { events.push_back("swept " + std::to_string(index)); }

    int count = 0;
    ListContextItem context;
    std::vector<int> created;
    std::set<int> deleted;
    std::vector<std::string> events;
};

class KeypadRecorder : public Ui::IKeypadEventListener, public Ui::ITextEventListener {
public:
    void OnKeypadWillOpen(Ui::Control&) override { events.push_back("will open"); }
    void OnKeypadOpened(Ui::Control&) override { events.push_back("opened"); }
    void OnKeypadClosed(Ui::Control&) override { events.push_back("closed"); }
    void OnKeypadActionPerformed(Ui::Control&, Ui::KeypadAction) override { events.push_back("action"); }
    void OnTextValueChanged(const Ui::Control&) override { events.push_back("text"); }
    void OnTextValueChangeCanceled(const Ui::Control&) override {}
    std::vector<std::string> events;
};

class UiControlsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create)); }

    ListView* AddList(int count)
    {
        provider.count = count;
        auto* list = new ListView;
        const Graphics::Rectangle client = UiTestApp::Get().form->GetClientAreaBounds();
        list->Construct(Graphics::Rectangle(0, 0, client.width, client.height));
        UiTestApp::Get().form->AddControl(*list);
        list->AddListViewItemEventListener(provider);
        list->SetItemProvider(provider);
        driver.PumpUntilIdle();
        return list;
    }

    // Borrowed by the controls, so declared before the driver that ends the application.
    RecordingProvider provider;
    KeypadRecorder recorder;
    ScreenDriver driver;
};

TEST_F(UiControlsTest, HeaderFooterAndBackReachTheListenersWithTheirIds)
{
    EXPECT_TRUE(driver.TapAction(11));
    EXPECT_TRUE(driver.TapAction(22));
    EXPECT_TRUE(driver.TapText("First"));
    const auto back = driver.FindByActionId(Footer::BACK_ACTION_ID);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(Ui::ScreenProbe::Tap(*back));
    EXPECT_EQ((std::vector<int>{11, 22, 21, -1}), UiTestApp::Get().actions);
    EXPECT_NE(std::string::npos, driver.Describe().find("Footer \"First\" #21 (selected)"));
}

TEST_F(UiControlsTest, ListAsksOnlyForTheRowsItShowsAndReportsTapsElementsAndChecks)
{
    AddList(50);
    // A 576-pixel client area shows six rows of 100 pixels.
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5}), provider.created);
    ASSERT_TRUE(driver.TapRow(2));
    ASSERT_TRUE(driver.TapRow(3));
    ASSERT_TRUE(driver.TapRow(3));
    const auto row1 = driver.FindRow(1);
    ASSERT_TRUE(row1.has_value());
    EXPECT_EQ("Row 1 | X", row1->text);
    Ui::ScreenProbe::TapAt(Graphics::Point(row1->bounds.x + 430, row1->bounds.y + 50));
    driver.PumpUntilIdle();
    EXPECT_EQ((std::vector<std::string>{"tap 2 -1 0", "tap 3 -1 2", "tap 3 -1 3", "tap 1 712 0"}), provider.events);
}

TEST_F(UiControlsTest, LongPressShowsTheContextItemWhoseButtonsReportTheirIds)
{
    AddList(10);
    ASSERT_TRUE(driver.TapContextItem(4, 203));
    EXPECT_EQ((std::vector<std::string>{"context 4 203"}), provider.events);
}

TEST_F(UiControlsTest, UpdateListHandsEveryRowBackAndAnEmptyListShowsItsText)
{
    ListView* list = AddList(3);
    list->SetTextOfEmptyList("Nothing here");
    provider.count = 0;
    list->UpdateList();
    EXPECT_EQ((std::set<int>{0, 1, 2}), provider.deleted);
    EXPECT_NE(std::string::npos, driver.Describe().find("ListView \"Nothing here\""));
}

TEST_F(UiControlsTest, PopupTakesTheTouchesOverTheFormUntilItIsClosed)
{
    auto* under = new Button;
    under->Construct(Graphics::Rectangle(40, 200, 400, 80), "Under");
    under->SetActionId(31);
    under->AddActionEventListener(UiTestApp::Get());
    UiTestApp::Get().form->AddControl(*under);
    Popup popup;
    ASSERT_EQ(E_SUCCESS, popup.Construct(true, Graphics::Dimension(464, 500)));
    popup.SetTitleText("Question");
    auto* yes = new Button;
    yes->Construct(Graphics::Rectangle(20, 100, 400, 300), "Yes");
    yes->SetActionId(3011);
    yes->AddActionEventListener(UiTestApp::Get());
    popup.AddControl(*yes);
    popup.SetShowState(true);
    popup.Show();
    driver.PumpUntilIdle();
    EXPECT_NE(std::string::npos, driver.Describe().find("Popup \"Question\""));
    // The popup covers the button under it: a touch there reaches the popup's button.
    Ui::ScreenProbe::TapAt(Graphics::Point(240, 32 + 72 + 240));
    popup.SetShowState(false);
    driver.PumpUntilIdle();
    EXPECT_EQ(std::string::npos, driver.Describe().find("Popup"));
    EXPECT_TRUE(driver.TapAction(31));
    EXPECT_EQ((std::vector<int>{3011, 31}), UiTestApp::Get().actions);
}


TEST_F(UiControlsTest, EditFieldOpensTheKeypadTakesTypingAndReportsCommandButtons)
{
    auto* field = new EditField;
    field->Construct(Graphics::Rectangle(20, 20, 440, 60), EDIT_FIELD_STYLE_NORMAL, INPUT_STYLE_OVERLAY, false, 5);
    field->SetGuideText("Your id");
    field->SetOverlayKeypadCommandButton(Ui::COMMAND_BUTTON_POSITION_LEFT, "Sign in", 101);
    field->AddKeypadEventListener(recorder);
    field->AddTextEventListener(recorder);
    field->AddActionEventListener(UiTestApp::Get());
    UiTestApp::Get().form->AddControl(*field);
    driver.PumpUntilIdle();
    ASSERT_TRUE(driver.OpenKeypad(Ui::ScreenProbe::Entry{"EditField", "", -1, -1, true, false, Ui::ScreenProbe::WindowBounds(*field), field}));
    EXPECT_TRUE(field->IsKeypadOpened());
    driver.Type("abcdefg");
    EXPECT_EQ(Base::String("abcde"), field->GetText());
    EXPECT_TRUE(driver.TapText("Sign in"));
    EXPECT_TRUE(driver.CloseKeypad());
    EXPECT_FALSE(field->IsKeypadOpened());
    EXPECT_EQ((std::vector<std::string>{"will open", "opened", "text", "closed"}), recorder.events);
    EXPECT_EQ((std::vector<int>{101}), UiTestApp::Get().actions);
}

// The keypad lies over the window: the form closes it for its own field, and a field deleted
// with it open takes it along without telling its listeners, which may be going too.
TEST_F(UiControlsTest, TheFormClosesItsFieldsKeypadAndADeletedFieldTakesItQuietly)
{
    auto* field = new EditField;
    field->Construct(Graphics::Rectangle(20, 20, 440, 60));
    field->AddKeypadEventListener(recorder);
    UiTestApp::Get().form->AddControl(*field);
    driver.PumpUntilIdle();
    const Ui::ScreenProbe::Entry entry{"EditField", "", -1, -1, true, false, Ui::ScreenProbe::WindowBounds(*field), field};
    ASSERT_TRUE(driver.OpenKeypad(entry));
    UiTestApp::Get().form->CloseKeypad();
    EXPECT_FALSE(driver.KeypadShows());
    EXPECT_EQ((std::vector<std::string>{"will open", "opened", "closed"}), recorder.events);

    ASSERT_TRUE(driver.OpenKeypad(entry));
    ASSERT_TRUE(driver.KeypadShows());
    recorder.events.clear();
    ASSERT_EQ(E_SUCCESS, UiTestApp::Get().form->RemoveControl(*field));
    driver.PumpUntilIdle();
    EXPECT_FALSE(driver.KeypadShows());
    EXPECT_TRUE(recorder.events.empty()) << recorder.events.front();
}

class CountingTimerListener : public Base::Runtime::ITimerEventListener {
public:
    void OnTimerExpired(Base::Runtime::Timer&) override { ++expiries; }
    int expiries = 0;
};

// A panel of buttons taller than the screen: a finger dragged up from a button scrolls the
// panel by as far as it moved, and the button neither stays pressed nor fires; a tap still
// fires it.
TEST_F(UiControlsTest, AScrollPanelFollowsAFingerDraggedFromAButtonAndTheButtonDoesNotFire)
{
    auto* panel = new ScrollPanel;
    ASSERT_EQ(E_SUCCESS, panel->Construct(Graphics::Rectangle(0, 0, 480, 400)));
    UiTestApp::Get().form->AddControl(*panel);
    std::vector<Button*> buttons;
    for (int i = 0; i < 10; ++i) {
        auto* button = new Button;
        button->Construct(Graphics::Rectangle(0, i * 100, 480, 90), Base::String(("Row " + std::to_string(i)).c_str()));
        button->SetActionId(100 + i);
        button->AddActionEventListener(UiTestApp::Get());
        panel->AddControl(*button);
        buttons.push_back(button);
    }
    driver.PumpUntilIdle();

    const Graphics::Rectangle second = Ui::ScreenProbe::WindowBounds(*buttons[1]);
    const Graphics::Point start(second.x + second.width / 2, second.y + second.height / 2);
    ASSERT_TRUE(Ui::ScreenProbe::PressAt(start));
    for (int step = 1; step <= 15; ++step) {
        ASSERT_TRUE(Ui::ScreenProbe::MoveTo(Graphics::Point(start.x, start.y - 10 * step)));
    }
    ASSERT_TRUE(Ui::ScreenProbe::ReleaseAt(Graphics::Point(start.x, start.y - 150)));
    driver.PumpUntilIdle();
    EXPECT_EQ(150, panel->GetScrollPosition());
    EXPECT_TRUE(UiTestApp::Get().actions.empty());
    EXPECT_EQ(0, ScreenDriver::CountColourPixels(Ui::ScreenProbe::WindowBounds(*buttons[1])))
        << "the button is drawn pressed";

    // A small slip of the finger is still a tap.
    const Graphics::Rectangle fourth = Ui::ScreenProbe::WindowBounds(*buttons[4]);
    const Graphics::Point tap(fourth.x + fourth.width / 2, fourth.y + fourth.height / 2);
    ASSERT_TRUE(Ui::ScreenProbe::PressAt(tap));
    ASSERT_TRUE(Ui::ScreenProbe::MoveTo(Graphics::Point(tap.x, tap.y - 5)));
    ASSERT_TRUE(Ui::ScreenProbe::ReleaseAt(Graphics::Point(tap.x, tap.y - 5)));
    driver.PumpUntilIdle();
    EXPECT_EQ(150, panel->GetScrollPosition());
    EXPECT_EQ(std::vector<int>{104}, UiTestApp::Get().actions);
}

TEST_F(UiControlsTest, UserInterfaceTimersFollowTheVirtualClock)
{
    CountingTimerListener listener;
    Base::Runtime::Timer timer;
    ASSERT_EQ(E_SUCCESS, timer.Construct(listener));
    ASSERT_EQ(E_SUCCESS, timer.Start(60000));
    driver.AdvanceTime(59999);
    EXPECT_EQ(0, listener.expiries);
    driver.AdvanceTime(1);
    EXPECT_EQ(1, listener.expiries);
}

}  // namespace

namespace {

// Whether `label` drawn at `size` on lines broken between words fits a `width` by `height` box.
bool LabelFits(const QString& label, int size, int width, int height)
{
    const QFontMetrics metrics(Ixa::Ui::UiTheme::Font(size));
    for (const QString& word : label.split(' ', Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > width) {
            return false;
        }
    }
    return metrics.boundingRect(QRect(0, 0, width, 10 * height), Qt::TextWordWrap, label).height() <= height;
}

}  // namespace

// A context button too narrow for its label on one line (four buttons across a row) breaks
// it between words and shrinks it only as far as it must, so no word is cut; a short label
// keeps the row's small text size.
TEST(ContextLabelTest, ALongLabelWrapsBetweenWordsAndShrinksOnlyAsFarAsItMust)
{
    using Ixa::Ui::Controls::RowListBase;
    constexpr int Width = 480 / 4 - 12 - 8;
    constexpr int Height = 100 - 28 - 8;
    for (const char* label : {"End conversation", "Save conversation", "Unblock"}) {
        const int size = RowListBase::ContextLabelSize(label, Width, Height);
        EXPECT_TRUE(LabelFits(label, size, Width, Height)) << label << " at " << size;
        EXPECT_LE(size, Ixa::Ui::UiTheme::SmallTextSize);
        if (size < Ixa::Ui::UiTheme::SmallTextSize) {
            EXPECT_FALSE(LabelFits(label, size + 1, Width, Height)) << label << " could be larger than " << size;
        }
    }
    EXPECT_EQ(Ixa::Ui::UiTheme::SmallTextSize, RowListBase::ContextLabelSize("Block", Width, Height));
}
