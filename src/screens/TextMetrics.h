// How wide a line of text is drawn in the plain font of a given size, so rows can place
// texts side by side or centre them.
// Threading: user-interface thread. Ownership: nothing is kept.
#pragma once

#include "platform/String.h"

class TextMetrics {
public:
    static int Width(const Ixa::Base::String& text, int fontSize);
};
