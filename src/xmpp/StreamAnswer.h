// A stream-management element from the server, as the reader hands it on: what it is, the
// session id and resumability of an <enabled/>, the count `h` of an <a/>, <resumed/> or
// <failed/>, and how many stanzas the reader had read when it came (the base for counting
// what the client has handled). Thread-safety: a value, handed from the reader to its
// listener.
#pragma once

#include "platform/Object.h"

#include <cstdint>
#include <string>

class StreamAnswer : public Ixa::Base::Object {
public:
    enum class Kind { ENABLED, RESUMED, FAILED, ACK_REQUEST, ACK };

    StreamAnswer(Kind kind, std::uint32_t stanzasRead) : kind(kind), stanzasRead(stanzasRead) {}

    Kind kind;
    std::uint32_t stanzasRead;
    std::string id;
    bool resumable = false;
    bool hasCount = false;
    std::uint32_t count = 0;
};
