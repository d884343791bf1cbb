// A new copy of an optional string, for the fields that packets and managers own.
// Thread-safety: stateless.
#pragma once

#include "foundation/IMString.h"

class TextCopy {
public:
    // A new string owned by the caller, or null for null.
    static IMString* of(const Ixa::Base::String* text) { return text != nullptr ? new IMString(*text) : nullptr; }
};
