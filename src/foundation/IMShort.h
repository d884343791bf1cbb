// A boxed short for maps and notifications, with its decimal text. Thread-safety: an
// immutable value.
#pragma once

#include "foundation/IMString.h"
#include "platform/Short.h"

class IMShort : public Ixa::Base::Short {
public:
    explicit IMShort(short value) : Short(value) {}
    IMShort(const IMShort& other) = default;

    IMString ToString() const { return IMString(Short::ToString()); }
};
