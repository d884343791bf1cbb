// Throughput of the XML stream reader against expat on the same bytes. The stream is
// synthetic but shaped like a sign-in: a 5,000-item roster, 40,000 chat messages, 10,000
// presences and a few 50 KB vCards, over 10 MB in all. Both are fed the same 8 KiB buffers:
// the reader through its input stream's queue on its own thread (buffers made before the
// clock starts, as the socket thread would have), objects built and handed to a listener
// that deletes them; expat with handlers that only count. Expat is a yardstick here and is
// linked into this program alone. Prints MB/s for each and the ratio, on the wall clock and
// on the process's CPU time (the feeding thread sleeps while the queue is full, so the CPU
// time is the reader's); the CPU figures are the steadier ones on a busy machine.
#include "net/IMSocketInputStream.h"
#include "platform/ByteBuffer.h"
#include "platform/PlatformSession.h"
#include "xmpp/XMLReader.h"

#include "BenchFigure.h"

#include <expat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t CHUNK = 8192;

std::string Roster(int items)
{
    std::string xml = "<iq type='result' id='roster1' to='me@example.com/Mobile'>"
                      "<query xmlns='jabber:iq:roster' xmlns:gr='google:roster' gr:ext='2'>";
    for (int i = 0; i < items; ++i) {
        std::string n = std::to_string(i);
        xml += "<item jid='contact" + n + "@example.com' name='Contact " + n + " &amp; Co' subscription='both' gr:t='" +
               (i % 50 == 0 ? "B" : "P") + "'/>";
        if (i % 10 == 0) {
            xml += "<item jid='grouped" + n + "@example.com' subscription='to'><group>Friends</group></item>";
        }
    }
    return xml + "</query></iq>";
}

std::string Message(int i)
{
    std::string n = std::to_string(i);
    return "<message from='contact" + std::to_string(i % 5000) +
           "@example.com/home' to='me@example.com/Mobile' type='chat' id='m" + n + "'><body>Message " + n +
           ": are we still on for lunch &amp; a walk? Caf\xC3\xA9 at 12 &lt;or later&gt; \xF0\x9F\x98\x80</body>"
           "<thread>thread-" +
           std::to_string(i % 97) + "</thread><active xmlns='http://jabber.org/protocol/chatstates'/></message>";
}

std::string Presence(int i)
{
    static const char* const shows[] = {"away", "dnd", "xa", "chat"};
    std::string n = std::to_string(i);
    return "<presence from='contact" + std::to_string(i % 5000) + "@example.com/home' to='me@example.com'><show>" +
           shows[i % 4] + "</show><status>Status text number " + n +
           "</status><priority>5</priority><x xmlns='vcard-temp:x:update'><photo>"
           "01b87fcd030b72895ff8e88db57ec525450f000d</photo></x></presence>";
}

std::string VCard(int i)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string base64;
    for (int j = 0; j < 50 * 1024; ++j) {
        base64 += alphabet[(j * 7 + i) % 64];
        if (j % 76 == 75) {
            base64 += '\n';
        }
    }
    return "<iq type='result' from='contact" + std::to_string(i) +
           "@example.com' id='v1'><vCard xmlns='vcard-temp'><FN>Contact</FN><PHOTO><TYPE>image/png</TYPE><BINVAL>" +
           base64 + "</BINVAL></PHOTO></vCard></iq>";
}

std::string SyntheticStream()
{
    std::string xml = "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                      "xmlns:stream='http://etherx.jabber.org/streams' id='bench' from='example.com' version='1.0'>";
    xml += Roster(5000);
    for (int i = 0; i < 4; ++i) {
        xml += VCard(i);
    }
    for (int i = 0; i < 40000; ++i) {
        xml += Message(i);
        if (i % 4 == 0) {
            xml += Presence(i / 4);
        }
    }
    return xml + "</stream:stream>";
}

class CountingListener : public XMPPListener {
public:
    void onEvent(Ixa::Base::Object* object, int) override
    {
        ++events;
        delete object;
    }
    std::atomic<long> events{0};
};

// Wall-clock and CPU seconds of one run.
class Timing {
public:
    Timing() : wall_(std::chrono::steady_clock::now()), cpu_(CpuNow()) {}

    void stop()
    {
        wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
        cpuSeconds = CpuNow() - cpu_;
    }

    double wallSeconds = 0;
    double cpuSeconds = 0;

private:
    static double CpuNow()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
    }

    std::chrono::steady_clock::time_point wall_;
    double cpu_;
};

Timing ReaderRun(const std::string& xml, long& events)
{
    std::vector<Ixa::Base::ByteBuffer*> buffers;
    for (std::size_t start = 0; start < xml.size(); start += CHUNK) {
        std::size_t length = std::min(CHUNK, xml.size() - start);
        auto buffer = new Ixa::Base::ByteBuffer();
        buffer->Construct(static_cast<int>(CHUNK));
        buffer->SetArray(reinterpret_cast<const Ixa::byte*>(xml.data() + start), 0, static_cast<int>(length));
        buffer->Flip();
        buffers.push_back(buffer);
    }
    IMSocketInputStream input;
    CountingListener listener;
    XMLReader reader(&input, &listener);
    reader.setReaderThreadStatus(true);
    Timing timing;
    reader.Start();
    buffers.push_back(input.getEndOfStreamMarker());
    for (Ixa::Base::ByteBuffer* buffer : buffers) {
        unsigned long result = Ixa::E_FAILURE;
        for (input.getBlockingQueue()->put(buffer, &result); Ixa::IsFailed(result);
             input.getBlockingQueue()->put(buffer, &result)) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    reader.waitUntilFinished();
    timing.stop();
    events = listener.events;
    return timing;
}

struct ExpatCounts {
    long elements = 0;
    long textBytes = 0;
};

void XMLCALL OnStart(void* data, const XML_Char*, const XML_Char**) { ++static_cast<ExpatCounts*>(data)->elements; }

void XMLCALL OnEnd(void*, const XML_Char*) {}

void XMLCALL OnText(void* data, const XML_Char*, int length) { static_cast<ExpatCounts*>(data)->textBytes += length; }

Timing ExpatRun(const std::string& xml, long& elements)
{
    ExpatCounts counts;
    Timing timing;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &counts);
    XML_SetElementHandler(parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser, OnText);
    for (std::size_t offset = 0; offset < xml.size(); offset += CHUNK) {
        std::size_t length = std::min(CHUNK, xml.size() - offset);
        bool last = offset + length >= xml.size();
        if (XML_Parse(parser, xml.data() + offset, static_cast<int>(length), last) == XML_STATUS_ERROR) {
            std::fprintf(stderr, "expat: %s\n", XML_ErrorString(XML_GetErrorCode(parser)));
            break;
        }
    }
    XML_ParserFree(parser);
    timing.stop();
    elements = counts.elements;
    return timing;
}

}  // namespace

int main(int argc, char** argv)
{
    Ixa::PlatformSession platform(argc, argv);
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::string xml = SyntheticStream();
    double megabytes = static_cast<double>(xml.size()) / 1e6;
    std::printf("stream: %.1f MB, fed in %zu-byte buffers\n", megabytes, CHUNK);
    Timing bestReader;
    Timing bestExpat;
    bestReader.wallSeconds = bestReader.cpuSeconds = bestExpat.wallSeconds = bestExpat.cpuSeconds = 1e9;
    for (int round = 1; round <= rounds; ++round) {
        long events = 0;
        long elements = 0;
        Timing reader = ReaderRun(xml, events);
        Timing expat = ExpatRun(xml, elements);
        bestReader.wallSeconds = std::min(bestReader.wallSeconds, reader.wallSeconds);
        bestReader.cpuSeconds = std::min(bestReader.cpuSeconds, reader.cpuSeconds);
        bestExpat.wallSeconds = std::min(bestExpat.wallSeconds, expat.wallSeconds);
        bestExpat.cpuSeconds = std::min(bestExpat.cpuSeconds, expat.cpuSeconds);
        std::printf("round %d: reader %.1f MB/s wall, %.1f MB/s cpu (%ld events); "
                    "expat %.1f MB/s wall, %.1f MB/s cpu (%ld elements)\n",
                    round, megabytes / reader.wallSeconds, megabytes / reader.cpuSeconds, events,
                    megabytes / expat.wallSeconds, megabytes / expat.cpuSeconds, elements);
    }
    std::printf("best wall: reader %.1f MB/s, expat %.1f MB/s, reader/expat %.2f\n",
                megabytes / bestReader.wallSeconds, megabytes / bestExpat.wallSeconds,
                bestExpat.wallSeconds / bestReader.wallSeconds);
    std::printf("best cpu:  reader %.1f MB/s, expat %.1f MB/s, reader/expat %.2f\n",
                megabytes / bestReader.cpuSeconds, megabytes / bestExpat.cpuSeconds,
                bestExpat.cpuSeconds / bestReader.cpuSeconds);
    BenchFigure figure;
    figure.name = "stream reader, best wall time";
    figure.value = megabytes / bestReader.wallSeconds;
    figure.unit = "MB/s";
    figure.yardstick = "expat on the same bytes";
    figure.yardstickValue = megabytes / bestExpat.wallSeconds;
    figure.Print();
    return 0;
}
