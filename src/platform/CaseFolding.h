// Case-insensitive matching that keeps positions: every character is replaced by its simple
// case folding, so a folded text has the length of the original and an index found in it is
// an index into the original. Upper- or lower-casing does not keep them: "\u00df" upper-cases to
// "SS", "\ufb01" to "FI", "\u0130" lower-cases to two characters.
// Thread-safety: stateless; safe from any thread.
#pragma once

#include "platform/String.h"

namespace Ixa::Base {

class CaseFolding {
public:
    static String Fold(const String& text);
};

}  // namespace Ixa::Base
