// The text tables of the stanza attributes ("type", "show", "subscription" ...): a run of
// texts for consecutive values, matched exactly when reading and produced when writing.
// Thread-safety: stateless.
#pragma once

#include "foundation/IMString.h"

class TypeTable {
public:
    // The value of `text`: `first` + its index among `names`, or `unknown` for null or a text
    // that matches none.
    static int valueOf(const IMString* text, const char* const* names, int count, int first, int unknown);
    // The text of `value`, or the empty text outside the table.
    static IMString textOf(int value, const char* const* names, int count, int first);
};
