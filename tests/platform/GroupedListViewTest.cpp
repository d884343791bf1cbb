// The grouped list as a user and a screen meet it: the provider is asked for counts and for
// the rows in view with the right group and item indexes, headers fold and unfold their
// group, taps, elements, checks and context items report their group and item, refreshes
// show new data and hand old rows back, and every row made is handed back in the end.
#include "support/ScreenDriver.h"
#include "UiTestApp.h"

#include "platform/CustomItem.h"
#include "platform/GroupedListView.h"
#include "platform/ListContextItem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <set>

using namespace Ixa;
using namespace Ixa::Ui::Controls;

namespace {

std::string Key(int group, int item) { return std::to_string(group) + "." + std::to_string(item); }

class GroupedRecorder : public IGroupedListViewItemProvider, public IGroupedListViewItemEventListener {
public:
    GroupedRecorder()
    {
        context.Construct();
        context.AddElement(202, "Details");
        context.AddElement(203, "Delete");
    }

    int GetGroupCount() override
    {
        calls.push_back("groups");
        return static_cast<int>(names.size());
    }
    int GetItemCount(int groupIndex) override
    {
        calls.push_back("items " + std::to_string(groupIndex));
        return static_cast<int>(names[static_cast<size_t>(groupIndex)].size()) - 1;
    }
    GroupItem* CreateGroupItem(int groupIndex, int itemWidth) override
    {
        calls.push_back("header " + std::to_string(groupIndex));
        auto* item = new GroupItem;
        item->Construct(Graphics::Dimension(itemWidth, 56));
        item->SetElement(Base::String(names[static_cast<size_t>(groupIndex)][0].c_str()));
        made.insert(Key(groupIndex, -1));
        return item;
    }
    ListItemBase* CreateItem(int groupIndex, int itemIndex, int itemWidth) override
    {
        calls.push_back("item " + Key(groupIndex, itemIndex));
        auto* item = new CustomItem;
        item->Construct(Graphics::Dimension(itemWidth, 100), groupIndex == checkGroup ? LIST_ANNEX_STYLE_MARK : LIST_ANNEX_STYLE_NORMAL);
        item->AddElement(Graphics::Rectangle(20, 20, 300, 40), 1, Base::String(names[static_cast<size_t>(groupIndex)][static_cast<size_t>(itemIndex) + 1].c_str()));
        item->AddElement(Graphics::Rectangle(330, 20, 60, 60), 712, "X");
        item->SetElementSelectionEnabled(712, true);
        item->SetContextItem(&context);
        made.insert(Key(groupIndex, itemIndex));
        return item;
    }
    bool DeleteGroupItem(int groupIndex, GroupItem* item, int) override
    {
        handedBack.insert(Key(groupIndex, -1));
        delete item;
        return true;
    }
    bool DeleteItem(int groupIndex, int itemIndex, ListItemBase* item, int) override
    {
        handedBack.insert(Key(groupIndex, itemIndex));
        delete item;
        return true;
    }
    void OnGroupedListViewContextItemStateChanged(GroupedListView&, int groupIndex, int itemIndex, int elementId, ListContextItemStatus) override
    {
        events.push_back("context " + Key(groupIndex, itemIndex) + " " + std::to_string(elementId));
    }
    void OnGroupedListViewItemStateChanged(GroupedListView&, int groupIndex, int itemIndex, int elementId, ListItemStatus status) override
    {
        events.push_back("tap " + Key(groupIndex, itemIndex) + " " + std::to_string(elementId) + " " + std::to_string(status));
    }
    void OnGroupedListViewItemSwept(GroupedListView&, int groupIndex, int itemIndex, SweepDirection) override
    {
        events.push_back("swept " + Key(groupIndex, itemIndex));
    }

    // Each group: its header text, then its items' texts.
    std::vector<std::vector<std::string>> names;
    int checkGroup = -1;
    ListContextItem context;
    std::vector<std::string> calls;
    std::vector<std::string> events;
    std::set<std::string> made;
    std::set<std::string> handedBack;
};

class GroupedListViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(E_SUCCESS, driver.Launch(&UiTestApp::Create));
        recorder.names = {{"Friends", "Alice", "Bob", "Carol"}, {"Family", "Dad", "Mum"}, {"Work"}};
        for (int i = 0; i < 10; ++i)
            recorder.names[2].push_back("Colleague " + std::to_string(i));
    }

    GroupedListView* AddList(GroupedListViewStyle style = GROUPED_LIST_VIEW_STYLE_INDEXED)
    {
        auto* list = new GroupedListView;
        const Graphics::Rectangle client = UiTestApp::Get().form->GetClientAreaBounds();
        list->Construct(Graphics::Rectangle(0, 0, client.width, client.height), style);
        UiTestApp::Get().form->AddControl(*list);
        list->AddGroupedListViewItemEventListener(recorder);
        list->SetItemProvider(recorder);
        driver.PumpUntilIdle();
        return list;
    }

    bool Shows(const std::string& line) const { return driver.Describe().find(line) != std::string::npos; }

    // Borrowed by the list, so declared before the driver that ends the application.
    GroupedRecorder recorder;
    ScreenDriver driver;
};

TEST_F(GroupedListViewTest, ProviderIsAskedForEveryCountAndOnlyForTheRowsInView)
{
    AddList();
    // 576 pixels show the first header and its three items (356), then the second header and
    // both of its items; the third header starts below the view.
    EXPECT_EQ((std::vector<std::string>{"groups", "items 0", "items 1", "items 2", "header 0", "item 0.0", "item 0.1", "item 0.2",
                  "header 1", "item 1.0", "item 1.1"}),
        recorder.calls);
    EXPECT_TRUE(Shows("GroupedListView \"3 groups\""));
    EXPECT_TRUE(Shows("GroupHeader 0 \"Friends\"\nGroupedRow 0.0 \"Alice | X\"\nGroupedRow 0.1 \"Bob | X\""));
    EXPECT_TRUE(Shows("GroupHeader 1 \"Family\"\nGroupedRow 1.0 \"Dad | X\""));
}

TEST_F(GroupedListViewTest, HeaderTapFoldsAndUnfoldsItsGroupAndIsReported)
{
    GroupedListView* list = AddList();
    ASSERT_TRUE(driver.TapGroupHeader(0));
    EXPECT_FALSE(list->IsGroupExpanded(0));
    EXPECT_FALSE(driver.FindGroupedRow(0, 0).has_value());
    // With the first group folded the third group's header and first items come into view.
    EXPECT_TRUE(Shows("GroupHeader 0 \"Friends\"\nGroupHeader 1 \"Family\"\nGroupedRow 1.0"));
    EXPECT_TRUE(driver.FindGroupedRow(2, 0).has_value());
    EXPECT_EQ(E_INVALID_OPERATION, list->ScrollToItem(0, 1));
    ASSERT_TRUE(driver.TapGroupHeader(0));
    EXPECT_TRUE(driver.FindGroupedRow(0, 2).has_value());
    EXPECT_EQ((std::vector<std::string>{"tap 0.-1 -1 0", "tap 0.-1 -1 0"}), recorder.events);
}

TEST_F(GroupedListViewTest, SectionHeadersStayOpenAndProgramFoldingStillWorks)
{
    GroupedListView* list = AddList(GROUPED_LIST_VIEW_STYLE_SECTION);
    ASSERT_TRUE(driver.TapGroupHeader(1));
    EXPECT_TRUE(list->IsGroupExpanded(1));
    EXPECT_TRUE(driver.FindGroupedRow(1, 1).has_value());
    ASSERT_EQ(E_SUCCESS, list->CollapseGroup(1));
    driver.PumpUntilIdle();
    EXPECT_FALSE(driver.FindGroupedRow(1, 0).has_value());
    EXPECT_EQ((std::vector<std::string>{"tap 1.-1 -1 0"}), recorder.events);
}

TEST_F(GroupedListViewTest, ItemTapsElementsChecksAndContextItemsCarryGroupAndItem)
{
    recorder.checkGroup = 1;
    GroupedListView* list = AddList();
    ASSERT_TRUE(driver.TapGroupedItem(2, 7));
    ASSERT_TRUE(driver.TapGroupedElement(0, 1, 712));
    ASSERT_TRUE(driver.TapGroupedItem(1, 1));
    EXPECT_TRUE(list->IsItemChecked(1, 1));
    EXPECT_FALSE(list->IsItemChecked(1, 0));
    ASSERT_TRUE(driver.TapGroupedItem(1, 1));
    ASSERT_TRUE(driver.TapGroupedContextItem(0, 2, 203));
    EXPECT_EQ((std::vector<std::string>{"tap 2.7 -1 0", "tap 0.1 712 0", "tap 1.1 -1 2", "tap 1.1 -1 3", "context 0.2 203"}),
        recorder.events);
    EXPECT_FALSE(driver.TapGroupedItem(0, 9));
}

TEST_F(GroupedListViewTest, RefreshesShowNewDataMoveChecksAndHandOldRowsBack)
{
    recorder.checkGroup = 1;
    GroupedListView* list = AddList();
    recorder.names[0][2] = "Robert";
    ASSERT_EQ(E_SUCCESS, list->RefreshList(0, 1, LIST_REFRESH_TYPE_ITEM_MODIFY));
    driver.PumpUntilIdle();
    EXPECT_EQ((std::set<std::string>{"0.1"}), recorder.handedBack);
    EXPECT_TRUE(Shows("GroupedRow 0.1 \"Robert | X\""));

    list->SetItemChecked(1, 0, true);
    recorder.names[1].insert(recorder.names[1].begin() + 1, "Aunt");
    ASSERT_EQ(E_SUCCESS, list->RefreshList(1, 0, LIST_REFRESH_TYPE_ITEM_ADD));
    EXPECT_TRUE(list->IsItemChecked(1, 1));
    EXPECT_FALSE(list->IsItemChecked(1, 0));
    EXPECT_EQ(3, list->GetItemCountAt(1));
    ASSERT_EQ(E_SUCCESS, list->ScrollToItem(1, 0));
    driver.PumpUntilIdle();
    EXPECT_TRUE(Shows("GroupedRow 1.0 \"Aunt | X\"\nGroupedRow 1.1 \"Dad | X\""));

    recorder.names.erase(recorder.names.begin());
    ASSERT_EQ(E_SUCCESS, list->RefreshList(0, -1, LIST_REFRESH_TYPE_ITEM_REMOVE));
    EXPECT_EQ(2, list->GetGroupCount());
    for (const char* key : {"0.-1", "0.0", "0.1", "0.2"})
        EXPECT_EQ(1u, recorder.handedBack.count(key)) << key;
    ASSERT_EQ(E_SUCCESS, list->ScrollToItem(0, -1));
    driver.PumpUntilIdle();
    EXPECT_TRUE(Shows("GroupHeader 0 \"Family\"\nGroupedRow 0.0 \"Aunt | X\""));
    EXPECT_EQ(E_OUT_OF_RANGE, list->RefreshList(5, -1, LIST_REFRESH_TYPE_ITEM_MODIFY));
    EXPECT_EQ(E_OUT_OF_RANGE, list->RefreshList(0, 7, LIST_REFRESH_TYPE_ITEM_REMOVE));
}

TEST_F(GroupedListViewTest, EveryRowMadeIsHandedBackByUpdateListAndByTheListsEnd)
{
    GroupedListView* list = AddList();
    ASSERT_EQ(E_SUCCESS, list->ScrollToItem(2, 9));
    driver.PumpUntilIdle();
    EXPECT_TRUE(driver.FindGroupedRow(2, 9).has_value());
    recorder.names.clear();
    list->SetTextOfEmptyList("No groups");
    ASSERT_EQ(E_SUCCESS, list->UpdateList());
    EXPECT_EQ(recorder.made, recorder.handedBack);
    EXPECT_TRUE(Shows("GroupedListView \"No groups\""));

    recorder.names = {{"Again", "One"}};
    recorder.made.clear();
    recorder.handedBack.clear();
    ASSERT_EQ(E_SUCCESS, list->UpdateList());
    driver.PumpUntilIdle();
    ASSERT_EQ(2u, recorder.made.size());
    UiTestApp::Get().form->RemoveControl(*list);
    EXPECT_EQ(recorder.made, recorder.handedBack);
}

TEST_F(GroupedListViewTest, GroupedListIsSavedAsAPicture)
{
    AddList();
    ASSERT_TRUE(driver.TapGroupedItem(0, 1));
    const std::string path = std::string(VELOIM_SCREENSHOT_DIR) + "/grouped.png";
    QDir().mkpath(QString::fromStdString(VELOIM_SCREENSHOT_DIR));
    ASSERT_TRUE(driver.SaveScreenshot(path));
    EXPECT_GT(QFileInfo(QString::fromStdString(path)).size(), 5000);
}

}  // namespace
