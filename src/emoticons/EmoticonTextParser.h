// Finds the emoticon codes of a message text. Matching ignores letter case; codes of
// different rows may overlap, and the list keeps them all, ordered by table row and then by
// position, so that whoever draws the text can let the lowest row win at each position.
// Threading: stateless, any thread.
#pragma once

#include "platform/ArrayList.h"
#include "platform/String.h"

class EmoticonTextParser {
public:
    // A new list of new _EMOTICON_POS objects, or null when the text is empty or holds no
    // code. The caller deletes the elements (RemoveAll(true)) and the list.
    Ixa::Base::Collection::ArrayList* ParseText(Ixa::Base::String& text);

private:
    static void FindRow(const Ixa::Base::String& foldedText, int row,
                        Ixa::Base::Collection::ArrayList*& matches);
};
