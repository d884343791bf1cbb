#include "screens/SelectAllList.h"

#include "app/IMView.h"

void SelectAllList::Answer(Ixa::Ui::Controls::ListView& list, int index, Ixa::Ui::Controls::ListItemStatus status, IMView* view)
{
    if (!IsCheckChange(status)) {
        return;
    }
    Sync(list, index, status == Ixa::Ui::Controls::LIST_ITEM_STATUS_CHECKED);
    if (auto* counter = dynamic_cast<Counter*>(view)) {
        counter->ShowSelection(CheckedCount(list));
    }
}

void SelectAllList::Sync(Ixa::Ui::Controls::ListView& list, int index, bool checked)
{
    const int rows = list.GetItemCount();
    if (index == 0) {
        for (int row = 1; row < rows; ++row) {
            list.SetItemChecked(row, checked);
        }
        return;
    }
    list.SetItemChecked(0, checked && CheckedCount(list) == rows - 1);
}

int SelectAllList::CheckedCount(const Ixa::Ui::Controls::ListView& list)
{
    int count = 0;
    for (int row = 1; row < list.GetItemCount(); ++row) {
        count += list.IsItemChecked(row) ? 1 : 0;
    }
    return count;
}

void SelectAllList::UncheckAll(Ixa::Ui::Controls::ListView& list)
{
    for (int row = 0; row < list.GetItemCount(); ++row) {
        list.SetItemChecked(row, false);
    }
}

bool SelectAllList::IsCheckChange(Ixa::Ui::Controls::ListItemStatus status)
{
    return status == Ixa::Ui::Controls::LIST_ITEM_STATUS_CHECKED || status == Ixa::Ui::Controls::LIST_ITEM_STATUS_UNCHECKED;
}
