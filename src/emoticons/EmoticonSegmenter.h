// Turns a message text and the parser's matches into the pieces that are drawn. The text is
// walked from its start; at each position the first match in list order that starts there
// wins (so the lower table row wins), its picture replaces the code, and a code that starts
// inside one already drawn is not drawn ("}:-)" shows the devil only).
// Threading: stateless, any thread. Ownership: borrows the matches.
#pragma once

#include "emoticons/EmoticonSegment.h"
#include "platform/ArrayList.h"

#include <vector>

class EmoticonSegmenter {
public:
    static std::vector<EmoticonSegment> Split(const Ixa::Base::String& text,
                                              const Ixa::Base::Collection::ArrayList* matches);
    // Parses and splits in one step.
    static std::vector<EmoticonSegment> Split(const Ixa::Base::String& text);
};
