#include "ReaderFeed.h"

#include "net/IMSocketInputStream.h"
#include "platform/ByteBuffer.h"
#include "xmpp/XMLReader.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// Queues `item`, waiting while the queue is full as the socket thread does. Gives up (and
// deletes a data buffer) once the reader has ended, since nothing takes from the queue then.
void PutWaiting(IMSocketInputStream& input, void* item, const XMLReader* reader)
{
    unsigned long result = Ixa::E_FAILURE;
    for (;;) {
        input.getBlockingQueue()->put(item, &result);
        if (Ixa::IsSucceeded(result)) {
            return;
        }
        if (reader != nullptr && reader->isFinished()) {
            if (item != input.getEndOfStreamMarker()) {
                delete static_cast<Ixa::Base::ByteBuffer*>(item);
            }
            return;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

}  // namespace

void* ReaderFeed::newBuffer(const std::string& bytes, std::size_t start, std::size_t end)
{
    auto buffer = new Ixa::Base::ByteBuffer();
    buffer->Construct(static_cast<int>(std::max<std::size_t>(end - start, 1)));
    buffer->SetArray(reinterpret_cast<const Ixa::byte*>(bytes.data() + start), 0, static_cast<int>(end - start));
    buffer->Flip();
    return buffer;
}

void ReaderFeed::runCut(const std::string& bytes, const std::vector<std::size_t>& cuts, XMPPListener* listener)
{
    IMSocketInputStream input;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= cuts.size() && i <= MAX_CUTS; ++i) {
        std::size_t end = i < cuts.size() ? std::min(cuts[i], bytes.size()) : bytes.size();
        PutWaiting(input, newBuffer(bytes, start, std::max(start, end)), nullptr);
        start = std::max(start, end);
    }
    input.putEndOfStream();
    XMLReader reader(&input, listener);
    reader.setReaderThreadStatus(true);
    reader.Run();
}

void ReaderFeed::runThreaded(const std::string& bytes, std::size_t chunkSize, XMPPListener* listener)
{
    IMSocketInputStream input;
    XMLReader reader(&input, listener);
    reader.setReaderThreadStatus(true);
    reader.Start();
    while (reader.isFinished()) {
        std::this_thread::yield();
    }
    for (std::size_t start = 0; start < bytes.size(); start += chunkSize) {
        PutWaiting(input, newBuffer(bytes, start, std::min(bytes.size(), start + chunkSize)), &reader);
    }
    PutWaiting(input, input.getEndOfStreamMarker(), &reader);
    reader.waitUntilFinished();
}
