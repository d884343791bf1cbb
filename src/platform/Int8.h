// A boxed char, so the value can travel as an Object. Thread-safety: an immutable value.
#pragma once

#include "platform/Number.h"

namespace Ixa::Base {

class Int8 : public Number<char> {
public:
    explicit Int8(char value) : Number(value) {}

    char ToInt8() const { return GetValue(); }

    static result Parse(const String& text, char& value) { return ParseDecimal(text, value); }
};

}  // namespace Ixa::Base
