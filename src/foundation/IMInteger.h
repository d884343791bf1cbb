// A boxed int for maps and notifications, with its decimal text. Thread-safety: an
// immutable value.
#pragma once

#include "foundation/IMString.h"
#include "platform/Integer.h"

class IMInteger : public Ixa::Base::Integer {
public:
    explicit IMInteger(int value) : Integer(value) {}
    IMInteger(const IMInteger& other) = default;

    IMString ToString() const { return IMString(Integer::ToString()); }
};
