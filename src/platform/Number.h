// The shared body of the boxed integer types (Int8, Short, Integer, Long, LongLong): a value
// that can live in collections and events as an Object. Two boxes are equal when they are of
// the same type and hold the same value. Thread-safety: an immutable value.
#pragma once

#include "platform/String.h"

#include <limits>

namespace Ixa::Base {

template <typename T>
class Number : public Object {
public:
    explicit Number(T value) : value_(value) {}

    T GetValue() const { return value_; }

    String ToString() const
    {
        String text;
        text.Append(static_cast<long long>(value_));
        return text;
    }

    int CompareTo(const Number& other) const { return (value_ > other.value_) - (value_ < other.value_); }

    bool Equals(const Object& other) const override
    {
        auto number = dynamic_cast<const Number*>(&other);
        return number != nullptr && number->value_ == value_;
    }

    int GetHashCode() const override
    {
        auto wide = static_cast<unsigned long long>(value_);
        return static_cast<int>(wide ^ (wide >> 32));
    }

protected:
    // Parses optional sign and decimal digits, the whole text, within T's range.
    static result ParseDecimal(const String& text, T& value);

private:
    T value_;
};

result ParseDecimalText(const String& text, long long minimum, long long maximum, long long& value);

template <typename T>
result Number<T>::ParseDecimal(const String& text, T& value)
{
    long long parsed = 0;
    result r = ParseDecimalText(text, static_cast<long long>(std::numeric_limits<T>::min()),
                                static_cast<long long>(std::numeric_limits<T>::max()), parsed);
    if (IsSucceeded(r)) {
        value = static_cast<T>(parsed);
    }
    return r;
}

}  // namespace Ixa::Base
