#include "foundation/IMHashMap.h"
#include "foundation/IMInteger.h"
#include "foundation/IMVector.h"
#include "foundation/ImDQueue.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class Tracked : public Ixa::Base::Object {
public:
    Tracked() { ++alive; }
    ~Tracked() override { --alive; }
    static int alive;
};
int Tracked::alive = 0;

}  // namespace

TEST(ImDQueueTest, BothEndsAndClearKeepLinksConsistent)
{
    int a = 1;
    int b = 2;
    ImDQueue queue;
    EXPECT_EQ(queue.pop_front(), nullptr);
    EXPECT_EQ(queue.size(), 0);
    queue.push_back(&a);
    queue.push_front(&b);
    EXPECT_EQ(queue.pop_back(), &a);
    EXPECT_EQ(queue.pop_front(), &b);
    EXPECT_TRUE(queue.empty());
    queue.push_back(&a);
    queue.push_back(&b);
    queue.clear();
    EXPECT_TRUE(queue.empty());
    queue.push_back(&b);
    EXPECT_EQ(queue.size(), 1);
    EXPECT_EQ(queue.pop_front(), &b);
    EXPECT_EQ(queue.pop_back(), nullptr);
}

TEST(IMHashMapTest, OwnsKeysAndValuesAndReplacesInPlace)
{
    {
        IMHashMap map;
        map.construct();
        map.add(new IMString("name"), new Tracked());
        map.add(new IMString("name"), new Tracked());
        EXPECT_EQ(map.size(), 1);
        EXPECT_EQ(Tracked::alive, 1);
        IMString key("name");
        EXPECT_NE(map.get(&key), nullptr);
        IMString missing("other");
        EXPECT_EQ(map.get(&missing), nullptr);
        EXPECT_FALSE(map.ContainsKey(&missing));

        map.add(new IMString("second"), new Tracked());
        std::unique_ptr<IMHashMapEnumerator> keys(map.keys());
        int count = 0;
        while (keys->moveToNextElement()) {
            EXPECT_NE(dynamic_cast<IMString*>(keys->getCurrentKey()), nullptr);
            ++count;
        }
        EXPECT_EQ(count, 2);
    }
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(IMVectorTest, GetAtPastTheEndGivesNullAndOutOfRange)
{
    IMVector vector;
    vector.Construct(4);
    IMInteger first(1);
    IMInteger second(2);
    vector.put(&first);
    vector.putAt(&second, 0);
    Ixa::Base::Object* item = &first;
    EXPECT_EQ(vector.getAt(0, item), Ixa::E_SUCCESS);
    EXPECT_EQ(item, &second);
    EXPECT_EQ(vector.getAt(vector.size(), item), Ixa::E_OUT_OF_RANGE);
    EXPECT_EQ(item, nullptr);
}
