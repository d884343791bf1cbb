#include "emoticons/EmoticonTextParser.h"

#include "emoticons/EmoticonTables.h"
#include "emoticons/_EMOTICON_POS.h"

using Ixa::Base::Collection::ArrayList;
using Ixa::Base::String;

namespace {
constexpr int RESULT_CAPACITY = 10;
}

ArrayList* EmoticonTextParser::ParseText(String& text)
{
    if (text.IsEmpty()) {
        return nullptr;
    }
    const String upperText = text.ToUpper();
    ArrayList* matches = nullptr;
    for (int row = 0; row < GTALK_EMOTICON_COUNT; ++row) {
        FindRow(upperText, row, matches);
    }
    return matches;
}

void EmoticonTextParser::FindRow(const String& upperText, int row, ArrayList*& matches)
{
    const EmoticonRow& emoticon = gtalkEmoticonTable[row];
    const String code = emoticon.code.ToUpper();
    const int length = code.GetLength();
    int offset = 0;
    int found = -1;
    while (upperText.IndexOf(code, offset, found) == Ixa::E_SUCCESS && found >= 0) {
        if (matches == nullptr) {
            matches = new ArrayList();
            matches->Construct(RESULT_CAPACITY);
        }
        matches->Add(new _EMOTICON_POS(found, row, length, emoticon.picture));
        offset = found + length;
        // A single character left over cannot hold a code.
        if (offset >= upperText.GetLength() - 1) {
            break;
        }
    }
}
