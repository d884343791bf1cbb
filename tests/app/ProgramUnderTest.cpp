#include "ProgramUnderTest.h"

#include "store/PropertiesModel.h"
#include "support/ProcessLauncher.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TestSupport {

using namespace std::chrono_literals;

ProgramUnderTest::ProgramUnderTest(unsigned short port, std::string caFile)
    : port_(port), caFile_(std::move(caFile))
{
    const char* home = std::getenv("VELOIM_HOME");
    logFile_ = std::string(home != nullptr ? home : ".") + "/program.log";
}

ProgramUnderTest::~ProgramUnderTest()
{
    if (child_ > 0) {
        kill(child_, SIGKILL);
        waitpid(child_, nullptr, 0);
    }
}

void ProgramUnderTest::StoreAccount(const std::string& user, const std::string& password)
{
    std::unique_ptr<PropertiesModel> properties(PropertiesModel::GetInstance());
    const Ixa::Base::String id(user.c_str());
    properties->SetUserName(id);
    properties->SetEmailId(id);
    properties->SavePassword(true);
    properties->SetPassword(Ixa::Base::String(password.c_str()));
    properties->SetIsAutoSignIn(true);
}

bool ProgramUnderTest::Start()
{
    const int log = open(logFile_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (log < 0) {
        return false;
    }
    const bool started = ProcessLauncher::Start({VELOIM_EXECUTABLE}, -1, log, child_,
        {"QT_QPA_PLATFORM=offscreen", "VELOIM_HOST=localhost", "VELOIM_PORT=" + std::to_string(port_),
            "VELOIM_CA_FILE=" + caFile_});
    close(log);
    if (!started) {
        child_ = 0;
    }
    return started;
}

void ProgramUnderTest::Signal(int signal)
{
    if (child_ > 0) {
        kill(child_, signal);
    }
}

int ProgramUnderTest::WaitForExit(std::chrono::milliseconds limit, std::chrono::milliseconds& took)
{
    if (child_ <= 0) {
        return -1;
    }
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    while (waitpid(child_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() - start > limit) {
            kill(child_, SIGKILL);
            waitpid(child_, &status, 0);
            child_ = 0;
            return -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    child_ = 0;
    took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ProgramUnderTest::Log() const
{
    std::ifstream file(logFile_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace TestSupport
