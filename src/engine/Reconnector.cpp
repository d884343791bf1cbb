#include "engine/Reconnector.h"

#include "engine/RequestController.h"
#include "engine/ResponseDelegate.h"
#include "store/Message.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr std::chrono::milliseconds FIRST_DELAY{1000};
constexpr double BASE_SECONDS = 2.0;
constexpr double GROWTH = 1.6;
constexpr double MAX_SECONDS = 300.0;
constexpr double JITTER = 0.2;

}  // namespace

Reconnector::Reconnector(RequestController* controller, std::function<void()> startTry)
    : controller_(controller), startTry_(std::move(startTry)), random_(std::random_device{}()), timer_([this] { run(); })
{
}

Reconnector::~Reconnector()
{
    shutdown();
    for (Message* message : held_) {
        delete message;
    }
}

void Reconnector::shutdown()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        ending_ = true;
    }
    changed_.notify_all();
    if (timer_.joinable()) {
        timer_.join();
    }
}

std::chrono::milliseconds Reconnector::delayBefore(int failedTries, double jitter)
{
    const double seconds = failedTries <= 0
        ? std::chrono::duration<double>(FIRST_DELAY).count()
        : std::min(BASE_SECONDS * std::pow(GROWTH, failedTries - 1), MAX_SECONDS);
    const double spread = 1.0 + JITTER * std::clamp(jitter, -1.0, 1.0);
    return std::chrono::milliseconds(static_cast<long long>(std::llround(seconds * spread * 1000.0)));
}

void Reconnector::start()
{
    std::unique_lock<std::mutex> guard(lock_);
    active_ = true;
    failedTries_ = 0;
    scheduleNext(guard);
}

void Reconnector::tryFailed()
{
    std::unique_lock<std::mutex> guard(lock_);
    if (!active_) {
        return;
    }
    ++failedTries_;
    scheduleNext(guard);
}

void Reconnector::scheduleNext(std::unique_lock<std::mutex>& guard)
{
    const std::chrono::milliseconds delay = delayBefore(failedTries_, drawJitter());
    guard.unlock();
    schedule(delay);
}

double Reconnector::drawJitter() { return std::uniform_real_distribution<double>(-1.0, 1.0)(random_); }

void Reconnector::schedule(std::chrono::milliseconds delay)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        nextTry_ = std::chrono::steady_clock::now() + delay;
        tryPending_ = true;
    }
    changed_.notify_all();
    if (ResponseDelegate* delegate = controller_->GetResponseDelegate()) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(delay + std::chrono::milliseconds(999));
        delegate->OnReconnecting(static_cast<int>(seconds.count()));
    }
}

void Reconnector::tryNow()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!active_ || !tryPending_) {
            return;
        }
        nextTry_ = std::chrono::steady_clock::now();
    }
    changed_.notify_all();
}

bool Reconnector::isActive()
{
    std::lock_guard<std::mutex> guard(lock_);
    return active_;
}

std::vector<Message*> Reconnector::finish()
{
    std::lock_guard<std::mutex> guard(lock_);
    active_ = false;
    tryPending_ = false;
    ++rounds_;
    std::vector<Message*> held;
    held.swap(held_);
    changed_.notify_all();
    return held;
}

void Reconnector::abandon(ResponseDelegate& delegate)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        sessionKept_ = false;
    }
    for (Message* message : finish()) {
        delegate.OnMessageSentToChatFailed(message, nullptr, 0);
    }
}

void Reconnector::sessionStarted()
{
    std::lock_guard<std::mutex> guard(lock_);
    sessionKept_ = true;
}

bool Reconnector::hold(Message* message)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!active_ && !sessionKept_) {
        return false;
    }
    held_.push_back(message);
    return true;
}

void Reconnector::run()
{
    std::unique_lock<std::mutex> guard(lock_);
    while (!ending_) {
        if (!tryPending_) {
            changed_.wait(guard);
            continue;
        }
        if (changed_.wait_until(guard, nextTry_) == std::cv_status::no_timeout || std::chrono::steady_clock::now() < nextTry_) {
            continue;
        }
        tryPending_ = false;
        const std::uint64_t round = rounds_;
        guard.unlock();
        if (ResponseDelegate* delegate = controller_->GetResponseDelegate()) {
            delegate->OnReconnecting(0);
        }
        guard.lock();
        // Queued under the lock, and only while the reconnecting it belongs to goes on: a
        // sign-out that ended it meanwhile is never followed by a try, not even when a new
        // loss has started reconnecting again (that one schedules its own).
        if (active_ && round == rounds_) {
            startTry_();
        }
    }
}
