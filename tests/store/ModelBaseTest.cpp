#include "app/IMModel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

class NamedModel : public IMModel {
public:
    explicit NamedModel(const char* name)
        : name_(name)
    {
    }
    IMString getModelName() const override { return name_; }

private:
    IMString name_;
};

class CountingView : public IMModel::View {
public:
    void onModelUpdate(IMModel*, void*) override { ++calls; }
    std::atomic<int> calls{0};
};

class RecordingView : public IMModel::View {
public:
    void onModelUpdate(IMModel* model, void* data) override
    {
        models.push_back(model);
        payloads.push_back(data);
    }

    std::vector<IMModel*> models;
    std::vector<void*> payloads;
};

// Stays in its first call until told to leave, noting the order of what happens around it.
class HoldingView : public IMModel::View {
public:
    void onModelUpdate(IMModel*, void*) override
    {
        entered = true;
        while (!mayLeave) {
            std::this_thread::yield();
        }
        left = ++clock;
    }

    std::atomic<bool> entered{false};
    std::atomic<bool> mayLeave{false};
    std::atomic<int> clock{0};
    std::atomic<int> left{0};
};

}  // namespace

TEST(ModelBaseTest, SubscribersAreKeptPerModelNameAndCalledInOrder)
{
    IMModel::initIMModel();
    NamedModel contacts("ContactModel");
    NamedModel sameName("ContactModel");
    NamedModel messages("MessageModel");
    RecordingView first;
    RecordingView second;
    int payload = 0;

    EXPECT_FALSE(messages.notify(&payload)) << "no subscriber, nobody called";
    contacts.subscribe(&first);
    contacts.subscribe(&first);
    sameName.subscribe(&second);
    EXPECT_TRUE(contacts.notify(&payload));
    ASSERT_EQ(first.models.size(), 1u) << "a second subscription of one view adds nothing";
    EXPECT_EQ(first.models[0], &contacts);
    EXPECT_EQ(first.payloads[0], &payload);
    ASSERT_EQ(second.models.size(), 1u) << "models of one name share their subscribers";
    EXPECT_EQ(second.models[0], &contacts);
    EXPECT_FALSE(messages.notify(&payload));

    sameName.unsubscribe(&first);
    EXPECT_TRUE(contacts.notify(nullptr));
    EXPECT_EQ(first.models.size(), 1u);
    EXPECT_EQ(second.models.size(), 2u);

    IMModel::initIMModel();
    EXPECT_FALSE(contacts.notify(nullptr));
}

// A screen leaving its models is torn down next: the call into it that a worker thread is in
// must be over before unsubscribe returns.
TEST(ModelBaseTest, UnsubscribeWaitsForACallUnderWay)
{
    IMModel::initIMModel();
    NamedModel model("GroupModel");
    HoldingView view;
    model.subscribe(&view);
    std::thread worker([&] { model.notify(nullptr); });
    while (!view.entered) {
        std::this_thread::yield();
    }
    std::atomic<int> unsubscribed{0};
    std::thread leaving([&] {
        model.unsubscribe(&view);
        unsubscribed = ++view.clock;
    });
    // Time for an unsubscribe that does not wait to return while the call is under way.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    view.mayLeave = true;
    leaving.join();
    worker.join();
    EXPECT_LT(view.left.load(), unsubscribed.load());
    EXPECT_FALSE(model.notify(nullptr)) << "not called after leaving";
    IMModel::initIMModel();
}

TEST(ModelBaseTest, NotifyingWhileViewsComeAndGoReachesTheViewsThatStay)
{
    IMModel::initIMModel();
    NamedModel model("MessageModel");
    CountingView staying;
    CountingView coming;
    model.subscribe(&staying);
    std::atomic<bool> done{false};
    std::thread churn([&] {
        while (!done) {
            model.subscribe(&coming);
            model.unsubscribe(&coming);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        EXPECT_TRUE(model.notify(nullptr));
    }
    done = true;
    churn.join();
    EXPECT_EQ(staying.calls.load(), 2000);
    IMModel::initIMModel();
}
