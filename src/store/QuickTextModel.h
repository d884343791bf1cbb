// The process-wide quick-text store ("QuickTextModel"). Results are new objects the caller
// owns; every operation answers null or false when the table is missing.
// Threading: safe from any thread; the model's lock serialises every table call.
// Ownership: see StoreModel.
#pragma once

#include "store/QuickTextDatabase.h"
#include "store/StoreModel.h"

class QuickTextModel : public StoreModel<QuickTextModel, QuickTextDatabase> {
public:
    static const char* const modelName;

    ~QuickTextModel() override;

    IMString getModelName() const override;

    // Every phrase, in the order they were added; null when there is none.
    virtual Ixa::Base::Collection::ArrayList* GetAllTexts();
    // Every phrase with its own id, in the order they were added.
    std::vector<QuickTextDatabase::Entry> GetAllEntries();
    virtual Ixa::Base::String* GetTextById(long long id);
    virtual bool FindTextById(long long id);
    // Stores the phrase once; true when it is stored afterwards.
    virtual bool AddNewText(const Ixa::Base::String& text);
    // Deletes that one phrase, never another that reads alike or shares its hash.
    virtual bool DeleteTextById(long long id);
    virtual bool DeleteAllTexts();
    // Empties the table; the file stays.
    virtual bool DeleteDatabase();

private:
    friend class StoreModel<QuickTextModel, QuickTextDatabase>;
    QuickTextModel();
};
