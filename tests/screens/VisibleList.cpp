#include "VisibleList.h"

#include "platform/ScreenProbe.h"

Ixa::Ui::Controls::ListView* VisibleList()
{
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "ListView") {
            return dynamic_cast<Ixa::Ui::Controls::ListView*>(entry.control);
        }
    }
    return nullptr;
}

std::vector<std::string> VisibleListRows()
{
    std::vector<std::string> rows;
    Ixa::Ui::Controls::ListView* list = VisibleList();
    for (int row = 0; list != nullptr && row < list->GetItemCount(); ++row) {
        std::string text;
        for (const Ixa::Base::String& piece : list->GetItemAt(row)->GetTexts()) {
            text += (text.empty() ? "" : " | ") + piece.ToUtf8();
        }
        rows.push_back(text);
    }
    return rows;
}
