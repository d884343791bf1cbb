#include "app/IMModel.h"
#include "platform/Mutex.h"

#include <gtest/gtest.h>

#include <atomic>
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
    explicit RecordingView(Ixa::Base::Runtime::Mutex* lock = nullptr)
        : lock_(lock)
    {
    }

    void onModelUpdate(IMModel* model, void* data) override
    {
        models.push_back(model);
        payloads.push_back(data);
        // Only the holder may release a re-entrant lock; a view called under it can.
        heldLock = lock_ != nullptr && lock_->Release() == Ixa::E_SUCCESS && lock_->Acquire() == Ixa::E_SUCCESS;
    }

    std::vector<IMModel*> models;
    std::vector<void*> payloads;
    bool heldLock = false;

private:
    Ixa::Base::Runtime::Mutex* lock_;
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

TEST(ModelBaseTest, ViewsAreCalledUnderTheNotificationLockOnceItIsHandedOver)
{
    IMModel::initIMModel();
    Ixa::Base::Runtime::Mutex lock;
    ASSERT_EQ(lock.Create(), Ixa::E_SUCCESS);
    NamedModel model("GroupModel");
    RecordingView view(&lock);
    model.subscribe(&view);

    model.notify(nullptr);
    EXPECT_FALSE(view.heldLock) << "no lock handed over yet";
    IMModel::setNotificationLock(&lock);
    model.notify(nullptr);
    EXPECT_TRUE(view.heldLock);
    EXPECT_EQ(lock.Release(), Ixa::E_INVALID_STATE) << "released after the call";
    IMModel::setNotificationLock(nullptr);
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
