// The buddy list's search bar: touching its field starts a search (input mode, keypad, the
// results shown over the form), typing reports every change in order with the bar as the
// source, cancel goes back and uncovers the form, and the program's own changes are silent.
#include "support/ScreenDriver.h"
#include "UiTestApp.h"

#include "platform/Button.h"
#include "platform/ISearchBarEventListener.h"
#include "platform/ListView.h"
#include "platform/SearchBar.h"
#include "platform/SimpleItem.h"

#include <gtest/gtest.h>

using namespace Ixa;
using namespace Ixa::Ui::Controls;

namespace {

class SearchRecorder : public ISearchBarEventListener,
                       public Ui::ITextEventListener,
                       public Ui::IKeypadEventListener,
                       public IListViewItemProvider,
                       public IListViewItemEventListener {
public:
    void OnSearchBarModeChanged(SearchBar& source, SearchBarMode mode) override
    {
        events.push_back("mode " + std::to_string(mode) + (&source == bar ? "" : " elsewhere"));
    }
    void OnTextValueChanged(const Ui::Control& source) override
    {
        events.push_back("text " + bar->GetText().ToUtf8() + (&source == bar ? "" : " elsewhere"));
    }
    void OnTextValueChangeCanceled(const Ui::Control&) override { events.push_back("text cancelled"); }
    void OnKeypadWillOpen(Ui::Control&) override { events.push_back("will open"); }
    void OnKeypadOpened(Ui::Control&) override { events.push_back("opened"); }
    void OnKeypadClosed(Ui::Control&) override { events.push_back("closed"); }
    void OnKeypadActionPerformed(Ui::Control& source, Ui::KeypadAction action) override
    {
        events.push_back("action " + std::to_string(action) + (&source == bar ? "" : " elsewhere"));
    }
    int GetItemCount() override { return 3; }
    ListItemBase* CreateItem(int index, int itemWidth) override
    {
        auto* item = new SimpleItem;
        item->Construct(Graphics::Dimension(itemWidth, 100));
        item->SetElement(Base::String(("Result " + std::to_string(index)).c_str()));
        return item;
    }
    bool DeleteItem(int, ListItemBase*, int) override { return false; }
    void OnListViewContextItemStateChanged(ListView&, int, int, ListContextItemStatus) override {}
    void OnListViewItemStateChanged(ListView&, int index, int, ListItemStatus) override { events.push_back("result " + std::to_string(index)); }
    void OnListViewItemSwept(ListView&, int, SweepDirection) override {}

    SearchBar* bar = nullptr;
    std::vector<std::string> events;
};

class SearchBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create));
        Form& form = *UiTestApp::Get().form;
        under = new Button;
        under->Construct(Graphics::Rectangle(40, 300, 400, 80), "Under");
        under->SetActionId(31);
        under->AddActionEventListener(UiTestApp::Get());
        form.AddControl(*under);
        bar = new SearchBar;
        ASSERT_EQ(E_SUCCESS, bar->Construct(Graphics::Rectangle(0, 0, 480, 86)));
        form.AddControl(*bar);
        bar->SetGuideText("Search");
        results = new ListView;
        results->Construct(Graphics::Rectangle(0, 0, 480, 400));
        results->AddListViewItemEventListener(recorder);
        results->SetItemProvider(recorder);
        ASSERT_EQ(E_SUCCESS, bar->SetContent(results));
        recorder.bar = bar;
        bar->AddSearchBarEventListener(recorder);
        bar->AddTextEventListener(recorder);
        bar->AddKeypadEventListener(recorder);
        driver.PumpUntilIdle();
    }

    bool Shows(const std::string& line) const { return driver.Describe().find(line) != std::string::npos; }

    SearchRecorder recorder;
    ScreenDriver driver;
    Button* under = nullptr;
    SearchBar* bar = nullptr;
    ListView* results = nullptr;
};

TEST_F(SearchBarTest, TouchingTheFieldStartsASearchAndEveryChangeIsReportedInOrder)
{
    EXPECT_TRUE(Shows("SearchBar\n"));
    EXPECT_FALSE(Shows("Result 0"));
    ASSERT_TRUE(driver.TypeInSearchBar("al"));
    ASSERT_TRUE(driver.Type("i"));
    ASSERT_TRUE(driver.TapText("Done"));
    EXPECT_EQ((std::vector<std::string>{"mode 1", "will open", "opened", "text al", "text ali", "action 4"}), recorder.events);
    EXPECT_EQ(SEARCH_BAR_MODE_INPUT, bar->GetMode());
    EXPECT_TRUE(bar->IsKeypadOpened());
    EXPECT_TRUE(Shows("SearchBar \"ali\" (selected)"));
    EXPECT_TRUE(Shows("ListRow 0 \"Result 0\""));
    // The content area reaches from the bar to the bottom of the form's client area.
    EXPECT_EQ(Graphics::Rectangle(0, 86, 480, 576 - 86), bar->GetContentAreaBounds());
}

TEST_F(SearchBarTest, ResultsCoverTheFormUntilCancelEndsTheSearch)
{
    ASSERT_TRUE(driver.TypeInSearchBar("b"));
    recorder.events.clear();
    // The button under the results is covered: the touch reaches the result row there.
    Ui::ScreenProbe::TapAt(Graphics::Point(240, Ui::ScreenProbe::WindowBounds(*under).y + 40));
    driver.PumpUntilIdle();
    EXPECT_TRUE(UiTestApp::Get().actions.empty());
    ASSERT_TRUE(driver.CancelSearch());
    EXPECT_EQ((std::vector<std::string>{"result 2", "closed", "mode 0"}), recorder.events);
    EXPECT_FALSE(Shows("Result 0"));
    // The program clears the text itself when the search ends.
    EXPECT_EQ(Base::String("b"), bar->GetText());
    EXPECT_TRUE(driver.TapAction(31));
    EXPECT_EQ((std::vector<int>{31}), UiTestApp::Get().actions);
    EXPECT_FALSE(driver.CancelSearch());
}

TEST_F(SearchBarTest, ChangesMadeByTheProgramAreSilent)
{
    ASSERT_EQ(E_SUCCESS, bar->SetMode(SEARCH_BAR_MODE_INPUT));
    ASSERT_EQ(E_SUCCESS, bar->SetText("carol"));
    driver.PumpUntilIdle();
    EXPECT_TRUE(Shows("SearchBar \"carol\" (selected)"));
    EXPECT_TRUE(Shows("ListRow 2 \"Result 2\""));
    ASSERT_EQ(E_SUCCESS, bar->Clear());
    ASSERT_EQ(E_SUCCESS, bar->SetMode(SEARCH_BAR_MODE_NORMAL));
    driver.PumpUntilIdle();
    EXPECT_EQ(0, bar->GetTextLength());
    EXPECT_TRUE(recorder.events.empty());
    auto* other = new ListView;
    EXPECT_EQ(E_INVALID_ARG, bar->SetContent(bar));
    ASSERT_EQ(E_SUCCESS, bar->SetContent(other));
    EXPECT_EQ(other, bar->GetContent());
}

}  // namespace
