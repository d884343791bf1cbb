// The built veloim program run as a user runs it, in a child process: offscreen, against a
// server on 127.0.0.1 (verified as "localhost" with the given authority), with its data in the
// current $VELOIM_HOME, where StoreAccount has left an account that signs in by itself.
// The child's output goes to a log file beside the data, shown by Log() when a test fails.
// Threading: the test's thread. Ownership: owns the child; a child still running when the
// object goes is killed and reaped.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

namespace TestSupport {

class ProgramUnderTest {
public:
    ProgramUnderTest(unsigned short port, std::string caFile);
    ~ProgramUnderTest();

    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // The account as the sign-in screen stores it with "save password" and "automatic sign-in".
    static void StoreAccount(const std::string& user, const std::string& password);

    bool Start();
    void Signal(int signal);
    // The child's exit status (128 + the signal for one that killed it) once it has ended, or
    // -1 (after killing it) when it has not ended within the limit; `took` says how long it took.
    int WaitForExit(std::chrono::milliseconds limit, std::chrono::milliseconds& took);
    std::string Log() const;

private:
    unsigned short port_;
    std::string caFile_;
    std::string logFile_;
    pid_t child_ = 0;
};

}  // namespace TestSupport
