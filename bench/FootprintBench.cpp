// What a user of the real program waits for, and what it holds in memory: the release veloim
// binary started offscreen, as a user starts it, against a local Prosody on 127.0.0.1.
//
// - Start-up: from the moment the program is started until the sign-in form has been drawn
//   (no account stored), on a first start (the data directory empty) and on later ones. The
//   program says when each screen change has been drawn (--report-drawn), so no picture has to
//   be encoded to know it. Beside the wall clock, which on a shared machine mostly measures
//   the other processes, the processor time the program's threads had used by then and the
//   page faults it took (loading its libraries is most of them).
// - Rosters of 1,000 and 5,000 contacts, every contact online with an avatar of its own (a
//   96 x 96 picture in its vCard, its hash in its presence; bench/crowd.py signs them in):
//   - a first sign-in (automatic, the account stored as the sign-in screen stores it) into an
//     empty data directory: the roster, every presence and every vCard arrive; the time until
//     the buddy list is drawn. Once every avatar is stored and the program has gone quiet, its resident memory (VmRSS) and
//     peak (VmHWM) from /proc, and how much of the resident memory is the program's own
//     (RssAnon: heap, stacks, pictures) rather than pages of the files it maps (RssFile:
//     libraries, fonts; shared with every other process that maps them);
//   - with 1,000 contacts, then a burst of 10,000 chat messages from a contact, and the memory
//     once every message is stored and the program is quiet again (or a minute later, when the
//     screens are still catching up). A burst that is not stored within ten minutes is
//     reported with the number stored and the end of the program's log;
//   - later starts over that data (the contacts and avatars stored): from start until the
//     buddy list has been drawn after the automatic sign-in.
// Every figure is the median of a few runs, with the lowest and highest as its spread.
// Goals: sign-in form drawn within 100 ms; buddy list within 1 s with 1,000 contacts and 2 s
// with 5,000; at most 40 MB resident with 1,000 contacts and 60 MB with 5,000.
// Every process runs under a time-out and is stopped by its process id.
#include "BenchFigure.h"

#include "support/LocalService.h"
#include "support/PeerClient.h"
#include "support/ProcessLauncher.h"
#include "support/TemporaryDirectory.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using TestSupport::LocalService;
using TestSupport::PeerClient;
using TestSupport::ProcessLauncher;
using TestSupport::TemporaryDirectory;

namespace {

const std::string Password = "footprint";
constexpr int Runs = 3;
constexpr int StartRuns = 7;
constexpr int BurstSize = 10000;
constexpr int QuietAfterBurstSeconds = 60;
const char* const AvatarsQuery = "SELECT COUNT(*) FROM icontable1 WHERE length(image) > 0";

double NowMs() { return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count(); }

void Report(const std::string& name, const std::string& unit, const Spread& spread, double goal)
{
    BenchFigure figure = BenchFigure::Of(name, spread, unit, BenchFigure::Better::LOWER);
    figure.goal = goal;
    figure.Print();
    std::printf("  %-48s %9.1f %s  (min %.1f, max %.1f", name.c_str(), spread.median, unit.c_str(), spread.low, spread.high);
    std::printf(std::isnan(goal) ? ")\n" : "; goal %.0f)\n", goal);
}

// One row count from one of the program's database files (read while it runs).
int Count(const std::string& file, const std::string& query)
{
    sqlite3* database = nullptr;
    int count = -1;
    if (sqlite3_open_v2(file.c_str(), &database, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(database, 5000);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(database, query.c_str(), -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW) {
            count = sqlite3_column_int(statement, 0);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(database);
    return count;
}

// The account as the sign-in screen stores it with "save password" and "automatic sign-in"
// ticked: the program then signs in by itself at start.
void StoreAccount(const std::string& home, const std::string& user)
{
    sqlite3* database = nullptr;
    const std::string path = home + "/gtalkprop.db";
    const std::string statements =
        "CREATE TABLE IF NOT EXISTS PropertiesTable1(username NTEXT,password NTEXT,isautosignin INTEGER,"
        "isinvisible INTEGER,issavepassword INTEGER,showpicsorcontacts INTEGER,alertsettings NTEXT,"
        "isresetrequired INTEGER,myprofilestate INTEGER,isavailablestate INTEGER,custommessage NTEXT);"
        "DELETE FROM PropertiesTable1;"
        "INSERT INTO PropertiesTable1 VALUES('" + user + "','" + Password + "',1,0,1,1,'melody',1,1,1,'');";
    const bool stored = sqlite3_open(path.c_str(), &database) == SQLITE_OK &&
                        sqlite3_exec(database, statements.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(database);
    if (!stored) {
        throw std::runtime_error("cannot store the account in " + path);
    }
}

// The veloim program, started with --report-drawn, its output read through a socket.
class Program {
public:
    Program(const std::string& home, unsigned short port)
    {
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
            throw std::runtime_error("no socket pair");
        }
        output_ = ends[0];
        startedMs_ = NowMs();
        const bool started = ProcessLauncher::Start({VELOIM_PROGRAM, "--report-drawn"}, -1, ends[1], pid_,
            {"QT_QPA_PLATFORM=offscreen", "VELOIM_HOME=" + home, "VELOIM_PORT=" + std::to_string(port)});
        close(ends[1]);
        if (!started) {
            throw std::runtime_error("cannot start " VELOIM_PROGRAM);
        }
    }

    ~Program()
    {
        Stop();
        close(output_);
    }

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Milliseconds from the start until the screen was drawn.
    double UntilDrawn(const std::string& screen, std::chrono::seconds timeout)
    {
        const Clock::time_point deadline = Clock::now() + timeout;
        const std::string marker = "drawn " + screen + " ";
        while (Clock::now() < deadline) {
            const size_t found = text_.find(marker, scanned_);
            if (found != std::string::npos && text_.find('\n', found) != std::string::npos) {
                scanned_ = text_.find('\n', found);
                return std::stod(text_.substr(found + marker.size())) - startedMs_;
            }
            if (!Read(deadline)) {
                break;
            }
        }
        throw std::runtime_error(screen + " was not drawn; the program wrote:\n" + text_);
    }

    // Waits until the program has used no processor time for a while (its work done); false
    // when it was still busy at the time-out.
    bool UntilQuiet(std::chrono::seconds timeout)
    {
        const Clock::time_point deadline = Clock::now() + timeout;
        long last = CpuTicks();
        int quietRounds = 0;
        while (quietRounds < 3) {
            if (Clock::now() > deadline) {
                return false;
            }
            Read(Clock::now() + 500ms);
            const long ticks = CpuTicks();
            quietRounds = ticks - last <= 1 ? quietRounds + 1 : 0;
            last = ticks;
        }
        return true;
    }

    double ElapsedMs() const { return NowMs() - startedMs_; }

    // Milliseconds of processor time the program's threads have used so far.
    double CpuMs() const
    {
        double total = 0;
        const std::filesystem::path tasks = "/proc/" + std::to_string(pid_) + "/task";
        std::error_code error;
        for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
            std::ifstream schedstat(task.path() / "schedstat");
            double nanoseconds = 0;
            if (schedstat >> nanoseconds) {
                total += nanoseconds / 1e6;
            }
        }
        return total;
    }

    // Page faults the program has taken so far (minor and major).
    long Faults() const { return StatField(10) + StatField(12); }

    // The last lines the program wrote (its log included).
    std::string OutputTail(size_t lines) const
    {
        size_t start = text_.size();
        for (size_t found = 0; found <= lines && start > 0; ++found) {
            start = text_.rfind('\n', start - 1);
            if (start == std::string::npos) {
                return text_;
            }
        }
        return text_.substr(start + 1);
    }

    // A field of /proc/PID/status in kB, as megabytes.
    double StatusMb(const std::string& field) const
    {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind(field + ":", 0) == 0) {
                return std::stod(line.substr(field.size() + 1)) / 1024;
            }
        }
        throw std::runtime_error("no " + field + " in /proc");
    }

    // Asks the program to end as closing the window does, then makes it.
    void Stop()
    {
        if (pid_ <= 0) {
            return;
        }
        kill(pid_, SIGTERM);
        const Clock::time_point deadline = Clock::now() + 20s;
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(-pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            Read(Clock::now() + 50ms);
        }
        pid_ = -1;
    }

private:
    // Reads what the program wrote until the deadline; false once its output has ended.
    bool Read(Clock::time_point deadline)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd ready{output_, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(std::max<long>(left, 0))) <= 0) {
            return true;
        }
        char buffer[4096];
        const ssize_t got = read(output_, buffer, sizeof buffer);
        if (got <= 0) {
            return false;
        }
        text_.append(buffer, static_cast<size_t>(got));
        return true;
    }

    long CpuTicks() const { return StatField(14) + StatField(15); }

    // Field `number` (from 1, as proc(5) counts them) of /proc/PID/stat.
    long StatField(int number) const
    {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const size_t name = text.rfind(')');
        if (name == std::string::npos) {
            return 0;
        }
        std::istringstream fields(text.substr(name + 2));
        std::string field;
        for (int i = 3; i <= number && fields >> field; ++i) {
            if (i == number) {
                return std::stol(field);
            }
        }
        return 0;
    }

    pid_t pid_ = -1;
    int output_ = -1;
    double startedMs_ = 0;
    std::string text_;
    size_t scanned_ = 0;
};

// The crowd of contacts of bench/crowd.py, online until the object goes.
class Crowd {
public:
    Crowd(LocalService& service, const std::string& owner, int count, const std::string& extra)
    {
        int input[2];
        int output[2];
        if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
            throw std::runtime_error("no pipes");
        }
        const std::string data = std::filesystem::path(service.Server().LogFile()).parent_path() / "data";
        const bool started = ProcessLauncher::Start({"timeout", "3600", "/usr/bin/python3", VELOIM_CROWD_SCRIPT, "--data-dir", data,
                                                        "--port", std::to_string(service.Server().Port()), "--ca-file",
                                                        service.Server().CaFile(), "--owner", owner, "--password", Password,
                                                        "--count", std::to_string(count), "--extra", extra},
            input[0], output[1], pid_);
        close(input[0]);
        close(output[1]);
        commands_ = input[1];
        // Kept open while the crowd runs: a crowd writing to a closed pipe would die of SIGPIPE.
        output_ = output[0];
        std::string said;
        char buffer[512];
        ssize_t got = 0;
        while (started && said.find("ready") == std::string::npos && (got = read(output_, buffer, sizeof buffer)) > 0) {
            said.append(buffer, static_cast<size_t>(got));
        }
        if (said.find("ready") == std::string::npos) {
            throw std::runtime_error("the crowd of contacts did not get online: " + said);
        }
    }

    ~Crowd()
    {
        close(commands_);
        close(output_);
        int status = 0;
        const Clock::time_point deadline = Clock::now() + 20s;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(-pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(50ms);
        }
    }

    Crowd(const Crowd&) = delete;
    Crowd& operator=(const Crowd&) = delete;

private:
    pid_t pid_ = -1;
    int commands_ = -1;
    int output_ = -1;
};

class Bench {
public:
    explicit Bench(std::vector<int> sizes) : sizes_(std::move(sizes))
    {
        service_.Register("alice");
        service_.Register("bob");
    }

    void Run()
    {
        std::printf("The release program offscreen against a local Prosody on 127.0.0.1:%u\n", service_.Server().Port());
        StartUp();
        bob_ = service_.Online("bob", "burst", 3600s);
        for (int size : sizes_) {
            Roster(size, size <= 1000 ? 40 : 60, size <= 1000 ? 1000 : 2000, size == sizes_.front());
        }
        bob_->Quit();
    }

private:
    // A first start makes the database files; later starts open them.
    struct StartFigures {
        std::vector<double> wall, cpu, faults;

        void Add(const std::string& home, unsigned short port)
        {
            Program program(home, port);
            wall.push_back(program.UntilDrawn("LOGIN_SCREEN", 30s));
            cpu.push_back(program.CpuMs());
            faults.push_back(static_cast<double>(program.Faults()));
        }

        void Report(const std::string& which) const
        {
            ::Report(which + " start to sign-in form drawn", "ms", Spread::Of(wall), 100);
            ::Report(which + " start, processor time until drawn", "ms", Spread::Of(cpu), BenchFigure::None);
            ::Report(which + " start, page faults until drawn", "faults", Spread::Of(faults), BenchFigure::None);
        }
    };

    void StartUp()
    {
        StartFigures first, later;
        TemporaryDirectory kept("veloim-footprint");
        Program(kept.Path(), service_.Server().Port()).UntilDrawn("LOGIN_SCREEN", 30s);
        for (int run = 0; run < StartRuns; ++run) {
            TemporaryDirectory home("veloim-footprint");
            first.Add(home.Path(), service_.Server().Port());
            later.Add(kept.Path(), service_.Server().Port());
        }
        std::printf("Start-up, no account stored (%d runs)\n", StartRuns);
        first.Report("first");
        later.Report("later");
    }

    void Roster(int size, double memoryGoal, double drawnGoal, bool burst)
    {
        Crowd crowd(service_, "alice", size, "bob");
        const std::string label = std::to_string(size) + " contacts";
        std::vector<double> rss, hwm, anon, file, burstRss, burstHwm, burstAnon, firstDrawn, avatarsDone, drawn;
        std::unique_ptr<TemporaryDirectory> kept;
        int contacts = 0, avatars = 0;
        bool busyAfterBurst = false;
        for (int run = 0; run < Runs; ++run) {
            auto home = std::make_unique<TemporaryDirectory>("veloim-footprint");
            StoreAccount(home->Path(), "alice");
            Program program(home->Path(), service_.Server().Port());
            firstDrawn.push_back(program.UntilDrawn("BUDDY_SCREEN", 120s));
            // The program may sit idle while the server answers thousands of presence probes,
            // so being quiet alone does not mean the contacts and their avatars are all in.
            const int avatarsIn = UntilAvatars(home->Path(), size, 600s);
            if (avatarsIn < size) {
                std::printf("  only %d of %d avatars were stored ten minutes after signing in\n", avatarsIn, size);
            } else {
                avatarsDone.push_back(program.ElapsedMs());
            }
            if (!program.UntilQuiet(600s)) {
                throw std::runtime_error("the program was still busy ten minutes after signing in");
            }
            rss.push_back(program.StatusMb("VmRSS"));
            hwm.push_back(program.StatusMb("VmHWM"));
            anon.push_back(program.StatusMb("RssAnon"));
            file.push_back(program.StatusMb("RssFile"));
            contacts = Count(home->Path() + "/gtalkcontacts.db", "SELECT COUNT(*) FROM ContactTable1");
            avatars = Count(home->Path() + "/gtalkicons.db", AvatarsQuery);
            if (burst) {
                const BurstOutcome outcome = Burst(program, home->Path());
                // A burst that fell short is not tried again: the figures would not be comparable.
                burst = outcome != BurstOutcome::SHORT;
                busyAfterBurst = outcome == BurstOutcome::STILL_BUSY || busyAfterBurst;
                if (burst) {
                    burstRss.push_back(program.StatusMb("VmRSS"));
                    burstHwm.push_back(program.StatusMb("VmHWM"));
                    burstAnon.push_back(program.StatusMb("RssAnon"));
                }
            }
            kept = std::move(home);
        }
        for (int run = 0; run < Runs; ++run) {
            Program program(kept->Path(), service_.Server().Port());
            drawn.push_back(program.UntilDrawn("BUDDY_SCREEN", 120s));
        }
        std::printf("Roster of %d contacts online with avatars (%d contacts and %d avatars stored; %d runs)\n", size, contacts,
            avatars, Runs);
        Report("resident after sign-in, " + label, "MB", Spread::Of(rss), memoryGoal);
        Report("peak resident by sign-in, " + label, "MB", Spread::Of(hwm), memoryGoal);
        Report("own (anonymous) resident after sign-in, " + label, "MB", Spread::Of(anon), BenchFigure::None);
        Report("mapped-file resident after sign-in, " + label, "MB", Spread::Of(file), BenchFigure::None);
        Report("first sign-in: start to buddy list drawn, " + label, "ms", Spread::Of(firstDrawn), drawnGoal);
        if (!avatarsDone.empty()) {
            Report("first sign-in: start to every avatar stored, " + label, "ms", Spread::Of(avatarsDone), BenchFigure::None);
        }
        if (!burstRss.empty()) {
            if (busyAfterBurst) {
                std::printf("  (the screens were still catching up with the burst %d s after it was stored)\n", QuietAfterBurstSeconds);
            }
            Report("resident after 10,000 messages, " + label, "MB", Spread::Of(burstRss), memoryGoal);
            Report("peak resident by 10,000 messages, " + label, "MB", Spread::Of(burstHwm), memoryGoal);
            Report("own (anonymous) resident after 10,000 messages, " + label, "MB", Spread::Of(burstAnon), BenchFigure::None);
        }
        Report("start to buddy list drawn, stored " + label, "ms", Spread::Of(drawn), drawnGoal);
    }

    // How many avatars are stored once all `wanted` are, or at the time-out.
    static int UntilAvatars(const std::string& home, int wanted, std::chrono::seconds timeout)
    {
        const Clock::time_point deadline = Clock::now() + timeout;
        int stored = 0;
        while ((stored = Count(home + "/gtalkicons.db", AvatarsQuery)) < wanted && Clock::now() < deadline) {
            std::this_thread::sleep_for(500ms);
        }
        return stored;
    }

    // STILL_BUSY when the program was still busy QuietAfterBurstSeconds after the last message
    // was stored: the figures are then taken while the screens catch up. SHORT when the burst
    // was not all stored in time: the memory after it is then not measured.
    enum class BurstOutcome { QUIET, STILL_BUSY, SHORT };

    BurstOutcome Burst(Program& program, const std::string& home)
    {
        const std::string messages = home + "/gtalkmessage.db";
        const std::string query = "SELECT COUNT(*) FROM messagetable";
        const int before = std::max(Count(messages, query), 0);
        bob_->Send("burst " + service_.Jid("alice") + " " + std::to_string(BurstSize) + " m");
        const Clock::time_point deadline = Clock::now() + 600s;
        int stored = 0;
        while ((stored = Count(messages, query) - before) < BurstSize) {
            if (Clock::now() > deadline) {
                std::printf("  the burst was not stored: %d of %d messages after ten minutes; the program's log ends:\n%s\n", stored,
                    BurstSize, program.OutputTail(40).c_str());
                return BurstOutcome::SHORT;
            }
            std::this_thread::sleep_for(200ms);
        }
        bob_->WaitFor("done", 60s);
        return program.UntilQuiet(std::chrono::seconds(QuietAfterBurstSeconds)) ? BurstOutcome::QUIET : BurstOutcome::STILL_BUSY;
    }

    std::vector<int> sizes_;
    LocalService service_{Password};
    std::unique_ptr<PeerClient> bob_;
};

}  // namespace

// The roster sizes may be named on the command line (1000 5000 by default); the burst goes
// with the first.
int main(int argc, char** argv)
{
    signal(SIGPIPE, SIG_IGN);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty() || std::any_of(sizes.begin(), sizes.end(), [](int size) { return size <= 0; })) {
        sizes = {1000, 5000};
    }
    try {
        Bench bench(sizes);
        bench.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_footprint: %s\n", error.what());
        return 1;
    }
    return 0;
}
