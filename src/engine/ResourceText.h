// The localised texts the engine puts into what it reports (sign-in errors, the "invited"
// status of a contact), looked up by their resource identifiers ("IDS_..."). The engine sits
// below the application, which owns the resources, so the application installs the lookup
// at start-up; until it does, and for an identifier the lookup does not know, the text is
// empty, as a failed resource lookup is.
// Threading: setLookup and text are safe from any thread; the lookup itself is called on the
// thread asking for the text (the response thread), so it must be safe there.
#pragma once

#include "foundation/IMString.h"

#include <functional>

class ResourceText {
public:
    // Answers the text of the identifier, or false when it has none.
    using Lookup = std::function<bool(const IMString& id, IMString& text)>;

    // Replaces the lookup; an empty one removes it.
    static void setLookup(Lookup lookup);
    static IMString text(const char* id);
    static IMString text(const Ixa::Base::String& id);
};
