#include "PeerClient.h"

#include "ProcessLauncher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <stdexcept>
#include <thread>

namespace TestSupport {

namespace {

using Clock = std::chrono::steady_clock;

// The timeout tool's grace between its polite and its forceful stop of the peer.
constexpr const char* KillAfterSeconds = "5";
constexpr std::chrono::milliseconds ReapSlice{20};

// The reader of the peer's event lines: one flat JSON object whose values are strings (other
// plain values are kept as their text).
class FlatJson {
public:
    explicit FlatJson(const std::string& text) : text_(text) {}

    std::optional<std::map<std::string, std::string>> Object()
    {
        std::map<std::string, std::string> fields;
        if (!Consume('{'))
            return std::nullopt;
        if (Consume('}'))
            return AtEnd() ? std::optional(fields) : std::nullopt;
        do {
            std::optional<std::string> name = String();
            if (!name || !Consume(':'))
                return std::nullopt;
            std::optional<std::string> value = Value();
            if (!value)
                return std::nullopt;
            fields[*name] = *value;
        } while (Consume(','));
        if (!Consume('}') || !AtEnd())
            return std::nullopt;
        return fields;
    }

private:
    void SkipSpace()
    {
        while (at_ < text_.size()
            && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r'))
            ++at_;
    }

    bool Consume(char expected)
    {
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == expected) {
            ++at_;
            return true;
        }
        return false;
    }

    bool AtEnd()
    {
        SkipSpace();
        return at_ == text_.size();
    }

    std::optional<std::string> Value()
    {
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == '"')
            return String();
        const size_t start = at_;
        while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '}' && text_[at_] != ' ')
            ++at_;
        if (at_ == start)
            return std::nullopt;
        return text_.substr(start, at_ - start);
    }

    std::optional<std::string> String()
    {
        if (!Consume('"'))
            return std::nullopt;
        std::string result;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"')
                return result;
            if (c != '\\') {
                result += c;
                continue;
            }
            if (at_ == text_.size())
                return std::nullopt;
            const char escaped = text_[at_++];
            switch (escaped) {
            case '"': case '\\': case '/': result += escaped; break;
            case 'b': result += '\b'; break;
            case 'f': result += '\f'; break;
            case 'n': result += '\n'; break;
            case 'r': result += '\r'; break;
            case 't': result += '\t'; break;
            case 'u':
                if (!CodePoint(result))
                    return std::nullopt;
                break;
            default: return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<uint32_t> Hex4()
    {
        if (at_ + 4 > text_.size())
            return std::nullopt;
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<uint32_t>(c - 'A' + 10);
            else
                return std::nullopt;
        }
        return value;
    }

    // After "\u": one code unit, or a surrogate pair written as two escapes; appended as UTF-8.
    bool CodePoint(std::string& out)
    {
        std::optional<uint32_t> unit = Hex4();
        if (!unit)
            return false;
        uint32_t point = *unit;
        if (point >= 0xD800 && point <= 0xDBFF) {
            if (text_.compare(at_, 2, "\\u") != 0)
                return false;
            at_ += 2;
            std::optional<uint32_t> low = Hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF)
                return false;
            point = 0x10000 + ((point - 0xD800) << 10) + (*low - 0xDC00);
        } else if (point >= 0xDC00 && point <= 0xDFFF) {
            return false;
        }
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | (point >> 6));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            out += static_cast<char>(0xE0 | (point >> 12));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (point >> 18));
            out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
        return true;
    }

    const std::string& text_;
    size_t at_ = 0;
};

std::string FirstWord(const std::string& line)
{
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos)
        return "";
    return line.substr(start, line.find_first_of(" \t", start) - start);
}

int Milliseconds(Clock::time_point deadline)
{
    using std::chrono::milliseconds;
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
}

}  // namespace

std::optional<PeerEvent> PeerEvent::Parse(const std::string& line)
{
    std::optional<std::map<std::string, std::string>> fields = FlatJson(line).Object();
    if (!fields || fields->count("event") == 0)
        return std::nullopt;
    PeerEvent event;
    event.fields_ = std::move(*fields);
    return event;
}

const std::string& PeerEvent::Name() const { return (*this)["event"]; }

const std::string& PeerEvent::operator[](const std::string& field) const
{
    static const std::string none;
    const auto found = fields_.find(field);
    return found == fields_.end() ? none : found->second;
}

const std::map<std::string, std::string>& PeerEvent::Fields() const { return fields_; }

PeerClient::PeerClient(Options options) : options_(std::move(options)) {}

PeerClient::~PeerClient() { Quit(std::chrono::seconds(5)); }

void PeerClient::Start(std::chrono::milliseconds timeout)
{
    Launch();
    WaitUntilReady(timeout);
}

void PeerClient::Launch()
{
    if (pid_ != -1)
        throw std::runtime_error("PeerClient: already started");
    int commandPair[2];
    int outputPipe[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, commandPair) != 0)
        throw std::runtime_error("PeerClient: no socket pair");
    if (::pipe2(outputPipe, O_CLOEXEC) != 0) {
        ::close(commandPair[0]);
        ::close(commandPair[1]);
        throw std::runtime_error("PeerClient: no pipe");
    }
    const std::vector<std::string> arguments{"timeout", "-k", KillAfterSeconds,
        std::to_string(options_.lifetime.count()), "/usr/bin/python3", VELOIM_PEER_SCRIPT,
        "--port", std::to_string(options_.port), "--ca-file", options_.caFile, "--jid",
        options_.jid, "--password", options_.password, "--resource", options_.resource};
    const bool started = ProcessLauncher::Start(arguments, commandPair[1], outputPipe[1], pid_);
    ::close(commandPair[1]);
    ::close(outputPipe[1]);
    commands_ = commandPair[0];
    output_ = outputPipe[0];
    if (!started) {
        pid_ = -1;
        CloseDescriptors();
        throw std::runtime_error("PeerClient: cannot run the timeout tool");
    }
    ::fcntl(output_, F_SETFL, ::fcntl(output_, F_GETFL) | O_NONBLOCK);
}

void PeerClient::WaitUntilReady(std::chrono::milliseconds timeout)
{
    const std::optional<PeerEvent> ready = WaitFor("ready", timeout);
    if (!ready) {
        std::string events;
        for (const PeerEvent& event : events_)
            events += event.Name() + " " + event["text"] + "\n";
        Quit(std::chrono::seconds(2));
        throw std::runtime_error("PeerClient: " + options_.jid + " did not get ready; events:\n"
            + events + "output:\n" + diagnostics_);
    }
}

bool PeerClient::Send(const std::string& command)
{
    if (commands_ == -1)
        return false;
    const std::string line = command + "\n";
    size_t sent = 0;
    while (sent < line.size()) {
        const ssize_t count =
            ::send(commands_, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        sent += static_cast<size_t>(count);
    }
    return true;
}

std::optional<PeerEvent> PeerClient::Run(
    const std::string& command, std::chrono::milliseconds timeout)
{
    const std::string name = FirstWord(command);
    if (!Send(command))
        return std::nullopt;
    return Take(
        [&](const PeerEvent& event) {
            return (event.Name() == "done" || event.Name() == "error") && event["command"] == name;
        },
        Clock::now() + timeout);
}

std::optional<PeerEvent> PeerClient::WaitFor(
    const std::string& name, std::chrono::milliseconds timeout, const Match& match)
{
    return Take(
        [&](const PeerEvent& event) { return event.Name() == name && (!match || match(event)); },
        Clock::now() + timeout);
}

const std::vector<PeerEvent>& PeerClient::Events() const { return events_; }

const std::string& PeerClient::Diagnostics() const { return diagnostics_; }

bool PeerClient::Quit(std::chrono::milliseconds timeout)
{
    if (pid_ == -1)
        return true;
    Send("quit");
    const int status = Reap(Clock::now() + timeout);
    pid_ = -1;
    CloseDescriptors();
    return status == 0;
}

std::string PeerClient::EscapeText(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        case '\t': escaped += "\\t"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::optional<PeerEvent> PeerClient::Take(const Match& match, Clock::time_point deadline)
{
    size_t next = 0;  // events before this one have been looked at
    for (;;) {
        for (; next < events_.size(); ++next) {
            if (!taken_[next] && match(events_[next])) {
                taken_[next] = true;
                return events_[next];
            }
        }
        if (Clock::now() >= deadline || !ReadUntil(deadline))
            return std::nullopt;
    }
}

bool PeerClient::ReadUntil(Clock::time_point deadline)
{
    if (output_ == -1)
        return false;
    pollfd descriptor{output_, POLLIN, 0};
    const int ready = ::poll(&descriptor, 1, Milliseconds(deadline));
    if (ready <= 0)
        return ready == 0 || errno == EINTR;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(output_, buffer, sizeof buffer);
        if (count > 0) {
            partial_.append(buffer, static_cast<size_t>(count));
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            break;
        // The end of the output: the peer has gone.
        if (!partial_.empty())
            TakeLine(partial_);
        partial_.clear();
        ::close(output_);
        output_ = -1;
        return false;
    }
    size_t start = 0;
    for (size_t end; (end = partial_.find('\n', start)) != std::string::npos; start = end + 1)
        TakeLine(partial_.substr(start, end - start));
    partial_.erase(0, start);
    return true;
}

void PeerClient::TakeLine(const std::string& line)
{
    std::optional<PeerEvent> event = PeerEvent::Parse(line);
    if (event) {
        events_.push_back(std::move(*event));
        taken_.push_back(false);
    } else {
        diagnostics_ += line + "\n";
    }
}

int PeerClient::Reap(Clock::time_point deadline)
{
    int status = 0;
    for (;;) {
        if (::waitpid(pid_, &status, WNOHANG) == pid_)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (Clock::now() >= deadline)
            break;
        // Drained, so that a peer blocked on a full pipe can still end.
        if (!ReadUntil(std::min(deadline, Clock::now() + ReapSlice)))
            std::this_thread::sleep_for(ReapSlice);
    }
    ::kill(-pid_, SIGKILL);
    ::waitpid(pid_, &status, 0);
    return -1;
}

void PeerClient::CloseDescriptors()
{
    for (int* descriptor : {&commands_, &output_}) {
        if (*descriptor != -1)
            ::close(*descriptor);
        *descriptor = -1;
    }
}

}  // namespace TestSupport
