#include "engine/ArchivePoll.h"

#include <utility>

ArchivePoll::ArchivePoll(std::function<void()> poll, std::chrono::milliseconds interval)
    : poll_(std::move(poll)), interval_(interval), timer_([this] { run(); })
{
}

ArchivePoll::~ArchivePoll() { shutdown(); }

void ArchivePoll::start()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (polling_ || ending_) {
            return;
        }
        polling_ = true;
        next_ = std::chrono::steady_clock::now() + interval_;
    }
    changed_.notify_all();
}

void ArchivePoll::stop()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        polling_ = false;
    }
    changed_.notify_all();
}

bool ArchivePoll::isPolling()
{
    std::lock_guard<std::mutex> guard(lock_);
    return polling_;
}

void ArchivePoll::shutdown()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        ending_ = true;
        polling_ = false;
    }
    changed_.notify_all();
    if (timer_.joinable() && timer_.get_id() != std::this_thread::get_id()) {
        timer_.join();
    }
}

void ArchivePoll::run()
{
    std::unique_lock<std::mutex> guard(lock_);
    while (!ending_) {
        if (!polling_) {
            changed_.wait(guard);
            continue;
        }
        if (changed_.wait_until(guard, next_) == std::cv_status::no_timeout ||
            std::chrono::steady_clock::now() < next_) {
            continue;
        }
        next_ = std::chrono::steady_clock::now() + interval_;
        guard.unlock();
        poll_();
        guard.lock();
    }
}
