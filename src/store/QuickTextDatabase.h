// The quick-text table (QuickTextTable1 in "/Home/gtalkquicktext.db"): the user's prepared
// chat phrases, each filed under its string hash (String::GetHashCode) and stored once.
// Results are new objects the caller owns; a closed table answers null or false.
// Threading and ownership: as StoreTable (QuickTextModel serialises it).
#pragma once

#include "store/StoreTable.h"

class QuickTextDatabase : public StoreTable {
public:
    static const char* const dbLocation;
    static IMString getDBLocation();

    QuickTextDatabase();
    ~QuickTextDatabase() override;

    // Empties the table; the file stays.
    bool DeleteDatabase();
    // Every phrase as a new platform string, in the order they were added; null when there
    // is none.
    Ixa::Base::Collection::ArrayList* GetAllTexts();
    // A new string with the phrase filed under `id`, or null.
    Ixa::Base::String* GetTextById(int id);
    // Whether a phrase whose hash is `id` is stored.
    bool FindTextById(int id);
    // Stores the phrase unless it is stored already; true when it is stored afterwards.
    bool AddNewText(const Ixa::Base::String& text);
    bool DeleteTextById(int id);
    bool DeleteAllTexts();
    bool DeleteAll();

private:
    static Ixa::Base::String* CreateTextObject(const Ixa::Io::DbEnumerator& row);
};
