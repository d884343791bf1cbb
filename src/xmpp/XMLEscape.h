// Escaping of user and server text written into stanzas. The five characters that could end
// an attribute value or start markup become references; everything else is copied, so
// ordinary text comes out byte for byte as it went in. Thread-safety: stateless.
#pragma once

#include "foundation/IMString.h"

class XMLEscape {
public:
    // Appends `text` to `out`, escaped; nothing for a null text.
    static void append(IMString& out, const Ixa::Base::String* text);
    // When `text` is set: appends `before`, the escaped text and `after` (an attribute with
    // its quotes, or an element with its tags); nothing for a null text.
    static void appendField(IMString& out, const char* before, const Ixa::Base::String* text, const char* after);
    // A new escaped copy of `text` (empty for null), owned by the caller.
    static IMString* escape(const Ixa::Base::String* text);
};
