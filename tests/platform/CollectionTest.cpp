#include "platform/ArrayList.h"
#include "platform/HashMap.h"
#include "platform/Integer.h"
#include "platform/LinkedList.h"
#include "platform/String.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace Ixa::Base;
using namespace Ixa::Base::Collection;

namespace {

// Counts live instances so the tests can see exactly which operations delete elements.
class Tracked : public Object {
public:
    explicit Tracked(int id) : id(id) { ++alive; }
    ~Tracked() override { --alive; }
    int id;
    static int alive;
};
int Tracked::alive = 0;

int IdAt(const IList& list, int index) { return static_cast<Tracked*>(list.GetAt(index))->id; }

}  // namespace

template <typename List>
class ListTest : public testing::Test {};

using ListTypes = testing::Types<ArrayList, LinkedList>;
TYPED_TEST_SUITE(ListTest, ListTypes);

TYPED_TEST(ListTest, KeepsOrderAndDeletesOnlyWhenAsked)
{
    TypeParam list;
    ASSERT_EQ(list.Construct(2), Ixa::E_SUCCESS);
    Tracked keep(99);
    list.Add(new Tracked(1));
    list.Add(new Tracked(3));
    ASSERT_EQ(list.InsertAt(new Tracked(2), 1), Ixa::E_SUCCESS);
    EXPECT_EQ(list.InsertAt(&keep, 4), Ixa::E_OUT_OF_RANGE);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(IdAt(list, 0) * 100 + IdAt(list, 1) * 10 + IdAt(list, 2), 123);

    Ixa::ClearLastResult();
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(Ixa::GetLastResult(), Ixa::E_OUT_OF_RANGE);

    Object* removed = list.GetAt(0);
    ASSERT_EQ(list.RemoveAt(0, false), Ixa::E_SUCCESS);
    EXPECT_EQ(Tracked::alive, 4);
    delete removed;
    ASSERT_EQ(list.SetAt(new Tracked(5), 0, true), Ixa::E_SUCCESS);
    EXPECT_EQ(Tracked::alive, 3);

    std::unique_ptr<IEnumerator> walk(list.GetEnumeratorN());
    std::vector<int> seen;
    while (walk->MoveNext() == Ixa::E_SUCCESS) {
        seen.push_back(static_cast<Tracked*>(walk->GetCurrent())->id);
    }
    EXPECT_EQ(seen, (std::vector<int>{5, 3}));
    EXPECT_EQ(walk->MoveNext(), Ixa::E_OUT_OF_RANGE);

    list.RemoveAll(true);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(Tracked::alive, 1);
}

TEST(HashMapTest, FindsValuesByEqualKeysAndOwnsNothingUnlessAsked)
{
    HashMap map;
    String early("early");
    EXPECT_EQ(map.Add(&early, nullptr), Ixa::E_INVALID_STATE);
    ASSERT_EQ(map.Construct(16, 0.75f), Ixa::E_SUCCESS);
    auto key = new String("signin");
    ASSERT_EQ(map.Add(key, new Tracked(1)), Ixa::E_SUCCESS);
    String duplicate("signin");
    Tracked other(2);
    EXPECT_EQ(map.Add(&duplicate, &other), Ixa::E_OBJ_ALREADY_EXIST);
    EXPECT_EQ(map.GetCount(), 1);

    EXPECT_EQ(static_cast<Tracked*>(map.GetValue(String("signin")))->id, 1);
    EXPECT_EQ(map.GetValue(String("SignIn")), nullptr);
    EXPECT_EQ(Ixa::GetLastResult(), Ixa::E_OBJ_NOT_FOUND);
    EXPECT_FALSE(map.ContainsKey(Integer(7)));

    ASSERT_EQ(map.SetValue(String("signin"), new Tracked(3), true), Ixa::E_SUCCESS);
    EXPECT_EQ(Tracked::alive, 2);
    EXPECT_EQ(map.SetValue(String("absent"), nullptr), Ixa::E_OBJ_NOT_FOUND);

    for (int i = 0; i < 100; ++i) {
        String name("k");
        name.Append(i);
        map.Add(new String(name), new Tracked(100 + i));
    }
    std::unique_ptr<IMapEnumerator> walk(map.GetMapEnumeratorN());
    std::set<int> ids;
    while (walk->MoveNext() == Ixa::E_SUCCESS) {
        ASSERT_NE(dynamic_cast<String*>(walk->GetKey()), nullptr);
        ids.insert(static_cast<Tracked*>(walk->GetValue())->id);
    }
    EXPECT_EQ(ids.size(), 101u);

    ASSERT_EQ(map.Remove(String("k5"), true), Ixa::E_SUCCESS);
    EXPECT_FALSE(map.ContainsKey(String("k5")));
    map.RemoveAll(true);
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(Tracked::alive, 1);
}
