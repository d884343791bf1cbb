#include "emoticons/EmoticonTextParser.h"

#include "emoticons/EmoticonTables.h"
#include "emoticons/_EMOTICON_POS.h"
#include "platform/CaseFolding.h"

using Ixa::Base::CaseFolding;
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
    // Folded, not upper-cased: positions must stay those of the text as it is drawn.
    const String foldedText = CaseFolding::Fold(text);
    ArrayList* matches = nullptr;
    for (int row = 0; row < GTALK_EMOTICON_COUNT; ++row) {
        FindRow(foldedText, row, matches);
    }
    return matches;
}

void EmoticonTextParser::FindRow(const String& foldedText, int row, ArrayList*& matches)
{
    const EmoticonRow& emoticon = gtalkEmoticonTable[row];
    const String code = CaseFolding::Fold(emoticon.code);
    const int length = code.GetLength();
    int offset = 0;
    int found = -1;
    while (foldedText.IndexOf(code, offset, found) == Ixa::E_SUCCESS && found >= 0) {
        if (matches == nullptr) {
            matches = new ArrayList();
            matches->Construct(RESULT_CAPACITY);
        }
        matches->Add(new _EMOTICON_POS(found, row, length, emoticon.picture));
        offset = found + length;
        // A single character left over cannot hold a code.
        if (offset >= foldedText.GetLength() - 1) {
            break;
        }
    }
}
