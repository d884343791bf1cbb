// Converts between strings and UTF-8 bytes. Bytes that are not valid UTF-8 become U+FFFD and
// the rest is still decoded; a lone surrogate in a string is written as U+FFFD.
// Thread-safety: stateless; safe from any thread.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/String.h"

namespace Ixa::Text {

class Utf8Encoding : public Base::Object {
public:
    // The bytes of `text` from position 0 to the limit; one 0 byte follows the limit, inside
    // the capacity, so the buffer can also be read as a C string.
    Base::ByteBuffer* GetBytesN(const Base::String& text) const;
    int GetByteCount(const Base::String& text) const;
    // Decodes the bytes between the buffer's position and its limit.
    result GetString(const Base::ByteBuffer& bytes, Base::String& text) const;
    result GetString(const byte* bytes, int length, Base::String& text) const;
};

}  // namespace Ixa::Text
