#include "platform/Mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace Ixa;
using namespace Ixa::Base;
using namespace Ixa::Base::Runtime;

namespace {

TEST(MutexTest, OthersWaitUntilTheHolderReleasesEveryLevel)
{
    Mutex mutex;
    EXPECT_EQ(mutex.Acquire(), E_INVALID_STATE);
    ASSERT_EQ(mutex.Create(String("test")), E_SUCCESS);
    EXPECT_EQ(mutex.Create(), E_INVALID_STATE);
    ASSERT_EQ(mutex.Acquire(), E_SUCCESS);
    ASSERT_EQ(mutex.Acquire(), E_SUCCESS);

    std::atomic<bool> acquired{false};
    std::atomic<result> strangerRelease{E_SUCCESS};
    std::thread other([&] {
        strangerRelease = mutex.Release();
        mutex.Acquire();
        acquired = true;
        mutex.Release();
    });
    for (int level = 0; level < 2; ++level) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(acquired) << "acquired while " << 2 - level << " levels were held";
        ASSERT_EQ(mutex.Release(), E_SUCCESS);
    }
    other.join();
    EXPECT_TRUE(acquired);
    EXPECT_EQ(strangerRelease.load(), E_INVALID_STATE);
    EXPECT_EQ(mutex.Release(), E_INVALID_STATE);
}

TEST(MutexTest, NestedHoldersExcludeEachOther)
{
    Mutex mutex;
    ASSERT_EQ(mutex.Create(), E_SUCCESS);
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 5000; ++i) {
                mutex.Acquire();
                mutex.Acquire();
                ++counter;
                mutex.Release();
                ++counter;
                mutex.Release();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(counter, 4 * 5000 * 2);
}

}  // namespace
