// The quick-text table (QuickTextTable1 in "/Home/gtalkquicktext.db"): the user's prepared
// chat phrases, each stored once. A phrase's own id is its row id: the id column holds the
// phrase's string hash (String::GetHashCode), as the file has always had it, and two
// different phrases may share a hash, so a phrase is never found or deleted by it.
// Results are new objects the caller owns; a closed table answers null or false.
// Threading and ownership: as StoreTable (QuickTextModel serialises it).
#pragma once

#include "store/StoreTable.h"

#include <vector>

class QuickTextDatabase : public StoreTable {
public:
    struct Entry {
        long long id;
        Ixa::Base::String text;
    };

    static const char* const dbLocation;
    static IMString getDBLocation();

    QuickTextDatabase();
    ~QuickTextDatabase() override;

    // Empties the table; the file stays.
    bool DeleteDatabase();
    // Every phrase as a new platform string, in the order they were added; null when there
    // is none.
    Ixa::Base::Collection::ArrayList* GetAllTexts();
    // Every phrase with its id, in the order they were added.
    std::vector<Entry> GetAllEntries();
    // A new string with the phrase whose id is `id`, or null.
    Ixa::Base::String* GetTextById(long long id);
    bool FindTextById(long long id);
    // Stores the phrase unless it is stored already; true when it is stored afterwards.
    bool AddNewText(const Ixa::Base::String& text);
    // Deletes the one phrase whose id is `id`; false when there is none.
    bool DeleteTextById(long long id);
    bool DeleteAllTexts();
    bool DeleteAll();

private:
    static Ixa::Base::String* CreateTextObject(const Ixa::Io::DbEnumerator& row);
};
