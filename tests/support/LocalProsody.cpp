#include "LocalProsody.h"

#include "TimedProcess.h"

#include <signal.h>

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace TestSupport {

namespace {

// The helper makes certificates, starts the server and waits for its port; stopping waits for
// the process to end, forcefully after ten seconds.
constexpr std::chrono::seconds HelperTimeout{60};
constexpr std::chrono::seconds KillTimeout{10};

}  // namespace

LocalProsody::LocalProsody(std::string domain, Modules modules)
    : domain_(std::move(domain)), modules_(modules), directory_("veloim-prosody")
{
}

LocalProsody::~LocalProsody()
{
    try {
        Stop();
    } catch (const std::runtime_error&) {
        // Nobody is left to tell; the directory goes anyway.
    }
}

void LocalProsody::Start()
{
    std::vector<std::string> arguments{"start", directory_.Path(), "--domain", domain_};
    if (modules_ == Modules::Stock) {
        arguments.push_back("--stock");
    }
    const std::map<std::string, std::string> values = ParseInstance(Helper(arguments));
    try {
        port_ = static_cast<unsigned short>(std::stoi(values.at("port")));
        pid_ = std::stoi(values.at("pid"));
        caFile_ = values.at("ca_file");
        logFile_ = values.at("log");
    } catch (const std::exception&) {
        throw std::runtime_error("LocalProsody: the helper did not report the instance");
    }
    running_ = true;
}

void LocalProsody::Register(const std::string& user, const std::string& password)
{
    Helper({"register", directory_.Path(), user, password});
}

void LocalProsody::Stop()
{
    if (!running_)
        return;
    running_ = false;
    Helper({"stop", directory_.Path()});
}

void LocalProsody::Kill()
{
    if (!running_)
        return;
    running_ = false;
    ::kill(pid_, SIGKILL);
    const auto deadline = std::chrono::steady_clock::now() + KillTimeout;
    while (!HasEnded(pid_)) {
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("LocalProsody: the killed server did not end");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

const std::string& LocalProsody::Domain() const { return domain_; }

unsigned short LocalProsody::Port() const { return port_; }

int LocalProsody::Pid() const { return pid_; }

const std::string& LocalProsody::CaFile() const { return caFile_; }

const std::string& LocalProsody::LogFile() const { return logFile_; }

std::map<std::string, std::string> LocalProsody::ParseInstance(const std::string& text)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

// The server is not this process's child (the helper started it in a session of its own), so
// its end is seen in /proc: gone, or a zombie left for whoever reaps it.
bool LocalProsody::HasEnded(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    const size_t end = line.rfind(')');
    return end != std::string::npos && end + 2 < line.size() && line[end + 2] == 'Z';
}

std::string LocalProsody::Helper(const std::vector<std::string>& arguments) const
{
    std::vector<std::string> command{VELOIM_PROSODY_LOCAL};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const TimedProcess::Outcome outcome = TimedProcess::Run(command, HelperTimeout);
    if (!outcome.Succeeded()) {
        throw std::runtime_error("LocalProsody: prosody-local " + arguments[0]
            + (outcome.timedOut ? " timed out" : " failed") + ":\n" + outcome.output);
    }
    return outcome.output;
}

}  // namespace TestSupport
