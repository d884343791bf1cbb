// A boxed short, so the value can travel as an Object. Thread-safety: an immutable value.
#pragma once

#include "platform/Number.h"

namespace Ixa::Base {

class Short : public Number<short> {
public:
    explicit Short(short value) : Number(value) {}

    short ToShort() const { return GetValue(); }

    static result Parse(const String& text, short& value) { return ParseDecimal(text, value); }
};

}  // namespace Ixa::Base
