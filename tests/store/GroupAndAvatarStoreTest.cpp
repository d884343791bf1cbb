#include "platform/Database.h"
#include "store/ContactIconModel.h"
#include "store/GroupModel.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Ixa::Base::String;
using Ixa::Base::Collection::ArrayList;

namespace {

struct OwnedListDeleter {
    void operator()(ArrayList* list) const
    {
        list->RemoveAll(true);
        delete list;
    }
};
using OwnedList = std::unique_ptr<ArrayList, OwnedListDeleter>;

void SaveGroup(GroupModel& model, const char* id, const char* name, bool expanded)
{
    std::unique_ptr<Group> group(model.CreateGroup());
    group->SetGroupId(IMString(id));
    group->SetGroupName(IMString(name));
    group->SetHasContacts(true);
    group->SetIsExpanded(expanded);
    model.SaveOrUpdate(group.get());
}

std::string GroupIds(ArrayList* list)
{
    std::string ids;
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        ids += (i > 0 ? "," : "") + static_cast<Group*>(list->GetAt(i))->GetGroupId().ToUtf8();
    }
    return ids;
}

IMByteBuffer* Picture(const std::vector<Ixa::byte>& bytes)
{
    auto buffer = new IMByteBuffer();
    buffer->Construct(static_cast<int>(bytes.size()));
    if (!bytes.empty()) {
        buffer->SetArray(bytes.data(), 0, static_cast<int>(bytes.size()));
    }
    buffer->Flip();
    return buffer;
}

std::vector<Ixa::byte> BytesOf(IMByteBuffer* buffer)
{
    const Ixa::byte* start = buffer->GetPointer() + buffer->GetPosition();
    return std::vector<Ixa::byte>(start, start + buffer->GetRemaining());
}

void SaveIcon(ContactIconModel& model, const char* id, const std::vector<Ixa::byte>& bytes, const char* hash)
{
    std::unique_ptr<ContactIcon> icon(model.CreateContactIcon());
    std::unique_ptr<IMByteBuffer> picture(Picture(bytes));
    icon->SetContactId(IMString(id));
    icon->SetImageByteBuffer(picture.get());
    icon->SetIconValidity(IMString(hash));
    ASSERT_TRUE(model.SaveOrUpdate(icon.get()));
}

}  // namespace

TEST(GroupStoreTest, ExpandedStateIsStoredPerGroupAndGroupsSortById)
{
    TempDataDir dir;
    std::unique_ptr<GroupModel> model(GroupModel::GetInstance());
    std::unique_ptr<Group> fresh(model->CreateGroup());
    EXPECT_TRUE(fresh->GetIsExpanded());
    EXPECT_FALSE(fresh->GetHasContacts());
    EXPECT_EQ(model->GetAllSortedGroups(), nullptr) << "no groups yet";

    SaveGroup(*model, "work", "Work", true);
    SaveGroup(*model, "friends", "Friends", true);
    SaveGroup(*model, "family's", "Family's \"own\"", false);
    SaveGroup(*model, "friends", "Best Friends", true);
    EXPECT_EQ(model->GetNumGroups(), 3);
    EXPECT_EQ(GroupIds(OwnedList(model->GetAllSortedGroups()).get()), "family's,friends,work");
    EXPECT_EQ(OwnedList(model->GetAllGroups())->GetCount(), 3);

    EXPECT_TRUE(model->UpdateGroupStateById(IMString("work"), false));
    EXPECT_FALSE(model->UpdateGroupStateById(IMString("nothing"), false));
    EXPECT_FALSE(model->UpdateGroupStateById(IMString(), false));
    EXPECT_EQ(model->GetNumGroups(), 3) << "updating a missing group adds no row";

    model.reset();
    model.reset(GroupModel::GetInstance());
    std::unique_ptr<Group> work(model->FindByGroupId(IMString("work")));
    ASSERT_NE(work, nullptr);
    EXPECT_FALSE(work->GetIsExpanded());
    std::unique_ptr<Group> friends(model->FindByGroupId(IMString("friends")));
    ASSERT_NE(friends, nullptr);
    EXPECT_EQ(friends->GetGroupName(), IMString("Best Friends"));
    EXPECT_TRUE(friends->GetIsExpanded());
    std::unique_ptr<Group> family(model->FindByGroupId(IMString("family's")));
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->GetGroupName(), IMString("Family's \"own\""));
    EXPECT_EQ(model->FindByGroupId(IMString()), nullptr);

    EXPECT_FALSE(model->DeleteGroup(work.get())) << "false: the group is gone";
    EXPECT_TRUE(model->DeleteGroup(nullptr));
    EXPECT_EQ(model->FindByGroupId(IMString("work")), nullptr);
    EXPECT_TRUE(model->DeleteDatabase());
    EXPECT_EQ(model->GetNumGroups(), 0);
}

TEST(GroupStoreTest, OnlyAStoredOneReadsAsTrue)
{
    TempDataDir dir;
    std::unique_ptr<GroupModel> model(GroupModel::GetInstance());
    Ixa::Io::Database raw;
    ASSERT_EQ(raw.Construct(String("/Home/gtalkgroups.db"), false), Ixa::E_SUCCESS);
    ASSERT_EQ(raw.ExecuteSql(String("INSERT INTO grouptable1 VALUES('odd','Odd',2,2)"), true), Ixa::E_SUCCESS);
    std::unique_ptr<Group> odd(model->FindByGroupId(IMString("odd")));
    ASSERT_NE(odd, nullptr);
    EXPECT_FALSE(odd->GetHasContacts());
    EXPECT_FALSE(odd->GetIsExpanded());
}

// "Team" and "team" are one group: it is stored under its lower-case id, found, folded and
// deleted under any spelling, and keeps the name it was last saved with.
TEST(GroupStoreTest, GroupIdsCompareWithoutRegardToCase)
{
    TempDataDir dir;
    std::unique_ptr<GroupModel> model(GroupModel::GetInstance());
    SaveGroup(*model, "Team", "Team", true);
    SaveGroup(*model, "TEAM", "TEAM", true);
    SaveGroup(*model, "\xC3\x89quipe", "\xC3\x89quipe", true);
    EXPECT_EQ(model->GetNumGroups(), 2);
    EXPECT_EQ(GroupIds(OwnedList(model->GetAllSortedGroups()).get()), "team,\xC3\xA9quipe");

    std::unique_ptr<Group> team(model->FindByGroupId(IMString("tEaM")));
    ASSERT_NE(team, nullptr);
    EXPECT_EQ(team->GetGroupName(), IMString("TEAM"));
    EXPECT_NE(std::unique_ptr<Group>(model->FindByGroupId(IMString("\xC3\xA9QUIPE"))), nullptr);
    EXPECT_TRUE(model->UpdateGroupStateById(IMString("team"), false));
    EXPECT_FALSE(std::unique_ptr<Group>(model->FindByGroupId(IMString("Team")))->GetIsExpanded());

    std::unique_ptr<Group> spelled(model->CreateGroup());
    spelled->SetGroupId(IMString("TeAm"));
    EXPECT_FALSE(model->DeleteGroup(spelled.get()));
    EXPECT_EQ(model->GetNumGroups(), 1);
}

// Rows kept from before ids were stored in lower case take their lower-case id when the file
// is opened; where both spellings were stored, the lower-case row stays.
TEST(GroupStoreTest, RowsWithCapitalIdsAreFoundAfterReopening)
{
    TempDataDir dir;
    {
        std::unique_ptr<GroupModel> model(GroupModel::GetInstance());
        Ixa::Io::Database raw;
        ASSERT_EQ(raw.Construct(String("/Home/gtalkgroups.db"), false), Ixa::E_SUCCESS);
        for (const char* row : {"('Friends','Friends',1,0)", "('Work','Work',1,1)", "('work','work',1,0)"}) {
            ASSERT_EQ(raw.ExecuteSql(String((std::string("INSERT INTO grouptable1 VALUES") + row).c_str()), true), Ixa::E_SUCCESS);
        }
    }
    std::unique_ptr<GroupModel> model(GroupModel::GetInstance());
    EXPECT_EQ(GroupIds(OwnedList(model->GetAllSortedGroups()).get()), "friends,work");
    std::unique_ptr<Group> friends(model->FindByGroupId(IMString("Friends")));
    ASSERT_NE(friends, nullptr);
    EXPECT_FALSE(friends->GetIsExpanded()) << "the folded state comes along";
    EXPECT_EQ(std::unique_ptr<Group>(model->FindByGroupId(IMString("WORK")))->GetGroupName(), IMString("work"));
}

TEST(AvatarStoreTest, OneRowPerContactHoldsTheLatestPictureAndHash)
{
    TempDataDir dir;
    std::unique_ptr<ContactIconModel> model(ContactIconModel::GetInstance());
    EXPECT_EQ(model->GetImage(IMString("ann@x")), nullptr);

    std::vector<Ixa::byte> first = {0x89, 'P', 'N', 'G', 0, 0, 1};
    std::vector<Ixa::byte> second(300 * 1024);
    for (std::size_t i = 0; i < second.size(); ++i) {
        second[i] = static_cast<Ixa::byte>(i * 31 + 7);
    }
    SaveIcon(*model, "ann@x", first, "hash-1");
    SaveIcon(*model, "bob@x", {}, "");
    std::unique_ptr<ContactIcon> stored(model->GetImage(IMString("ann@x")));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(BytesOf(stored->GetImageByteBuffer()), first);
    EXPECT_EQ(stored->GetIconValidity(), IMString("hash-1"));

    SaveIcon(*model, "ann@x", second, "hash-2");
    model.reset();
    model.reset(ContactIconModel::GetInstance());
    stored.reset(model->GetImage(IMString("ann@x")));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(BytesOf(stored->GetImageByteBuffer()), second);
    EXPECT_EQ(stored->GetIconValidity(), IMString("hash-2"));
    Ixa::Io::Database raw;
    ASSERT_EQ(raw.Construct(String("/Home/gtalkicons.db"), false), Ixa::E_SUCCESS);
    std::unique_ptr<Ixa::Io::DbEnumerator> count(
        raw.QueryN(String("SELECT COUNT(*) FROM icontable1 WHERE emailid='ann@x'")));
    int rows = 0;
    ASSERT_NE(count, nullptr);
    count->MoveNext();
    count->GetIntAt(0, rows);
    EXPECT_EQ(rows, 1);

    std::unique_ptr<ContactIcon> empty(model->GetImage(IMString("bob@x")));
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(BytesOf(empty->GetImageByteBuffer()).empty());

    EXPECT_TRUE(model->deleteContactIcon(stored.get()));
    EXPECT_EQ(model->GetImage(IMString("ann@x")), nullptr);
    EXPECT_TRUE(model->DeleteDatabase());
    EXPECT_EQ(model->GetImage(IMString("bob@x")), nullptr);
}
