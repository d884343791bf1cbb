// A local Prosody server for end-to-end tests, run through the helper
// testing/prosody/prosody-local in a throw-away instance directory of its own: Start brings it
// up on a free port of 127.0.0.1 with a fresh certificate authority for the domain, Register
// makes accounts, Stop (or the destructor) ends the server by its process id and removes the
// directory, Kill ends it abruptly instead. Clients take CaFile() as $VELOIM_CA_FILE and
// verify Domain().
// The helper runs as a child of this process, which it takes as the server's owner: should the
// test process end without the destructor (a sanitizer halting it, a kill), the helper's
// watchdog stops the server.
// Every helper run has a time-out; a failure throws std::runtime_error with the helper's
// output.
// A server made with Modules::Stock runs Prosody's own modules alone, without the service
// extensions, as an ordinary server does.
// Threading and ownership: one thread at a time. The object owns the server it started.
#pragma once

#include "TemporaryDirectory.h"

#include <map>
#include <string>
#include <vector>

namespace TestSupport {

class LocalProsody {
public:
    enum class Modules { WithServiceExtensions, Stock };

    explicit LocalProsody(std::string domain = "localhost", Modules modules = Modules::WithServiceExtensions);
    ~LocalProsody();

    LocalProsody(const LocalProsody&) = delete;
    LocalProsody& operator=(const LocalProsody&) = delete;

    void Start();
    void Register(const std::string& user, const std::string& password);
    // Does nothing when the server is not running.
    void Stop();
    // Ends the server at once with SIGKILL, as a crash would (its clients see the connection
    // drop), and waits until the process is gone. Does nothing when it is not running.
    void Kill();

    const std::string& Domain() const;
    unsigned short Port() const;
    int Pid() const;
    const std::string& CaFile() const;
    const std::string& LogFile() const;

    // The key=value lines the helper prints on start and keeps in the instance directory's
    // "instance" file.
    static std::map<std::string, std::string> ParseInstance(const std::string& text);
    // True once the process is gone or a zombie: the server is no child of the test process,
    // whoever reaps it.
    static bool HasEnded(int pid);

private:
    std::string Helper(const std::vector<std::string>& arguments) const;

    std::string domain_;
    Modules modules_;
    TemporaryDirectory directory_;
    unsigned short port_ = 0;
    int pid_ = 0;
    std::string caFile_;
    std::string logFile_;
    bool running_ = false;
};

}  // namespace TestSupport
