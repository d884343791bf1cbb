// Notices a connection that has stopped carrying bytes without closing (a dead route, a
// stalled network): when nothing has been received for `idle`, it pings the server; when the
// ping brings nothing back within `wait`, the connection is taken as lost, the way a closed
// one is (the input stream gets its loss marker behind what was received). So a stall is
// noticed within idle + wait, plus one check period (a quarter of the smaller of the two):
// by default 30 s + 15 s + 3.75 s.
//
// Threading: a thread of its own checks the times; watch and stop come from the connection's
// threads, under its lock. The ping goes out through the `ping` callback, on the keep-alive
// thread with its lock held, so once stop() has returned no ping is under way and the input
// stream is no longer touched. Ownership: a member of the connection; it owns its thread and
// borrows the input stream between watch and stop.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class IMSocketInputStream;

class KeepAlive {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds IDLE{30000};
    static constexpr std::chrono::milliseconds WAIT{15000};

    explicit KeepAlive(std::function<void()> ping);
    ~KeepAlive();

    KeepAlive(const KeepAlive&) = delete;
    KeepAlive& operator=(const KeepAlive&) = delete;

    void setBounds(std::chrono::milliseconds idle, std::chrono::milliseconds wait);
    // Starts watching the connection whose received bytes `input` reports.
    void watch(IMSocketInputStream* input);
    void stop();

private:
    void run();
    // Under the lock: pings, or declares the loss, as the times say.
    void check(Clock::time_point now);

    std::function<void()> ping_;
    std::mutex lock_;
    std::condition_variable changed_;
    IMSocketInputStream* input_ = nullptr;
    bool ending_ = false;
    std::chrono::milliseconds idle_ = IDLE;
    std::chrono::milliseconds wait_ = WAIT;
    Clock::time_point pinged_{};
    bool pingOutstanding_ = false;
    std::thread thread_;
};
