// Ending the application stops every thread it started (the request and response threads
// among them) and frees what it made, reports still waiting for delivery included; the leak
// checker of the test run sees what is not freed.
#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "platform/ArrayList.h"
#include "platform/Integer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace {

int ThreadCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        ++count;
    }
    return count;
}

TEST(TerminationTest, EndingTheApplicationStopsEveryThreadItStarted)
{
    {
        // Qt starts helper threads of its own on first use; they are not the application's.
        AppUnderTest warmUp;
    }
    const int before = ThreadCount();
    {
        AppUnderTest app;
        ASSERT_TRUE(app.Launched());
        ASSERT_NE(nullptr, IMManager::GetRequestController());
        EXPECT_GT(ThreadCount(), before) << "the request and response threads run";
    }
    EXPECT_EQ(before, ThreadCount());
    EXPECT_EQ(nullptr, IMManager::GetRequestController());
    EXPECT_EQ(nullptr, IMManager::GetScreenStatesObj());
}

TEST(TerminationTest, EventsStillWaitingAtTheEndAreFreed)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Launched());
    std::thread worker([] {
        for (int i = 0; i < 500; ++i) {
            auto* list = new Ixa::Base::Collection::ArrayList;
            list->Construct(10);
            list->Add(new Ixa::Base::Integer(i));
            list->Add(new Ixa::Base::String("waiting report"));
            IMManager::notifyEvent(EVENT_SIGN_IN_ERROR, list);
        }
    });
    worker.join();
    app.driver.Shutdown();
    EXPECT_FALSE(IMManager::GetIsAppSignedIn());
    EXPECT_EQ(nullptr, IMManager::GetScreenCreator());
}

}  // namespace
