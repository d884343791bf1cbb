#include "platform/QuitSignals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace Ixa::App {

namespace {

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int SignalCount = sizeof Signals / sizeof Signals[0];

int wakePipe[2] = {-1, -1};
struct sigaction previous[SignalCount];

extern "C" void OnQuitSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; the byte is not needed then.
    [[maybe_unused]] ssize_t written = ::write(wakePipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void()> quit) : quit_(std::move(quit))
{
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakePipe[0] = wakePipe[1] = -1;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(wakePipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Drain(); });
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < SignalCount; ++i)
        ::sigaction(Signals[i], &action, &previous[i]);
}

QuitSignals::~QuitSignals()
{
    if (!IsInstalled())
        return;
    for (int i = 0; i < SignalCount; ++i)
        ::sigaction(Signals[i], &previous[i], nullptr);
    notifier_.reset();
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

bool QuitSignals::IsInstalled() const { return notifier_ != nullptr; }

void QuitSignals::Drain()
{
    char bytes[64];
    while (::read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
    if (quit_)
        quit_();
}

}  // namespace Ixa::App
