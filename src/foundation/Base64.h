// Base64 for the sign-in payload and avatar data. Results are new objects owned by the
// caller. Thread-safety: stateless.
#pragma once

#include "foundation/IMByteBuffer.h"
#include "foundation/IMString.h"

class Base64 {
public:
    // The Base64 text of the bytes between the buffer's position and its limit.
    static IMString* encode(IMByteBuffer* data);
    // The decoded bytes, or null when the text is not Base64 (line breaks and spaces are fine).
    static Ixa::Base::ByteBuffer* decode(IMString* text);
};
