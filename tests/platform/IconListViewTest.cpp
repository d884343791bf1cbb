// The emoticon picker's icon grid: it asks only for the icons in view, a tap gives the
// icon's index (and flips its check in the marking style), a drag scrolls without tapping,
// and every icon made is handed back to the provider.
#include "support/ScreenDriver.h"
#include "UiTestApp.h"

#include "platform/AppResource.h"
#include "platform/IconListView.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace Ixa;
using namespace Ixa::Ui::Controls;

namespace {

const char* const Pictures[] = {"angry", "cool", "cry", "devil", "frown", "grin", "heart", "shocked", "slant", "smile",
    "straightface", "tongue", "wince", "wink"};

class IconRecorder : public IIconListViewItemProvider, public IIconListViewItemEventListener {
public:
    int GetItemCount() override { return count; }
    IconListViewItem* CreateItem(int index) override
    {
        const std::string name = std::string("Google/emoticons/round/80/") + Pictures[index % 14] + "_80.png";
        std::unique_ptr<Graphics::Bitmap> bitmap(App::Application::GetAppResource()->GetBitmapN(name.c_str()));
        auto* item = new IconListViewItem;
        const Base::String caption(Pictures[index % 14]);
        EXPECT_EQ(E_SUCCESS, item->Construct(*bitmap, withCaptions ? &caption : nullptr));
        made.insert(index);
        return item;
    }
    bool DeleteItem(int index, IconListViewItem* item) override
    {
        handedBack.insert(index);
        delete item;
        return true;
    }
    void OnIconListViewItemStateChanged(IconListView&, int index, IconListViewItemStatus status) override
    {
        events.push_back(std::to_string(index) + " " + std::to_string(status));
    }

    int count = 14;
    bool withCaptions = false;
    std::set<int> made;
    std::set<int> handedBack;
    std::vector<std::string> events;
};

class IconListViewTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create)); }

    // 464 wide: four cells of 104 to a line; 300 high: the third line is cut.
    IconListView* AddGrid(IconListViewStyle style)
    {
        auto* grid = new IconListView;
        EXPECT_EQ(E_SUCCESS, grid->Construct(Graphics::Rectangle(8, 100, 464, 300), Graphics::Dimension(80, 80), style));
        UiTestApp::Get().form->AddControl(*grid);
        grid->AddIconListViewItemEventListener(recorder);
        grid->SetItemProvider(recorder);
        driver.PumpUntilIdle();
        return grid;
    }

    IconRecorder recorder;
    ScreenDriver driver;
};

TEST_F(IconListViewTest, TappingAnIconGivesItsIndexAndOnlyIconsInViewAreMade)
{
    AddGrid(ICON_LIST_VIEW_STYLE_NORMAL);
    EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), recorder.made);
    EXPECT_NE(std::string::npos, driver.Describe().find("IconListView \"14 icons\"\nIcon 0\nIcon 1\n"));
    ASSERT_TRUE(driver.TapIcon(5));
    ASSERT_TRUE(driver.TapIcon(13));
    ASSERT_TRUE(driver.TapIcon(0));
    EXPECT_EQ((std::vector<std::string>{"5 2", "13 2", "0 2"}), recorder.events);
    EXPECT_EQ(14u, recorder.made.size());
    EXPECT_FALSE(driver.TapIcon(14));
}

TEST_F(IconListViewTest, MarkingStyleFlipsChecksAndADragScrollsWithoutTapping)
{
    IconListView* grid = AddGrid(ICON_LIST_VIEW_STYLE_MARK);
    ASSERT_TRUE(driver.TapIcon(2));
    EXPECT_TRUE(grid->IsItemChecked(2));
    ASSERT_TRUE(driver.TapIcon(2));
    EXPECT_FALSE(grid->IsItemChecked(2));
    const Graphics::Rectangle bounds = Ui::ScreenProbe::WindowBounds(*grid);
    const Graphics::Point start(bounds.x + 60, bounds.y + 250);
    Ui::ScreenProbe::PressAt(start);
    Ui::ScreenProbe::MoveTo(Graphics::Point(start.x, start.y - 200));
    Ui::ScreenProbe::ReleaseAt(Graphics::Point(start.x, start.y - 200));
    driver.PumpUntilIdle();
    EXPECT_EQ((std::vector<std::string>{"2 0", "2 1"}), recorder.events);
    // 14 icons make four lines (416 pixels), so the grid scrolled to its end (116); the
    // four columns are centred, 24 pixels from the left.
    EXPECT_EQ(4, grid->GetItemIndexFromPosition(Graphics::Point(40, 0)));
    EXPECT_EQ(13, grid->GetItemIndexFromPosition(Graphics::Point(140, 299)));
}

TEST_F(IconListViewTest, RefreshesMoveChecksAndEveryIconMadeIsHandedBack)
{
    recorder.withCaptions = true;
    IconListView* grid = AddGrid(ICON_LIST_VIEW_STYLE_MARK);
    EXPECT_NE(std::string::npos, driver.Describe().find("Icon 1 \"cool\""));
    grid->SetItemChecked(3, true);
    recorder.count = 13;
    ASSERT_EQ(E_SUCCESS, grid->RefreshList(0, LIST_REFRESH_TYPE_ITEM_REMOVE));
    EXPECT_TRUE(grid->IsItemChecked(2));
    EXPECT_FALSE(grid->IsItemChecked(3));
    EXPECT_EQ((std::set<int>{0}), recorder.handedBack);
    EXPECT_EQ(E_OUT_OF_RANGE, grid->RefreshList(13, LIST_REFRESH_TYPE_ITEM_MODIFY));
    ASSERT_TRUE(driver.TapIcon(12));
    recorder.made.clear();
    recorder.handedBack.clear();
    UiTestApp::Get().form->RemoveControl(*grid);
    EXPECT_EQ(13u, recorder.handedBack.size());
}

}  // namespace
