// A fixed-capacity byte array with a limit and a position, for socket reads, encodings and
// blobs. Relative operations work at the position and advance it; absolute ones take an index
// below the limit. A buffer is usable after Construct. Thread-safety: none.
#pragma once

#include "platform/Object.h"
#include "platform/Result.h"

#include <vector>

namespace Ixa {
using byte = unsigned char;
}

namespace Ixa::Base {

class ByteBuffer : public Object {
public:
    ByteBuffer();
    ~ByteBuffer() override;

    result Construct(int capacity);
    result Construct(const ByteBuffer& other);

    int GetCapacity() const;
    int GetLimit() const;
    int GetPosition() const;
    int GetRemaining() const;
    bool HasRemaining() const;
    result SetLimit(int limit);
    result SetPosition(int position);
    void Clear();
    void Flip();
    void Rewind();
    result ExpandCapacity(int capacity);

    result GetByte(byte& value);
    result SetByte(byte value);
    result GetByte(int index, byte& value) const;
    result SetByte(int index, byte value);
    result GetArray(byte* destination, int offset, int length);
    result SetArray(const byte* source, int offset, int length);
    result CopyFrom(ByteBuffer& source);

    const byte* GetPointer() const;
    byte* GetPointer();

    bool Equals(const Object& other) const override;
    int GetHashCode() const override;

private:
    std::vector<byte> bytes_;
    int limit_ = 0;
    int position_ = 0;
};

}  // namespace Ixa::Base
