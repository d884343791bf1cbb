// Feeds bytes to an XMLReader the way the socket thread does: as received buffers on the
// input stream's queue, followed by the end-of-stream marker. Used by the reader tests and
// the fuzz target. Threading: see each function; everything is created and destroyed inside.
#pragma once

#include "xmpp/XMPPListener.h"

#include <cstddef>
#include <string>
#include <vector>

class ReaderFeed {
public:
    // The most cuts runCut accepts: the buffers and the marker must fit the queue at once.
    static constexpr std::size_t MAX_CUTS = 148;

    // Runs the reader's loop on the calling thread over `bytes`, cut into buffers at the
    // given offsets (ascending, at most MAX_CUTS).
    static void runCut(const std::string& bytes, const std::vector<std::size_t>& cuts, XMPPListener* listener);
    // Runs the reader on its own thread and feeds `bytes` in buffers of `chunkSize`, waiting
    // while the queue is full; returns once the reader has finished.
    static void runThreaded(const std::string& bytes, std::size_t chunkSize, XMPPListener* listener);
    // A new buffer holding bytes [start, end) of `bytes`.
    static void* newBuffer(const std::string& bytes, std::size_t start, std::size_t end);
};
