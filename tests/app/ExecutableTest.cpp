// The veloim program itself: it answers --help and --version, run offscreen with
// --screenshot-dir it saves a picture of the sign-in form as its first screen, and it runs
// the same from an installed tree.
#include "support/TempDataDir.h"
#include "support/TemporaryDirectory.h"
#include "support/TimedProcess.h"

#include <gtest/gtest.h>

#include <QImage>

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

constexpr int StatusStripHeight = 40;

TEST(ExecutableTest, HelpAndVersionPrintAndExit)
{
    const auto help = TestSupport::TimedProcess::Run({VELOIM_EXECUTABLE, "--help"}, 60s);
    EXPECT_TRUE(help.Succeeded());
    EXPECT_NE(std::string::npos, help.output.find("--screenshot-dir DIR"));
    EXPECT_NE(std::string::npos, help.output.find("--chat ADDRESS"));
    const auto textWithoutChat = TestSupport::TimedProcess::Run({VELOIM_EXECUTABLE, "--send", "Hi"}, 60s);
    EXPECT_EQ(2, textWithoutChat.exitCode);
    EXPECT_NE(std::string::npos, textWithoutChat.output.find("--send needs --chat ADDRESS"));
    const auto version = TestSupport::TimedProcess::Run({VELOIM_EXECUTABLE, "--version"}, 60s);
    EXPECT_TRUE(version.Succeeded());
    EXPECT_EQ("1.0.0", version.Marked("veloim ").value_or("")) << version.output;
}

// Runs `program` offscreen with a picture directory and waits (up to 60 s) until the first
// picture has been written whole; its path, or empty when none came. The time it took is
// written to `elapsed`.
std::filesystem::path FirstScreenOf(const std::string& program, const std::string& pictures, std::chrono::milliseconds& elapsed)
{
    const std::filesystem::path first = std::filesystem::path(pictures) / "0001-LOGIN_SCREEN.png";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string path = program;
    std::string option = "--screenshot-dir";
    std::string directory = pictures;
    char* arguments[] = {path.data(), option.data(), directory.data(), nullptr};
    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, path.c_str(), nullptr, nullptr, arguments, environ) != 0) {
        return {};
    }
    while (!std::filesystem::exists(first) && std::chrono::steady_clock::now() - started < 60s) {
        std::this_thread::sleep_for(20ms);
    }
    elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    return std::filesystem::exists(first) ? first : std::filesystem::path();
}

TEST(ExecutableTest, OffscreenRunSavesTheSignInScreen)
{
    TempDataDir data;
    TestSupport::TemporaryDirectory pictures("veloim-pictures");
    std::chrono::milliseconds elapsed{};
    const std::filesystem::path first = FirstScreenOf(VELOIM_EXECUTABLE, pictures.Path(), elapsed);
    ASSERT_FALSE(first.empty());
    std::printf("first screen after %lld ms\n", static_cast<long long>(elapsed.count()));
    EXPECT_GT(std::filesystem::file_size(first), 1000u);
    std::filesystem::create_directories(VELOIM_SCREENSHOT_DIR);
    std::filesystem::copy_file(first, std::filesystem::path(VELOIM_SCREENSHOT_DIR) / "veloim-first-screen.png",
        std::filesystem::copy_options::overwrite_existing);
}

// An installed tree carries the program, its resources, a desktop entry and an icon, and the
// installed program reads the installed resources: its first screen looks as the built one's.
TEST(ExecutableTest, InstalledProgramFindsItsResources)
{
    TempDataDir data;
    TestSupport::TemporaryDirectory prefix("veloim-prefix");
    const auto install = TestSupport::TimedProcess::Run({VELOIM_CMAKE_COMMAND, "--install", VELOIM_BUILD_DIR, "--prefix", prefix.Path()}, 120s);
    ASSERT_TRUE(install.Succeeded()) << install.output;
    const std::filesystem::path root(prefix.Path());
    const std::string program = (root / "bin" / "veloim").string();
    EXPECT_TRUE(std::filesystem::exists(root / "share" / "applications" / "veloim.desktop"));
    EXPECT_TRUE(std::filesystem::exists(root / "share" / "icons" / "hicolor" / "48x48" / "apps" / "veloim.png"));
    const auto help = TestSupport::TimedProcess::Run({program, "--help"}, 60s);
    EXPECT_EQ((root / "share" / "veloim").string(), help.Marked("Resources: ").value_or("")) << help.output;

    TestSupport::TemporaryDirectory pictures("veloim-pictures");
    TestSupport::TemporaryDirectory builtPictures("veloim-pictures");
    std::chrono::milliseconds elapsed{};
    const std::filesystem::path installedFirst = FirstScreenOf(program, pictures.Path(), elapsed);
    const std::filesystem::path builtFirst = FirstScreenOf(VELOIM_EXECUTABLE, builtPictures.Path(), elapsed);
    ASSERT_FALSE(installedFirst.empty());
    ASSERT_FALSE(builtFirst.empty());
    // Below the status strip, whose clock may have moved on between the two runs.
    const QImage installed(QString::fromStdString(installedFirst.string()));
    const QImage built(QString::fromStdString(builtFirst.string()));
    ASSERT_EQ(built.size(), installed.size());
    const QRect belowStatus(0, StatusStripHeight, built.width(), built.height() - StatusStripHeight);
    EXPECT_TRUE(built.copy(belowStatus) == installed.copy(belowStatus));
}

}  // namespace
