#include "xmpp/KeepAlive.h"

#include "net/IMSocketInputStream.h"

#include <algorithm>
#include <utility>

KeepAlive::KeepAlive(std::function<void()> ping) : ping_(std::move(ping)), thread_([this] { run(); })
{
}

KeepAlive::~KeepAlive()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void KeepAlive::setBounds(std::chrono::milliseconds idle, std::chrono::milliseconds wait)
{
    std::lock_guard<std::mutex> guard(lock_);
    idle_ = idle;
    wait_ = wait;
}

void KeepAlive::watch(IMSocketInputStream* input)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        input_ = input;
        pingOutstanding_ = false;
    }
    changed_.notify_all();
}

void KeepAlive::stop()
{
    std::lock_guard<std::mutex> guard(lock_);
    input_ = nullptr;
    pingOutstanding_ = false;
}

void KeepAlive::run()
{
    std::unique_lock<std::mutex> guard(lock_);
    while (!ending_) {
        if (input_ == nullptr) {
            changed_.wait(guard);
            continue;
        }
        changed_.wait_for(guard, std::min(idle_, wait_) / 4);
        if (!ending_ && input_ != nullptr) {
            check(Clock::now());
        }
    }
}

// The ping and the loss happen with the lock held, so a stop() that returned has seen the
// last of them.
void KeepAlive::check(Clock::time_point now)
{
    const Clock::time_point received = input_->lastReceived();
    if (pingOutstanding_ && received >= pinged_) {
        pingOutstanding_ = false;
    }
    if (pingOutstanding_ && now - pinged_ >= wait_) {
        input_->offerEnd(true);
        input_ = nullptr;
        pingOutstanding_ = false;
        return;
    }
    if (!pingOutstanding_ && now - received >= idle_) {
        pinged_ = now;
        pingOutstanding_ = true;
        ping_();
    }
}
