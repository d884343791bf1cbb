// A request controller for protocol tests: the real controller, never started (init is not
// called, so it has no connection, delegate, processors or handlers), that records every
// named notification posted to its response queue (a nameless one, which no handler would
// see, is deleted at once), in order, with the time it arrived, keeps them
// (and the objects they carry) until it goes, and lets a test wait for one. Commands are
// deleted unrun, so requests made of it go nowhere.
// Threading: addToResponseQueue from any thread (the connection, reader and socket threads
// post); the queries and waits from the test's thread.
#pragma once

#include "engine/GtalkRequestController.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace TestSupport {

class RecordingController : public GtalkRequestController {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds DefaultWait{10000};

    RecordingController();
    ~RecordingController() override;

    void addToResponseQueue(GtalkNotification* notification) override;
    void addToCommandQueue(Command* command) override;

    // The names posted so far, in order.
    std::vector<std::string> Names();
    size_t Count(const std::string& name);
    // Waits until `count` notifications named `name` have been posted.
    bool WaitFor(const std::string& name, size_t count = 1, std::chrono::milliseconds timeout = DefaultWait);
    // The object of the index-th notification named `name` (0 first), or null.
    Ixa::Base::Object* ObjectOf(const std::string& name, size_t index = 0);
    // When the index-th notification named `name` arrived.
    Clock::time_point ArrivalOf(const std::string& name, size_t index = 0);
    // Forgets (and frees) what was recorded.
    void Clear();

private:
    struct Record {
        std::string name;
        GtalkNotification* notification;
        Clock::time_point arrival;
    };

    const Record* Find(const std::string& name, size_t index);
    void ClearLocked();

    std::mutex mutex_;
    std::condition_variable posted_;
    std::vector<Record> records_;
};

}  // namespace TestSupport
