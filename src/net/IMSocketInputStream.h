// The receiving half of the socket: the bytes the server sent, handed out one at a time to
// the XML reader. The socket thread delivers whole received buffers through offer() and the
// queue (150 entries). A full queue refuses a buffer: the socket thread keeps it and stops
// receiving, so TCP carries the back-pressure, and the next time read() takes a buffer the
// stream tells the registered ReceiveRoomListener once, which resumes the socket thread. The
// refusal and the reader's look at it share one lock, so a notice is never lost between a
// refused offer and a take. read() takes one buffer from the queue and serves bytes from it
// without touching the queue again until it is used up, so the per-byte path takes no lock.
//
// The end of the stream is one of two dedicated marker objects of the stream's own, recognised
// by identity: a received buffer that happens to hold the same four bytes is ordinary data.
// The end marker is queued by whoever stops the reader; the socket thread offers the loss
// marker (or, when the client was ending the stream itself, the end marker) behind the last
// bytes it received when the server ended the connection, so the reader meets the end only
// after everything that came before it. Once read() has met
// either marker it answers -1 for good, and endedByLoss() says which one it was. Zero bytes
// are skipped, since XML never contains them and the reader must neither loop on one nor
// lose what follows it.
//
// Threading and ownership: read() is called by one thread at a time (the reader thread);
// buffers are offered or put on the queue from any thread and belong to the queue until
// read() takes them, then to the stream, which deletes each once it is used up; a refused
// buffer stays with its sender. putEndOfStream(), offerEnd() and setReceiveRoomListener() may
// be called from any thread; the listener is borrowed. The destructor deletes the current
// buffer, every buffer still queued and the markers; no other thread may use the stream by
// then.
#pragma once

#include "foundation/BlockingQueue.h"
#include "net/ReceiveRoomListener.h"
#include "platform/ByteBuffer.h"

#include <atomic>
#include <chrono>
#include <mutex>

class IMSocketInputStream {
public:
    static constexpr int QUEUE_CAPACITY = 150;
    static constexpr int END_OF_STREAM_VALUE = 999;

    IMSocketInputStream();
    ~IMSocketInputStream();

    IMSocketInputStream(const IMSocketInputStream&) = delete;
    IMSocketInputStream& operator=(const IMSocketInputStream&) = delete;

    // The next received byte as 1..255, or -1 at the end of the stream; blocks while nothing
    // has been received.
    int read()
    {
        while (position_ < limit_) {
            Ixa::byte value = data_[position_++];
            if (value != 0) {
                return value;
            }
        }
        return readFromNextBuffer();
    }

    // Queues a received buffer; E_FAILURE on a full queue, with the buffer left to the caller
    // and the listener to be told once the reader has taken a buffer.
    Ixa::result offer(Ixa::Base::ByteBuffer* buffer);
    // When a buffer was last offered (or the stream made); from any thread.
    std::chrono::steady_clock::time_point lastReceived() const;
    // Queues the loss marker (`lost`) or the end marker like a received buffer (refused on a
    // full queue, with a notice to follow).
    Ixa::result offerEnd(bool lost);
    // Whether read() ended at the loss marker; asked by the reading thread after read()
    // answered -1.
    bool endedByLoss() const;
    // The listener of the room notices, or null for none. Once this returns, no notice
    // reaches the previous listener.
    void setReceiveRoomListener(ReceiveRoomListener* listener);

    BlockingQueue* getBlockingQueue();
    bool isWaitingToRead() const;
    // The marker object; putting it on the queue makes read() answer -1 once it gets there.
    Ixa::Base::ByteBuffer* getEndOfStreamMarker();
    // Queues the marker behind what was received so far; fails only on a full queue, which
    // a reader blocked in read() never leaves behind.
    Ixa::result putEndOfStream();

private:
    int readFromNextBuffer();
    void forgetCurrent();
    void noticeRoom();

    bool isMarker(void* item) const;

    BlockingQueue* queue_;
    Ixa::Base::ByteBuffer* marker_;
    Ixa::Base::ByteBuffer* lossMarker_;
    Ixa::Base::ByteBuffer* current_ = nullptr;
    const Ixa::byte* data_ = nullptr;
    int position_ = 0;
    int limit_ = 0;
    bool ended_ = false;
    bool lost_ = false;
    std::atomic<bool> waitingToRead_{false};
    std::atomic<std::chrono::steady_clock::rep> lastReceived_;
    // Guards the two fields below.
    std::mutex roomMutex_;
    ReceiveRoomListener* roomListener_ = nullptr;
    bool roomWanted_ = false;
};
