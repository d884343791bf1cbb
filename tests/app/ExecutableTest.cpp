// The veloim program itself: it answers --help and --version, and run offscreen with
// --screenshot-dir it saves a picture of the sign-in form as its first screen.
#include "support/TempDataDir.h"
#include "support/TemporaryDirectory.h"
#include "support/TimedProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

TEST(ExecutableTest, HelpAndVersionPrintAndExit)
{
    const auto help = TestSupport::TimedProcess::Run({VELOIM_EXECUTABLE, "--help"}, 60s);
    EXPECT_TRUE(help.Succeeded());
    EXPECT_NE(std::string::npos, help.output.find("--screenshot-dir DIR"));
    const auto version = TestSupport::TimedProcess::Run({VELOIM_EXECUTABLE, "--version"}, 60s);
    EXPECT_TRUE(version.Succeeded());
    EXPECT_EQ("veloim 1.0.0\n", version.output);
}

TEST(ExecutableTest, OffscreenRunSavesTheSignInScreen)
{
    TempDataDir data;
    TestSupport::TemporaryDirectory pictures("veloim-pictures");
    const std::filesystem::path first = std::filesystem::path(pictures.Path()) / "0001-LOGIN_SCREEN.png";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string program = VELOIM_EXECUTABLE;
    std::string option = "--screenshot-dir";
    std::string directory = pictures.Path();
    char* arguments[] = {program.data(), option.data(), directory.data(), nullptr};
    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    ASSERT_EQ(0, posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ));
    while (!std::filesystem::exists(first) && std::chrono::steady_clock::now() - started < 60s) {
        std::this_thread::sleep_for(20ms);
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    // The picture may still be being written when it first appears, even still empty: wait
    // until it has bytes and stops growing.
    std::uintmax_t size = 0;
    for (int check = 0; check < 50 && std::filesystem::exists(first)
         && (std::filesystem::file_size(first) == 0 || std::filesystem::file_size(first) != size);
         ++check) {
        size = std::filesystem::file_size(first);
        std::this_thread::sleep_for(100ms);
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(std::filesystem::exists(first));
    std::printf("first screen after %lld ms\n", static_cast<long long>(elapsed.count()));
    EXPECT_GT(std::filesystem::file_size(first), 1000u);
    std::filesystem::create_directories(VELOIM_SCREENSHOT_DIR);
    std::filesystem::copy_file(first, std::filesystem::path(VELOIM_SCREENSHOT_DIR) / "veloim-first-screen.png",
        std::filesystem::copy_options::overwrite_existing);
}

}  // namespace
