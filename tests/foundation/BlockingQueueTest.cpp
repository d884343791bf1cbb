#include "foundation/BlockingQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

int items[16];

void* Item(int i) { return &items[i]; }

// Waits (bounded) until `condition` holds; a hang guard, not a timing assertion.
template <typename Condition>
bool Eventually(Condition condition)
{
    for (int i = 0; i < 2000 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

}  // namespace

TEST(BlockingQueueTest, RefusesPutsBeyondCapacityAndKeepsOrder)
{
    BlockingQueue queue;
    unsigned long result = 1;
    for (int i = 0; i < 10; ++i) {
        queue.put(Item(i), &result);
        ASSERT_EQ(result, Ixa::E_SUCCESS);
    }
    queue.put(Item(10), &result);
    EXPECT_EQ(result, Ixa::E_FAILURE);
    EXPECT_EQ(queue.size(), 10);
    EXPECT_EQ(queue.take(&result), Item(0));
    queue.put(Item(10), &result);
    EXPECT_EQ(result, Ixa::E_SUCCESS);

    BlockingQueue ordered(4);
    ordered.put(Item(1), &result);
    ordered.put(Item(2), &result);
    ordered.put(Item(3), &result);
    ordered.putAtHead(Item(9), &result);
    EXPECT_EQ(ordered.take(&result), Item(9));
    EXPECT_EQ(ordered.take(&result), Item(1));
    EXPECT_EQ(ordered.take(&result), Item(2));
    EXPECT_EQ(ordered.take(&result), Item(3));
    EXPECT_EQ(ordered.take(0, &result), nullptr);
    EXPECT_EQ(ordered.size(), 0);
}

TEST(BlockingQueueTest, BlockedConsumersWakeForPutsOneAtATime)
{
    BlockingQueue queue;
    std::atomic<int> taken{0};
    std::atomic<void*> first{nullptr};
    std::atomic<void*> second{nullptr};
    std::thread consumerA([&] {
        unsigned long result;
        first = queue.take(&result);
        ++taken;
    });
    std::thread consumerB([&] {
        unsigned long result;
        second = queue.take(&result);
        ++taken;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(taken.load(), 0);

    unsigned long result;
    queue.put(Item(1), &result);
    ASSERT_TRUE(Eventually([&] { return taken.load() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(taken.load(), 1);
    queue.put(Item(2), &result);
    ASSERT_TRUE(Eventually([&] { return taken.load() == 2; }));
    consumerA.join();
    consumerB.join();
    EXPECT_TRUE((first == Item(1) && second == Item(2)) || (first == Item(2) && second == Item(1)));
}

TEST(BlockingQueueTest, TimedTakeWaitsOnceForAPut)
{
    BlockingQueue queue;
    std::atomic<void*> got{Item(15)};
    std::thread consumer([&] {
        unsigned long result;
        got = queue.take(1, &result);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    unsigned long result;
    queue.put(Item(4), &result);
    consumer.join();
    EXPECT_EQ(got.load(), Item(4));
}

TEST(BlockingQueueTest, ManyProducersOneConsumerLoseNothing)
{
    constexpr int PRODUCERS = 4;
    constexpr int PER_PRODUCER = 2000;
    static int payload[PRODUCERS][PER_PRODUCER];
    BlockingQueue queue(150);
    std::vector<std::thread> producers;
    for (int p = 0; p < PRODUCERS; ++p) {
        producers.emplace_back([&, p] {
            for (int i = 0; i < PER_PRODUCER; ++i) {
                unsigned long result = Ixa::E_FAILURE;
                while (true) {
                    queue.put(&payload[p][i], &result);
                    if (result == Ixa::E_SUCCESS) break;
                    std::this_thread::yield();
                }
            }
        });
    }
    int next[PRODUCERS] = {};
    for (int n = 0; n < PRODUCERS * PER_PRODUCER; ++n) {
        unsigned long result;
        auto item = static_cast<int*>(queue.take(&result));
        int producer = static_cast<int>((item - &payload[0][0]) / PER_PRODUCER);
        int index = static_cast<int>((item - &payload[0][0]) % PER_PRODUCER);
        ASSERT_EQ(index, next[producer]) << "items of one producer left out of order";
        ++next[producer];
    }
    for (auto& producer : producers) {
        producer.join();
    }
    EXPECT_EQ(queue.size(), 0);
}
