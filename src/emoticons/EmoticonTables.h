// The emoticon tables: one per chat service style, and the picker's selection of the first.
// Only the first table is read by the parser; its row order decides which code wins where
// codes overlap (a lower row first). The other two are kept for the styles' full sets.
// Threading: immutable after static initialisation.
#pragma once

#include "emoticons/EmoticonRow.h"

inline constexpr int GTALK_EMOTICON_COUNT = 19;
inline constexpr int MSN_EMOTICON_COUNT = 75;
inline constexpr int YAHOO_EMOTICON_COUNT = 70;
inline constexpr int PICKER_EMOTICON_COUNT = 14;

extern const EmoticonRow gtalkEmoticonTable[GTALK_EMOTICON_COUNT];
extern const EmoticonRow msnEmoticonTable[MSN_EMOTICON_COUNT];
extern const EmoticonRow yahooEmoticonTable[YAHOO_EMOTICON_COUNT];

// The picker's entries in the order it shows them: the code and the picture name, from which
// the 80-pixel grid picture ("Google/emoticons/round/80/<name>_80.png") and the 30-pixel
// panel picture ("Google/emoticons/round/30/<name>.png") are found.
extern const EmoticonRow pickerEmoticonTable[PICKER_EMOTICON_COUNT];

Ixa::Base::String PickerGridPicture(const Ixa::Base::String& name);
Ixa::Base::String PickerPanelPicture(const Ixa::Base::String& name);
