// Writes stanzas to the socket: each packet's XML as UTF-8, through the output stream, which
// blocks until the socket thread has tried to send it. The writer deletes every packet it is
// given, sent or not.
// Threading and ownership: writePacket from any thread (the connection serialises nothing;
// the socket thread orders the sends), close and the status from any thread. The writer
// borrows the output stream, which the connection keeps alive while any write is under way;
// after close() packets are no longer sent.
#pragma once

#include "net/IMSocketOutputStream.h"
#include "xmpp/Packet.h"

#include <atomic>

class XMPPWriter {
public:
    explicit XMPPWriter(IMSocketOutputStream* output);
    ~XMPPWriter();

    XMPPWriter(const XMPPWriter&) = delete;
    XMPPWriter& operator=(const XMPPWriter&) = delete;

    // `*result` receives the send result when the packet went to the stream, and keeps what
    // the caller put there otherwise.
    void writePacket(Packet* packet, unsigned long* result);
    // Writes text already serialised (a stanza sent again), with the same result rule.
    void writeText(const IMString& xml, unsigned long* result);
    // Forgets the output stream.
    void close();
    void setWriterThreadStatus(bool running);
    bool isWriterThreadRunning() const;

private:
    std::atomic<IMSocketOutputStream*> output_;
    std::atomic<bool> running_{false};
};
