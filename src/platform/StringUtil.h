// Base64 (RFC 4648 alphabet, with padding) and UTF-8 conversions of strings.
// Decoding skips white space and line breaks, since wrapped Base64 is common in XML payloads,
// and fails on any other character outside the alphabet or on misplaced padding.
// Thread-safety: stateless; safe from any thread.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/String.h"

namespace Ixa::Base::Utility {

class StringUtil {
public:
    // Encodes the bytes between the buffer's position and its limit.
    static result EncodeToBase64String(const ByteBuffer& bytes, String& base64);
    // A new buffer with the decoded bytes (position 0, limit at the end), or null with
    // E_INVALID_ARG in the last-result slot.
    static ByteBuffer* DecodeBase64StringN(const String& base64);
    // UTF-8 bytes up to the limit, with a 0 byte behind the limit (inside the capacity).
    static ByteBuffer* StringToUtf8N(const String& text);
    static result Utf8ToString(const char* utf8, String& text);
};

}  // namespace Ixa::Base::Utility
