#include "platform/ArrayList.h"
#include "platform/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

using namespace Ixa;
using namespace Ixa::Base;
using namespace Ixa::Base::Runtime;
using Collection::ArrayList;
using Collection::IList;

namespace {

// An event argument that counts live instances, so a lost or doubly freed list shows up.
struct Token : Object {
    explicit Token(int value) : value(value) { ++alive; }
    ~Token() override { --alive; }
    const int value;
    static inline std::atomic<int> alive{0};
};

IList* MakeArgs(int value)
{
    auto* list = new ArrayList();
    list->Construct(1);
    list->Add(new Token(value));
    return list;
}

int Consume(IList* args)
{
    const int value = static_cast<Token*>(args->GetAt(0))->value;
    args->RemoveAll(true);
    delete args;
    return value;
}

// Records each event with the thread it arrived on; after `stopAfter` events it ends itself
// the way the program does, with Stop and Exit inside the handler.
class Recorder : public Thread {
public:
    explicit Recorder(int stopAfter = -1) : stopAfter_(stopAfter) {}
    ~Recorder() override
    {
        Stop();
        Join();
    }

    bool OnStart() override
    {
        startedOn = std::this_thread::get_id();
        return true;
    }
    void OnStop() override { stoppedOn = std::this_thread::get_id(); }
    void OnUserEventReceivedN(int requestId, IList* args) override
    {
        received.push_back({requestId, Consume(args)});
        EXPECT_EQ(std::this_thread::get_id(), startedOn);
        if (static_cast<int>(received.size()) == stopAfter_) {
            Stop();
            Exit(0);
            postAfterStop = SendUserEvent(0, nullptr);
        }
    }

    std::vector<std::pair<int, int>> received;
    std::thread::id startedOn, stoppedOn;
    result postAfterStop = E_SUCCESS;

private:
    const int stopAfter_;
};

TEST(EventThreadTest, DeliversEveryPostersEventsInOrderOnItsOwnThread)
{
    constexpr int Posters = 4, PerPoster = 500, Early = 2;
    Recorder recorder(Early + Posters * PerPoster);
    ASSERT_EQ(
        recorder.Construct(THREAD_TYPE_EVENT_DRIVEN, DEFAULT_STACK_SIZE, THREAD_PRIORITY_HIGH),
        E_SUCCESS);
    for (int i = 0; i < Early; ++i)
        ASSERT_EQ(recorder.SendUserEvent(-1, MakeArgs(i)), E_SUCCESS);
    ASSERT_EQ(recorder.Start(), E_SUCCESS);
    std::vector<std::thread> posters;
    for (int poster = 0; poster < Posters; ++poster) {
        posters.emplace_back([&recorder, poster] {
            for (int seq = 0; seq < PerPoster; ++seq)
                EXPECT_EQ(recorder.SendUserEvent(poster, MakeArgs(seq)), E_SUCCESS);
        });
    }
    for (std::thread& poster : posters)
        poster.join();
    ASSERT_EQ(recorder.Join(), E_SUCCESS);

    ASSERT_EQ(recorder.received.size(), size_t{Early + Posters * PerPoster});
    EXPECT_EQ(recorder.received[0], std::make_pair(-1, 0));
    EXPECT_EQ(recorder.received[1], std::make_pair(-1, 1));
    std::vector<int> nextSeq(Posters, 0);
    for (size_t i = Early; i < recorder.received.size(); ++i) {
        auto [poster, seq] = recorder.received[i];
        ASSERT_EQ(seq, nextSeq[poster]++) << "poster " << poster;
    }
    EXPECT_NE(recorder.startedOn, std::this_thread::get_id());
    EXPECT_EQ(recorder.stoppedOn, recorder.startedOn);
    EXPECT_EQ(Token::alive.load(), 0);
}

TEST(EventThreadTest, StopInsideAHandlerFreesQueuedEventsAndLaterPostsAreRefused)
{
    Recorder recorder(1);
    IList* refused = MakeArgs(7);
    EXPECT_EQ(recorder.SendUserEvent(0, refused), E_FAILURE);
    ASSERT_EQ(recorder.Construct(THREAD_TYPE_EVENT_DRIVEN), E_SUCCESS);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(recorder.SendUserEvent(i, MakeArgs(i)), E_SUCCESS);
    ASSERT_EQ(recorder.Start(), E_SUCCESS);
    ASSERT_EQ(recorder.Join(), E_SUCCESS);

    EXPECT_EQ(recorder.received.size(), 1u);
    EXPECT_EQ(recorder.postAfterStop, E_FAILURE);
    EXPECT_EQ(recorder.stoppedOn, recorder.startedOn);
    EXPECT_EQ(recorder.SendUserEvent(0, refused), 0x80000000UL);
    EXPECT_EQ(Consume(refused), 7);
    EXPECT_EQ(Token::alive.load(), 0);
}

TEST(EventThreadTest, StopFromOutsideComesAfterEventsAlreadyPosted)
{
    Recorder recorder;
    ASSERT_EQ(recorder.Construct(THREAD_TYPE_EVENT_DRIVEN), E_SUCCESS);
    ASSERT_EQ(recorder.Start(), E_SUCCESS);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(recorder.SendUserEvent(0, MakeArgs(i)), E_SUCCESS);
    ASSERT_EQ(recorder.Stop(), E_SUCCESS);
    IList* refused = MakeArgs(-1);
    EXPECT_EQ(recorder.SendUserEvent(0, refused), E_FAILURE);
    Consume(refused);
    ASSERT_EQ(recorder.Join(), E_SUCCESS);

    ASSERT_EQ(recorder.received.size(), 200u);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(recorder.received[i].second, i);
}

TEST(EventThreadTest, DestroyingARunningThreadStopsItAndFreesItsEvents)
{
    auto thread = std::make_unique<Thread>();
    ASSERT_EQ(thread->Construct(THREAD_TYPE_EVENT_DRIVEN), E_SUCCESS);
    ASSERT_EQ(thread->Start(), E_SUCCESS);
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(thread->SendUserEvent(i, MakeArgs(i)), E_SUCCESS);
    thread.reset();
    EXPECT_EQ(Token::alive.load(), 0);
}

// A worker whose body is held open, to probe the calls made while it runs.
class GatedWorker : public Thread {
public:
    bool OnStart() override
    {
        ++starts;
        return true;
    }
    void OnStop() override { ++stops; }
    Object* Run() override
    {
        selfJoin = Join();
        currentIsSelf = GetCurrentThread() == this;
        running.set_value();
        gate.get_future().wait();
        return nullptr;
    }

    std::promise<void> running, gate;
    int starts = 0, stops = 0;
    result selfJoin = E_SUCCESS;
    bool currentIsSelf = false;
};

TEST(WorkerThreadTest, ConstructingAFinishedThreadAgainRunsItAgain)
{
    GatedWorker worker;
    EXPECT_EQ(worker.Start(), E_INVALID_STATE);
    ASSERT_EQ(worker.Construct(String("gated")), E_SUCCESS);
    EXPECT_EQ(worker.Join(), E_INVALID_STATE);
    EXPECT_EQ(worker.Stop(), E_INVALID_STATE);
    IList* refused = MakeArgs(1);
    EXPECT_EQ(worker.SendUserEvent(0, refused), E_FAILURE);
    Consume(refused);
    for (int round = 1; round <= 2; ++round) {
        ASSERT_EQ(worker.Start(), E_SUCCESS);
        worker.running.get_future().wait();
        EXPECT_EQ(worker.Start(), E_INVALID_STATE);
        EXPECT_EQ(worker.Construct(), E_INVALID_STATE);
        worker.gate.set_value();
        ASSERT_EQ(worker.Join(), E_SUCCESS);
        EXPECT_EQ(worker.Join(), E_SUCCESS);
        EXPECT_EQ(worker.stops, round);
        worker.running = {};
        worker.gate = {};
        ASSERT_EQ(worker.Construct(), E_SUCCESS);
    }
    EXPECT_EQ(worker.starts, 2);
    EXPECT_EQ(worker.selfJoin, E_INVALID_STATE);
    EXPECT_TRUE(worker.currentIsSelf);
    EXPECT_EQ(Thread::GetCurrentThread(), nullptr);
}

// Exit must unwind the body like an exception: destructors run, the rest is skipped.
struct ExitingBody : IRunnable {
    struct Guard {
        bool& destroyed;
        ~Guard() { destroyed = true; }
    };
    Object* Run() override
    {
        Guard guard{guardDestroyed};
        Thread::Exit(3);
        reachedAfterExit = true;
        return nullptr;
    }
    bool guardDestroyed = false, reachedAfterExit = false;
};

TEST(WorkerThreadTest, ExitUnwindsTheBodyAndTheThreadJoins)
{
    ExitingBody body;
    Thread worker;
    ASSERT_EQ(worker.Construct(String("exiting"), body, DEFAULT_STACK_SIZE, THREAD_PRIORITY_LOW),
        E_SUCCESS);
    ASSERT_EQ(worker.Start(), E_SUCCESS);
    ASSERT_EQ(worker.Join(), E_SUCCESS);
    EXPECT_TRUE(body.guardDestroyed);
    EXPECT_FALSE(body.reachedAfterExit);
    EXPECT_EQ(Thread::Exit(0), E_INVALID_STATE);
}

}  // namespace
