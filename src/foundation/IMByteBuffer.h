// The program's byte buffer, for socket reads and Base64 input; the platform buffer as is.
// Thread-safety: none.
#pragma once

#include "platform/ByteBuffer.h"

class IMByteBuffer : public Ixa::Base::ByteBuffer {
public:
    IMByteBuffer();
    ~IMByteBuffer() override;
};
