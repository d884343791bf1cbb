// A boxed int, so the value can travel as an Object. Thread-safety: an immutable value.
#pragma once

#include "platform/Number.h"

namespace Ixa::Base {

class Integer : public Number<int> {
public:
    explicit Integer(int value) : Number(value) {}

    int ToInt() const { return GetValue(); }

    static result Parse(const String& text, int& value) { return ParseDecimal(text, value); }
};

}  // namespace Ixa::Base
