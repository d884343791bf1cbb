// The strings of a store's list result as a vector.
// Threading: any thread; stateless.
#pragma once

#include "platform/ArrayList.h"
#include "platform/String.h"

#include <vector>

class StringList {
public:
    // Copies the list's strings in order, then deletes the list and its strings; null gives none.
    static std::vector<Ixa::Base::String> Take(Ixa::Base::Collection::ArrayList* list);
};
