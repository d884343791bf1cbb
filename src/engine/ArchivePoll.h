// Keeps an invisible user's messages coming on a server that has no way to hide the user and
// still route what is sent to the user's address (one that refused the shared status): there,
// invisible means no available session, and the server holds such messages offline until the
// user shows again. Meanwhile every message is also in the server's archive, so the archive is
// asked for what is new every `interval`, until the user shows again or signs out.
//
// Threading: start, stop and shutdown come from the request and response threads; a timer
// thread of its own waits between polls and calls `poll` with no lock held (a poll only
// queues a command). Ownership: owned by the request controller; it owns its thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class ArchivePoll {
public:
    static constexpr std::chrono::milliseconds INTERVAL{10000};

    explicit ArchivePoll(std::function<void()> poll, std::chrono::milliseconds interval = INTERVAL);
    ~ArchivePoll();

    ArchivePoll(const ArchivePoll&) = delete;
    ArchivePoll& operator=(const ArchivePoll&) = delete;

    // Polls every interval from now on, the first one interval from now; a second start
    // keeps the running schedule.
    void start();
    void stop();
    bool isPolling();
    // Ends the timer thread: no poll starts from now on (the program is ending), and a later
    // start is ignored.
    void shutdown();

private:
    void run();

    std::function<void()> poll_;
    const std::chrono::milliseconds interval_;
    std::mutex lock_;
    std::condition_variable changed_;
    bool polling_ = false;
    bool ending_ = false;
    std::chrono::steady_clock::time_point next_;
    std::thread timer_;
};
