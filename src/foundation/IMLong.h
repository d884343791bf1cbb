// A boxed long for maps and notifications, with its decimal text. Thread-safety: an
// immutable value.
#pragma once

#include "foundation/IMString.h"
#include "platform/Long.h"

class IMLong : public Ixa::Base::Long {
public:
    explicit IMLong(long value) : Long(value) {}
    IMLong(const IMLong& other) = default;

    IMString ToString() const { return IMString(Long::ToString()); }
};
