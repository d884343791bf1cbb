// A growable array of objects that never deletes its elements. Thread-safety: none.
#pragma once

#include "platform/ArrayList.h"

class IMVector : public Ixa::Base::Collection::ArrayList {
public:
    IMVector();
    ~IMVector() override;

    int size() const;
    Ixa::result put(Ixa::Base::Object* item);
    // Replaces the element at `index`; the old one is left to its owner.
    Ixa::result putAt(Ixa::Base::Object* item, int index);
    // Sets `item` to the element at `index`, null when out of range, and answers the result.
    Ixa::result getAt(int index, Ixa::Base::Object*& item) const;
};
