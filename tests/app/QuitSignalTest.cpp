// The veloim program asked to end by a signal (SIGTERM, SIGINT, SIGHUP) quits the way the
// user's own quit does: signed in against a scripted server, it sends its unavailable
// presence and closes its stream, closes its stores (so no write-ahead log is left behind)
// and exits with status 0.
#include "ProgramUnderTest.h"
#include "ScriptedSignIn.h"
#include "support/ScriptedTlsServer.h"
#include "support/TempDataDir.h"
#include "support/TestCertificates.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include <signal.h>

namespace {

using namespace std::chrono_literals;
using TestSupport::ProgramUnderTest;
using TestSupport::ScriptedTlsServer;

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
        ProgramUnderTest::StoreAccount(ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
        TestSupport::TlsScript script = ScriptedSignIn::signIn();
        script.WaitFor("jabber:iq:roster").WaitFor("</stream:stream>").Send("</stream:stream>").Close();
        ScriptedTlsServer server(certificates, {script});
        ProgramUnderTest program(server.Port(), certificates.CaFile());
        ASSERT_TRUE(program.Start());
        const bool signedIn = server.WaitUntilReceived("jabber:iq:roster", 60s);
        program.Signal(signal);
        std::chrono::milliseconds took{};
        const int status = program.WaitForExit(30s, took);
        ASSERT_TRUE(signedIn) << strsignal(signal) << program.Log();
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
