#include "store/QuickTextModel.h"

using Ixa::Base::Collection::ArrayList;

const char* const QuickTextModel::modelName = "QuickTextModel";

QuickTextModel::QuickTextModel() = default;

QuickTextModel::~QuickTextModel() = default;

IMString QuickTextModel::getModelName() const { return IMString(modelName); }

ArrayList* QuickTextModel::GetAllTexts()
{
    return Locked<ArrayList*>(nullptr, [](QuickTextDatabase& texts) { return texts.GetAllTexts(); });
}

std::vector<QuickTextDatabase::Entry> QuickTextModel::GetAllEntries()
{
    return Locked(std::vector<QuickTextDatabase::Entry>(), [](QuickTextDatabase& texts) { return texts.GetAllEntries(); });
}

Ixa::Base::String* QuickTextModel::GetTextById(long long id)
{
    return Locked<Ixa::Base::String*>(nullptr, [&](QuickTextDatabase& texts) { return texts.GetTextById(id); });
}

bool QuickTextModel::FindTextById(long long id)
{
    return Locked(false, [&](QuickTextDatabase& texts) { return texts.FindTextById(id); });
}

bool QuickTextModel::AddNewText(const Ixa::Base::String& text)
{
    return Locked(false, [&](QuickTextDatabase& texts) { return texts.AddNewText(text); });
}

bool QuickTextModel::DeleteTextById(long long id)
{
    return Locked(false, [&](QuickTextDatabase& texts) { return texts.DeleteTextById(id); });
}

bool QuickTextModel::DeleteAllTexts()
{
    return Locked(false, [](QuickTextDatabase& texts) { return texts.DeleteAllTexts(); });
}

bool QuickTextModel::DeleteDatabase()
{
    return Locked(false, [](QuickTextDatabase& texts) { return texts.DeleteDatabase(); });
}
