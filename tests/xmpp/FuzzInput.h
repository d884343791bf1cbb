// One input of the reader's fuzz target, also replayed by the regression test: the bytes are
// read once whole and once cut into buffers (sizes taken from the first byte), every object
// the reader hands on is described and written back with getXML(), and the two readings
// must agree, since buffer boundaries are invisible to the tokenizer.
// Threading: runs the reader on the calling thread.
#pragma once

#include <cstddef>
#include <cstdint>

class FuzzInput {
public:
    // True when both readings produced the same events and objects.
    static bool check(const std::uint8_t* data, std::size_t size);
};
