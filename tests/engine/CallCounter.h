// Counts the calls of a callback that a timer thread makes (a reconnector's tries, an archive
// poll's polls), and lets the test wait for them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

class CallCounter {
public:
    std::function<void()> startTry()
    {
        return [this] {
            std::lock_guard<std::mutex> guard(lock_);
            ++tries_;
            started_.notify_all();
        };
    }

    bool waitFor(int tries)
    {
        std::unique_lock<std::mutex> guard(lock_);
        return started_.wait_for(guard, std::chrono::seconds(20), [&] { return tries_ >= tries; });
    }

    int tries()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return tries_;
    }

private:
    std::mutex lock_;
    std::condition_variable started_;
    int tries_ = 0;
};
