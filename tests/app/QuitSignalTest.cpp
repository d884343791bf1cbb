// The veloim program asked to end by a signal (SIGTERM, SIGINT, SIGHUP) quits the way the
// user's own quit does: signed in against a scripted server, it sends its unavailable
// presence and closes its stream, closes its stores (so no write-ahead log is left behind)
// and exits with status 0.
#include "ScriptedSignIn.h"
#include "store/PropertiesModel.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedTlsServer.h"
#include "support/TempDataDir.h"
#include "support/TestCertificates.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;
using TestSupport::ScopedEnvironment;
using TestSupport::ScriptedTlsServer;

// The account as the sign-in screen stores it with "save password" and "automatic sign-in".
void StoreAccountForAutomaticSignIn()
{
    std::unique_ptr<PropertiesModel> properties(PropertiesModel::GetInstance());
    const Ixa::Base::String id(ScriptedSignIn::USER.c_str());
    properties->SetUserName(id);
    properties->SetEmailId(id);
    properties->SavePassword(true);
    properties->SetPassword(Ixa::Base::String(ScriptedSignIn::PASSWORD.c_str()));
    properties->SetIsAutoSignIn(true);
}

// The child's exit status once it has ended, or -1 (after killing it) when it has not ended
// within the limit.
int WaitForExit(pid_t child, std::chrono::milliseconds limit, std::chrono::milliseconds& took)
{
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() - start > limit) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<std::string> LogsLeftIn(const std::string& directory)
{
    std::vector<std::string> logs;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.substr(name.size() - 4) == "-wal" && entry.file_size() > 0) {
            logs.push_back(name);
        }
    }
    return logs;
}

TEST(QuitSignalTest, TermIntAndHupSignOutCloseTheStoresAndExitWithZero)
{
    TestSupport::TestCertificates certificates("localhost");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        TempDataDir data;
        StoreAccountForAutomaticSignIn();
        TestSupport::TlsScript script = ScriptedSignIn::signIn();
        script.WaitFor("jabber:iq:roster").WaitFor("</stream:stream>").Send("</stream:stream>").Close();
        ScriptedTlsServer server(certificates, {script});
        ScopedEnvironment offscreen("QT_QPA_PLATFORM", "offscreen");
        ScopedEnvironment host("VELOIM_HOST", "localhost");
        ScopedEnvironment port("VELOIM_PORT", std::to_string(server.Port()));
        ScopedEnvironment authority("VELOIM_CA_FILE", certificates.CaFile());

        std::string program = VELOIM_EXECUTABLE;
        char* arguments[] = {program.data(), nullptr};
        pid_t child = 0;
        ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ), 0);
        const bool signedIn = server.WaitUntilReceived("jabber:iq:roster", 60s);
        kill(child, signal);
        std::chrono::milliseconds took{};
        const int status = WaitForExit(child, 30s, took);
        ASSERT_TRUE(signedIn) << strsignal(signal);
        std::printf("%s: exited %d ms after the signal\n", strsignal(signal), static_cast<int>(took.count()));
        EXPECT_EQ(status, 0) << strsignal(signal);
        const std::string received = ScriptedSignIn::normalized(server.Received());
        EXPECT_NE(received.find("<presence type=\"unavailable\"><priority>0</priority></presence></stream:stream>"),
            std::string::npos)
            << strsignal(signal);
        EXPECT_TRUE(LogsLeftIn(data.Path()).empty()) << strsignal(signal);
        EXPECT_TRUE(server.Failures().empty()) << testing::PrintToString(server.Failures());
    }
}

}  // namespace
