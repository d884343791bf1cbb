// A piece of a message as it is drawn: a run of plain text or one emoticon picture.
// Threading: none; a plain value.
#pragma once

#include "platform/String.h"

struct EmoticonSegment {
    enum class Kind { Text, Picture };

    Kind kind;
    // The text of a text run, the picture's resource path for a picture.
    Ixa::Base::String value;
};
