#include "platform/UiThreadCalls.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <deque>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace Ixa::Ui {

namespace {

struct CallState {
    std::mutex mutex;
    std::deque<std::function<void()>> calls;
    // Made on first use and kept for the life of the program: a post may come at any time.
    int pipe[2] = {-1, -1};
    // User-interface thread only. Belongs to the application object, so it goes with it.
    QPointer<QSocketNotifier> notifier;
};

CallState& State()
{
    static CallState state;
    return state;
}

// With the mutex held.
bool EnsurePipe(CallState& state)
{
    return state.pipe[0] >= 0 || ::pipe2(state.pipe, O_NONBLOCK | O_CLOEXEC) == 0;
}

void Drain(CallState& state)
{
    char bytes[64];
    while (::read(state.pipe[0], bytes, sizeof bytes) > 0) {
    }
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard lock(state.mutex);
            if (state.calls.empty())
                return;
            call = std::move(state.calls.front());
            state.calls.pop_front();
        }
        call();
    }
}

}  // namespace

void UiThreadCalls::Post(std::function<void()> call)
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr && QThread::currentThread() == application->thread())
        Open();
    CallState& state = State();
    std::lock_guard lock(state.mutex);
    if (!EnsurePipe(state))
        return;
    state.calls.push_back(std::move(call));
    // One byte per call keeps the pipe readable until the calls are run; a full pipe already
    // is.
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(state.pipe[1], &byte, 1);
}

void UiThreadCalls::Open()
{
    CallState& state = State();
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr || state.notifier)
        return;
    {
        std::lock_guard lock(state.mutex);
        if (!EnsurePipe(state))
            return;
    }
    state.notifier = new QSocketNotifier(state.pipe[0], QSocketNotifier::Read, application);
    QObject::connect(state.notifier, &QSocketNotifier::activated, state.notifier, [] { Drain(State()); });
}

}  // namespace Ixa::Ui
