// Brings a lost session back by itself: after a signed-in session's connection is lost it
// schedules tries (each one a sign-in its owner queues on the request thread), the first after about a second, then after min(2 s × 1.6ⁿ, 300 s)
// (n: the tries that failed so far), each with ±20 % jitter so that many clients cut off at
// once do not all come back at the same moment. The delegate hears OnReconnecting with the
// seconds to the next try, and 0 when a try starts; tryNow starts one at once.
//
// Chat messages the user sends meanwhile are held here, in order, and handed back when the
// session is back (to be sent) or when the reconnecting ends otherwise (to be marked failed).
//
// Threading: the public calls come from the request and response threads (tryNow from the
// user-interface thread); a timer thread of its own waits for each try. All state is under
// one lock. Ownership: owned by the request controller, whose delegate it borrows; it owns the
// held messages until it hands them back.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

class Message;
class RequestController;
class ResponseDelegate;

class Reconnector {
public:
    // `startTry` queues one sign-in try; it runs on the reconnector's own thread.
    Reconnector(RequestController* controller, std::function<void()> startTry);
    ~Reconnector();

    Reconnector(const Reconnector&) = delete;
    Reconnector& operator=(const Reconnector&) = delete;

    // Ends the timer thread: no try starts from now on (the program is ending). The other
    // calls stay safe, and merely schedule nothing.
    void shutdown();

    // The wait before a try, given the tries that failed so far and a jitter draw in [-1, 1].
    static std::chrono::milliseconds delayBefore(int failedTries, double jitter);

    // The session was lost: tries begin.
    void start();
    // A try failed short of signing in: the next is scheduled.
    void tryFailed();
    void tryNow();
    bool isActive();
    // The reconnecting is over (the session is back, or it ended for good): answers the held
    // messages, in the order they were sent, which the caller then owns.
    std::vector<Message*> finish();
    // The reconnecting ends for good: each held message is reported failed to `delegate`.
    void abandon(ResponseDelegate& delegate);
    // A session stands: a message that fails to go out from now on is held for its return.
    void sessionStarted();
    // Holds `message` (taking it) while reconnecting, or after a send failed on a session that
    // stands (its loss is on its way); false, leaving it with the caller, when there is no
    // session to come back.
    bool hold(Message* message);

private:
    // Under the lock.
    double drawJitter();
    // Schedules the try after failedTries_ failures; lets go of the lock.
    void scheduleNext(std::unique_lock<std::mutex>& guard);
    void schedule(std::chrono::milliseconds delay);
    void run();

    RequestController* controller_;
    std::function<void()> startTry_;
    std::mutex lock_;
    std::condition_variable changed_;
    bool active_ = false;
    bool sessionKept_ = false;
    bool ending_ = false;
    bool tryPending_ = false;
    int failedTries_ = 0;
    // Reconnectings ended so far: a try due in one of them is not queued in a later one.
    std::uint64_t rounds_ = 0;
    std::chrono::steady_clock::time_point nextTry_;
    std::vector<Message*> held_;
    std::mt19937 random_;
    std::thread timer_;
};
