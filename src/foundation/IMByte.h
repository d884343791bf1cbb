// A boxed char for maps and notifications, with its decimal text. Thread-safety: an
// immutable value.
#pragma once

#include "foundation/IMString.h"
#include "platform/Int8.h"

class IMByte : public Ixa::Base::Int8 {
public:
    explicit IMByte(char value) : Int8(value) {}
    IMByte(const IMByte& other) = default;

    IMString ToString() const { return IMString(Int8::ToString()); }
};
