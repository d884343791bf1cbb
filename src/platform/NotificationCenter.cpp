#include "platform/NotificationCenter.h"

#include "platform/UiThreadCalls.h"

#include <QCoreApplication>

#include <mutex>

namespace Ixa::App {

namespace {

struct CenterState {
    std::mutex mutex;
    int badge = 0;
    NotificationCenter::Ongoing ongoing;
    std::function<void()> observer;
};

CenterState& State()
{
    static CenterState state;
    return state;
}

}  // namespace

void NotificationCenter::SetBadge(int count)
{
    {
        std::lock_guard lock(State().mutex);
        State().badge = count;
    }
    Changed();
}

int NotificationCenter::GetBadge()
{
    std::lock_guard lock(State().mutex);
    return State().badge;
}

void NotificationCenter::SetOngoing(const Base::String& text, const Base::String& launchArgument)
{
    {
        std::lock_guard lock(State().mutex);
        State().ongoing = Ongoing{true, text, launchArgument};
    }
    Changed();
}

void NotificationCenter::RemoveOngoing()
{
    {
        std::lock_guard lock(State().mutex);
        State().ongoing = Ongoing{};
    }
    Changed();
}

NotificationCenter::Ongoing NotificationCenter::GetOngoing()
{
    std::lock_guard lock(State().mutex);
    return State().ongoing;
}

void NotificationCenter::SetObserver(std::function<void()> observer)
{
    std::lock_guard lock(State().mutex);
    State().observer = std::move(observer);
}

void NotificationCenter::Reset()
{
    std::lock_guard lock(State().mutex);
    State().badge = 0;
    State().ongoing = Ongoing{};
}

void NotificationCenter::Changed()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return;
    Ui::UiThreadCalls::Post([] {
        std::function<void()> observer;
        {
            std::lock_guard lock(State().mutex);
            observer = State().observer;
        }
        if (observer)
            observer();
    });
}

}  // namespace Ixa::App
