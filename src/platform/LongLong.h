// A boxed long long, so the value can travel as an Object. Thread-safety: an immutable value.
#pragma once

#include "platform/Number.h"

namespace Ixa::Base {

class LongLong : public Number<long long> {
public:
    explicit LongLong(long long value) : Number(value) {}

    long long ToLongLong() const { return GetValue(); }

    static result Parse(const String& text, long long& value) { return ParseDecimal(text, value); }
};

}  // namespace Ixa::Base
