// A boxed long, so the value can travel as an Object. Thread-safety: an immutable value.
#pragma once

#include "platform/Number.h"

namespace Ixa::Base {

class Long : public Number<long> {
public:
    explicit Long(long value) : Number(value) {}

    long ToLong() const { return GetValue(); }

    static result Parse(const String& text, long& value) { return ParseDecimal(text, value); }
};

}  // namespace Ixa::Base
