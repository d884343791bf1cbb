// A boxed bool, so the value can travel as an Object. The text forms are "true" and "false";
// parsing ignores letter case. Thread-safety: an immutable value.
#pragma once

#include "platform/String.h"

namespace Ixa::Base {

class Boolean : public Object {
public:
    explicit Boolean(bool value);
    explicit Boolean(const String& text);

    bool ToBool() const;
    String ToString() const;
    static String ToString(bool value);

    bool Equals(const Object& other) const override;
    int GetHashCode() const override;

private:
    bool value_;
};

}  // namespace Ixa::Base
