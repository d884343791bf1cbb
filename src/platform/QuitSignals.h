// Turns the signals that ask a program to end (SIGTERM, SIGINT, SIGHUP) into a call on the
// user-interface thread, so that the program quits the way the user's own quit does instead
// of dying where it stands. The handler only writes a byte to a pipe (all a signal handler
// may safely do); the pipe's reading end is watched by the user-interface loop, which calls
// the quit function once per burst of signals.
// Threading: construct and destroy on the user-interface thread, whose loop calls `quit`.
// Ownership: one instance at a time; it owns the pipe and puts the previous handlers back
// when it goes.
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace Ixa::App {

class QuitSignals {
public:
    explicit QuitSignals(std::function<void()> quit);
    ~QuitSignals();

    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // Whether the handlers are in place (false when the pipe could not be made).
    bool IsInstalled() const;

private:
    void Drain();

    std::function<void()> quit_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace Ixa::App
