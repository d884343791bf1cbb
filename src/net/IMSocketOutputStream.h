// The sending half of the socket. write() hands the bytes to the socket thread, which alone
// may call the platform socket, and blocks until that thread has tried to send them. Every
// write waits for its own completion record, so concurrent writers each get the outcome of
// their own bytes; the socket thread's in-order delivery of events serialises the sends.
// A write before the socket thread exists, or after it has ended, fails at once.
// Threading and ownership: write() from any thread; the socket thread is registered once by
// the first Connect, before any write can reach it. The stream borrows the send monitor and
// the thread from its IMSecureSocket, which must not be destroyed while a write is under way.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/Monitor.h"
#include "platform/Thread.h"

#include <atomic>

class IMSocketOutputStream {
public:
    explicit IMSocketOutputStream(Ixa::Base::Runtime::Monitor* sendMonitor);
    ~IMSocketOutputStream();

    IMSocketOutputStream(const IMSocketOutputStream&) = delete;
    IMSocketOutputStream& operator=(const IMSocketOutputStream&) = delete;

    void setSocketThread(Ixa::Base::Runtime::Thread* thread);
    // Sends the bytes between the buffer's position and limit; `*result` receives 0 once they
    // went out, 0x80000000 otherwise. The stream takes `data` in every case.
    void write(Ixa::Base::ByteBuffer* data, unsigned long* result);

private:
    Ixa::Base::Runtime::Monitor* sendMonitor_;
    std::atomic<Ixa::Base::Runtime::Thread*> thread_{nullptr};
};
