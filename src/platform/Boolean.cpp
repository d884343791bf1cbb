#include "platform/Boolean.h"

namespace Ixa::Base {

Boolean::Boolean(bool value) : value_(value) {}

Boolean::Boolean(const String& text) : value_(text.Equals(String("true"), false)) {}

bool Boolean::ToBool() const { return value_; }

String Boolean::ToString() const { return ToString(value_); }

String Boolean::ToString(bool value) { return String(value ? "true" : "false"); }

bool Boolean::Equals(const Object& other) const
{
    auto boolean = dynamic_cast<const Boolean*>(&other);
    return boolean != nullptr && boolean->value_ == value_;
}

int Boolean::GetHashCode() const { return value_ ? 1 : 0; }

}  // namespace Ixa::Base
