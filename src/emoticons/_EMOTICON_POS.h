// One emoticon code found in a text: where it starts (in UTF-16 units), which table row it
// matched, how long the code is and the picture drawn for it.
// Threading: none. Ownership: a plain value, owned by the list the parser returns.
#pragma once

#include "platform/String.h"

class _EMOTICON_POS : public Ixa::Base::Object {
public:
    _EMOTICON_POS(int position, int index, int length, const Ixa::Base::String& picture)
        : position(position), index(index), length(length), picture(picture)
    {
    }

    int position;
    int index;
    int length;
    Ixa::Base::String picture;
};
