// How many of the server's stanzas the client will have handled once the response thread
// reaches this object, and the stream-management epoch the count belongs to. Thread-safety:
// a value, posted from the reader thread to the response thread.
#pragma once

#include "platform/Object.h"

#include <cstdint>

class HandledCount : public Ixa::Base::Object {
public:
    HandledCount(std::uint32_t count, std::uint64_t epoch) : count(count), epoch(epoch) {}

    std::uint32_t count;
    std::uint64_t epoch;
};
