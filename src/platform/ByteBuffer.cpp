#include "platform/ByteBuffer.h"

#include <algorithm>

namespace Ixa::Base {

ByteBuffer::ByteBuffer() = default;

ByteBuffer::~ByteBuffer() = default;

result ByteBuffer::Construct(int capacity)
{
    if (capacity < 0) {
        return E_INVALID_ARG;
    }
    bytes_.assign(static_cast<std::size_t>(capacity), 0);
    limit_ = capacity;
    position_ = 0;
    return E_SUCCESS;
}

result ByteBuffer::Construct(const ByteBuffer& other)
{
    bytes_ = other.bytes_;
    limit_ = other.limit_;
    position_ = other.position_;
    return E_SUCCESS;
}

int ByteBuffer::GetCapacity() const { return static_cast<int>(bytes_.size()); }

int ByteBuffer::GetLimit() const { return limit_; }

int ByteBuffer::GetPosition() const { return position_; }

int ByteBuffer::GetRemaining() const { return limit_ - position_; }

bool ByteBuffer::HasRemaining() const { return position_ < limit_; }

result ByteBuffer::SetLimit(int limit)
{
    if (limit < 0 || limit > GetCapacity()) {
        return E_OUT_OF_RANGE;
    }
    limit_ = limit;
    position_ = std::min(position_, limit_);
    return E_SUCCESS;
}

result ByteBuffer::SetPosition(int position)
{
    if (position < 0 || position > limit_) {
        return E_OUT_OF_RANGE;
    }
    position_ = position;
    return E_SUCCESS;
}

void ByteBuffer::Clear()
{
    limit_ = GetCapacity();
    position_ = 0;
}

void ByteBuffer::Flip()
{
    limit_ = position_;
    position_ = 0;
}

void ByteBuffer::Rewind() { position_ = 0; }

result ByteBuffer::ExpandCapacity(int capacity)
{
    if (capacity < GetCapacity()) {
        return E_INVALID_ARG;
    }
    bool limitAtCapacity = limit_ == GetCapacity();
    bytes_.resize(static_cast<std::size_t>(capacity), 0);
    if (limitAtCapacity) {
        limit_ = capacity;
    }
    return E_SUCCESS;
}

result ByteBuffer::GetByte(byte& value)
{
    if (!HasRemaining()) {
        return E_UNDERFLOW;
    }
    value = bytes_[static_cast<std::size_t>(position_++)];
    return E_SUCCESS;
}

result ByteBuffer::SetByte(byte value)
{
    if (!HasRemaining()) {
        return E_OVERFLOW;
    }
    bytes_[static_cast<std::size_t>(position_++)] = value;
    return E_SUCCESS;
}

result ByteBuffer::GetByte(int index, byte& value) const
{
    if (index < 0 || index >= limit_) {
        return E_OUT_OF_RANGE;
    }
    value = bytes_[static_cast<std::size_t>(index)];
    return E_SUCCESS;
}

result ByteBuffer::SetByte(int index, byte value)
{
    if (index < 0 || index >= limit_) {
        return E_OUT_OF_RANGE;
    }
    bytes_[static_cast<std::size_t>(index)] = value;
    return E_SUCCESS;
}

result ByteBuffer::GetArray(byte* destination, int offset, int length)
{
    if (destination == nullptr || offset < 0 || length < 0) {
        return E_INVALID_ARG;
    }
    if (length > GetRemaining()) {
        return E_UNDERFLOW;
    }
    std::copy_n(bytes_.begin() + position_, length, destination + offset);
    position_ += length;
    return E_SUCCESS;
}

result ByteBuffer::SetArray(const byte* source, int offset, int length)
{
    if (source == nullptr || offset < 0 || length < 0) {
        return E_INVALID_ARG;
    }
    if (length > GetRemaining()) {
        return E_OVERFLOW;
    }
    std::copy_n(source + offset, length, bytes_.begin() + position_);
    position_ += length;
    return E_SUCCESS;
}

result ByteBuffer::CopyFrom(ByteBuffer& source)
{
    if (source.GetRemaining() > GetRemaining()) {
        return E_OVERFLOW;
    }
    result copied = SetArray(source.GetPointer(), source.position_, source.GetRemaining());
    source.position_ = source.limit_;
    return copied;
}

const byte* ByteBuffer::GetPointer() const { return bytes_.data(); }

byte* ByteBuffer::GetPointer() { return bytes_.data(); }

bool ByteBuffer::Equals(const Object& other) const
{
    auto buffer = dynamic_cast<const ByteBuffer*>(&other);
    return buffer != nullptr && buffer->GetRemaining() == GetRemaining() &&
           std::equal(bytes_.begin() + position_, bytes_.begin() + limit_, buffer->bytes_.begin() + buffer->position_);
}

int ByteBuffer::GetHashCode() const
{
    unsigned int hash = 0;
    for (int i = position_; i < limit_; ++i) {
        hash = hash * 31 + bytes_[static_cast<std::size_t>(i)];
    }
    return static_cast<int>(hash);
}

}  // namespace Ixa::Base
