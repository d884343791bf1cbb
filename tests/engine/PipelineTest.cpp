#include "engine/BaseCommand.h"
#include "engine/GtalkNotification.h"
#include "engine/GtalkRequestController.h"
#include "engine/IMFactory.h"
#include "engine/NotificationHandler.h"
#include "engine/ResponseProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// What the commands and notifications of one test saw, shared between the threads.
struct Journal {
    std::mutex lock;
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    std::atomic<int> alive{0};

    void record(int id)
    {
        std::lock_guard<std::mutex> guard(lock);
        order.push_back(id);
        threads.push_back(std::this_thread::get_id());
    }
};

class RecordingCommand : public BaseCommand {
public:
    RecordingCommand(Journal& journal, int id) : journal_(journal), id_(id) { ++journal_.alive; }
    ~RecordingCommand() override { --journal_.alive; }

    void executeCommand(unsigned long* result) override
    {
        if (++journal_.running > 1) {
            journal_.overlapped = true;
        }
        journal_.record(id_);
        *result = Ixa::E_SUCCESS;
        --journal_.running;
    }

private:
    Journal& journal_;
    int id_;
};

// Holds the request thread until released, to queue work behind a running command.
class Gate {
public:
    void waitOpen()
    {
        std::unique_lock<std::mutex> guard(lock_);
        entered_ = true;
        changed_.notify_all();
        changed_.wait(guard, [this] { return open_; });
    }
    void awaitEntered()
    {
        std::unique_lock<std::mutex> guard(lock_);
        ASSERT_TRUE(changed_.wait_for(guard, std::chrono::seconds(30), [this] { return entered_; }));
    }
    void open()
    {
        std::lock_guard<std::mutex> guard(lock_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    bool entered_ = false;
    bool open_ = false;
};

class GatedCommand : public RecordingCommand {
public:
    GatedCommand(Journal& journal, int id, Gate& gate) : RecordingCommand(journal, id), gate_(gate) {}
    void executeCommand(unsigned long* result) override
    {
        gate_.waitOpen();
        RecordingCommand::executeCommand(result);
    }

private:
    Gate& gate_;
};

// The protocol object of a tracked notification: whoever ends up with it must free it.
class TrackedPayload : public Ixa::Base::Object {
public:
    explicit TrackedPayload(Journal& journal) : journal_(journal) { ++journal_.alive; }
    ~TrackedPayload() override { --journal_.alive; }

private:
    Journal& journal_;
};

class TrackedNotification : public GtalkNotification {
public:
    TrackedNotification(Journal& journal, const char* name, int id) : journal_(journal), id_(id)
    {
        ++journal_.alive;
        if (name != nullptr) {
            setNotificationName(new IMString(name));
        }
        setXMPPObject(new TrackedPayload(journal));
    }
    ~TrackedNotification() override { --journal_.alive; }
    int id() const { return id_; }

private:
    Journal& journal_;
    int id_;
};

class RecordingHandler : public NotificationHandler {
public:
    RecordingHandler(Journal& journal, int offset) : journal_(journal), offset_(offset) {}
    void handle(GtalkNotification* notification) override
    {
        journal_.record(offset_ + static_cast<TrackedNotification*>(notification)->id());
    }

private:
    Journal& journal_;
    int offset_;
};

}  // namespace

TEST(RequestPipelineTest, CommandsRunOnTheRequestThreadInPostingOrderAndAreDeleted)
{
    constexpr int POSTERS = 4;
    constexpr int PER_POSTER = 500;
    Journal journal;
    std::unique_ptr<RequestController> controller(IMFactory::getNewRequestController());
    controller->init();
    std::vector<std::thread> posters;
    for (int p = 0; p < POSTERS; ++p) {
        posters.emplace_back([&, p] {
            for (int i = 0; i < PER_POSTER; ++i) {
                auto command = new RecordingCommand(journal, p * PER_POSTER + i);
                command->setRequestController(controller.get());
                controller->addToCommandQueue(command);
            }
        });
    }
    for (auto& poster : posters) {
        poster.join();
    }
    controller->uninit();

    ASSERT_EQ(journal.order.size(), static_cast<std::size_t>(POSTERS * PER_POSTER));
    std::vector<int> next(POSTERS, 0);
    for (int id : journal.order) {
        int poster = id / PER_POSTER;
        ASSERT_EQ(id % PER_POSTER, next[poster]) << "commands of one poster ran out of order";
        ++next[poster];
    }
    EXPECT_FALSE(journal.overlapped);
    for (auto thread : journal.threads) {
        EXPECT_EQ(thread, journal.threads.front());
        EXPECT_NE(thread, std::this_thread::get_id());
    }
    EXPECT_EQ(journal.alive.load(), 0);
}

TEST(RequestPipelineTest, UninitWaitsForTheRunningCommandRunsTheQueueAndFreesLatePosts)
{
    Journal journal;
    Gate gate;
    GtalkRequestController controller;
    controller.init();
    controller.addToCommandQueue(new GatedCommand(journal, 0, gate));
    for (int i = 1; i <= 50; ++i) {
        controller.addToCommandQueue(new RecordingCommand(journal, i));
    }
    gate.awaitEntered();

    std::atomic<bool> returned{false};
    std::thread teardown([&] {
        controller.uninit();
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(returned.load()) << "uninit returned while a command was still running";
    controller.addToCommandQueue(new RecordingCommand(journal, 1000));
    controller.addToResponseQueue(new TrackedNotification(journal, "signin", 1001));
    gate.open();
    teardown.join();

    ASSERT_EQ(journal.order.size(), 51u);
    for (int i = 0; i <= 50; ++i) {
        EXPECT_EQ(journal.order[static_cast<std::size_t>(i)], i);
    }
    EXPECT_EQ(journal.alive.load(), 0);
    EXPECT_EQ(controller.GetMutex(), nullptr);
}

TEST(RequestPipelineTest, PostsBeforeInitAndAfterUninitAreFreedUnrun)
{
    Journal journal;
    GtalkRequestController controller;
    controller.addToCommandQueue(new RecordingCommand(journal, 1));
    controller.addToResponseQueue(new TrackedNotification(journal, "signin", 2));
    EXPECT_EQ(journal.alive.load(), 0);

    controller.init();
    Ixa::Base::Runtime::Mutex* mutex = controller.GetMutex();
    ASSERT_NE(mutex, nullptr);
    controller.init();
    EXPECT_EQ(controller.GetMutex(), mutex);
    controller.addToCommandQueue(new RecordingCommand(journal, 3));
    controller.addToResponseQueue(new TrackedNotification(journal, "no such handler", 4));
    controller.addToResponseQueue(new TrackedNotification(journal, nullptr, 5));
    controller.uninit();
    controller.uninit();
    controller.addToCommandQueue(new RecordingCommand(journal, 6));

    EXPECT_EQ(journal.order, std::vector<int>{3});
    EXPECT_EQ(journal.alive.load(), 0);
}

TEST(RequestPipelineTest, AccountStringsAreOwnCopiesAndFlagsStartCleared)
{
    GtalkRequestController controller;
    EXPECT_EQ(controller.GetUsername(), nullptr);
    IMString name("alice@example.com");
    controller.SetUsername(&name);
    name.Append(L"/changed");
    ASSERT_NE(controller.GetUsername(), nullptr);
    EXPECT_EQ(*controller.GetUsername(), IMString("alice@example.com"));
    IMString password("secret");
    controller.SetPassword(&password);
    IMString empty("");
    controller.SetPassword(&empty);
    EXPECT_TRUE(controller.GetPassword()->IsEmpty());

    EXPECT_FALSE(controller.IsInitialListReceived());
    controller.init();
    EXPECT_FALSE(controller.GetSignInCancel());
    controller.GetMutex()->Acquire();
    controller.SetSignInCancel(true);
    controller.GetMutex()->Release();
    EXPECT_TRUE(controller.GetSignInCancel());
    controller.uninit();
}

TEST(ResponsePipelineTest, NotificationsReachTheHandlerOfTheirExactNameInOrder)
{
    Journal journal;
    auto handlers = new IMHashMap();
    handlers->construct(16);
    handlers->add(new IMString("buddylist"), new RecordingHandler(journal, 0));
    handlers->add(new IMString("message"), new RecordingHandler(journal, 10000));
    auto processor = std::make_unique<ResponseProcessor>();
    ASSERT_EQ(processor->EventThreadConstruct(), Ixa::E_SUCCESS);
    processor->setHandlersMap(handlers);
    ASSERT_EQ(processor->Start(), Ixa::E_SUCCESS);

    std::vector<std::thread> posters;
    for (int p = 0; p < 2; ++p) {
        posters.emplace_back([&, p] {
            const char* name = p == 0 ? "buddylist" : "message";
            for (int i = 0; i < 300; ++i) {
                processor->HandleResponse(new TrackedNotification(journal, name, i));
            }
        });
    }
    for (auto& poster : posters) {
        poster.join();
    }
    processor->HandleResponse(new TrackedNotification(journal, "BuddyList", 7));
    processor->HandleResponse(new TrackedNotification(journal, nullptr, 8));
    processor->HandleResponse(new IMString("not a notification"));
    // Nobody handles "nobody": its protocol object must still be freed (the leak check sees it).
    auto orphan = new GtalkNotification();
    orphan->setNotificationName(new IMString("nobody"));
    orphan->setXMPPObject(new IMString("payload"));
    processor->HandleResponse(orphan);
    processor->StopResponseProcessor();

    ASSERT_EQ(journal.order.size(), 600u);
    int nextList = 0;
    int nextMessage = 10000;
    for (int id : journal.order) {
        if (id < 10000) {
            ASSERT_EQ(id, nextList++);
        } else {
            ASSERT_EQ(id, nextMessage++);
        }
    }
    EXPECT_EQ(journal.alive.load(), 0);
    EXPECT_EQ(processor->HandleResponse(new TrackedNotification(journal, "message", 9)), Ixa::E_FAILURE);
    EXPECT_EQ(journal.alive.load(), 0);
}
