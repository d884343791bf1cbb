#include "screens/QuickTextListDeleteController.h"

#include "app/IMManager.h"
#include "screens/QuickTextListController.h"
#include "screens/QuickTextListDeleteScreen.h"
#include "screens/SelectAllList.h"

#include "store/QuickTextModel.h"

#include "platform/ListView.h"

void QuickTextListDeleteController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<QuickTextListDeleteScreen*>(view);
    if (actionId == ACTION_DELETE && screen != nullptr) {
        deleteChecked(*screen);
    }
}

void QuickTextListDeleteController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void QuickTextListDeleteController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*)
{
    IMManager::notifyEvent(EVENT_SHOW_QUICK_TEXT_LIST);
}

void QuickTextListDeleteController::processListViewItemStateChanged(ListView& list, int index, int, ListItemStatus status, IMView* view)
{
    SelectAllList::Answer(list, index, status, view);
}

void QuickTextListDeleteController::deleteChecked(QuickTextListDeleteScreen& screen)
{
    ListView& list = screen.GetList();
    for (int row = static_cast<int>(pAllQuickTextForDeleteing.size()); row >= 1; --row) {
        if (list.IsItemChecked(row)) {
            QuickTextModel::GetInstance()->DeleteTextById(pAllQuickTextForDeleteing[static_cast<size_t>(row - 1)].first);
            pAllQuickTextForDeleteing.erase(pAllQuickTextForDeleteing.begin() + (row - 1));
        }
    }
    IMManager::notifyEvent(EVENT_SHOW_QUICK_TEXT_LIST);
}

int QuickTextListDeleteController::processGetItemCount(IMView*)
{
    pAllQuickTextForDeleteing.clear();
    for (QuickTextDatabase::Entry& entry : QuickTextModel::GetInstance()->GetAllEntries()) {
        pAllQuickTextForDeleteing.emplace_back(entry.id, std::move(entry.text));
    }
    return pAllQuickTextForDeleteing.empty() ? 0 : static_cast<int>(pAllQuickTextForDeleteing.size()) + 1;
}

IMController::ListItemBase* QuickTextListDeleteController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index < 0 || index > static_cast<int>(pAllQuickTextForDeleteing.size())) {
        return nullptr;
    }
    const Ixa::Base::String text = index == 0 ? IMManager::GetStringFromResource("IDS_SELECT_ALL")
                                              : pAllQuickTextForDeleteing[static_cast<size_t>(index - 1)].second;
    return QuickTextListController::MakeTextRow(text, itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_MARK);
}

bool QuickTextListDeleteController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}
