#include "emoticons/EmoticonSegmenter.h"

#include "emoticons/EmoticonTextParser.h"
#include "emoticons/_EMOTICON_POS.h"

#include <memory>

using Ixa::Base::Collection::ArrayList;
using Ixa::Base::String;

namespace {

const _EMOTICON_POS* MatchAt(const ArrayList* matches, int position)
{
    const int count = matches != nullptr ? matches->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        auto match = static_cast<const _EMOTICON_POS*>(matches->GetAt(i));
        if (match->position == position) {
            return match;
        }
    }
    return nullptr;
}

void FlushText(const String& text, int start, int end, std::vector<EmoticonSegment>& segments)
{
    if (end > start) {
        String run;
        text.SubString(start, end - start, run);
        segments.push_back({EmoticonSegment::Kind::Text, run});
    }
}

}  // namespace

std::vector<EmoticonSegment> EmoticonSegmenter::Split(const String& text, const ArrayList* matches)
{
    std::vector<EmoticonSegment> segments;
    const int length = text.GetLength();
    int runStart = 0;
    int position = 0;
    while (position < length) {
        const _EMOTICON_POS* match = MatchAt(matches, position);
        if (match == nullptr) {
            ++position;
            continue;
        }
        FlushText(text, runStart, position, segments);
        segments.push_back({EmoticonSegment::Kind::Picture, match->picture});
        position += match->length;
        runStart = position;
    }
    FlushText(text, runStart, length, segments);
    return segments;
}

std::vector<EmoticonSegment> EmoticonSegmenter::Split(const String& text)
{
    String copy(text);
    std::unique_ptr<ArrayList> matches(EmoticonTextParser().ParseText(copy));
    std::vector<EmoticonSegment> segments = Split(text, matches.get());
    if (matches != nullptr) {
        matches->RemoveAll(true);
    }
    return segments;
}
