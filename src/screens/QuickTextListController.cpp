#include "screens/QuickTextListController.h"

#include "app/IMManager.h"

#include "store/QuickTextModel.h"

#include "platform/ArrayList.h"
#include "platform/Color.h"
#include "platform/CustomItem.h"

#include <memory>

namespace {

constexpr int RowHeight = 88;
constexpr int TextSize = 30;
constexpr int Inset = 20;

}  // namespace

Ixa::Base::String QuickTextListController::quickText;

void QuickTextListController::processAction(const Control&, int actionId, IMView*)
{
    if (actionId == ACTION_ADD) {
        IMManager::notifyEvent(EVENT_SHOW_QUICK_TEXT_ADD);
    } else if (actionId == ACTION_DELETE) {
        IMManager::notifyEvent(EVENT_SHOW_QUICK_TEXT_DELETE);
    }
}

void QuickTextListController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void QuickTextListController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { IMManager::notifyEvent(EVENT_SHOW_CHAT); }

void QuickTextListController::processListViewItemStateChanged(ListView&, int index, int, ListItemStatus, IMView*)
{
    if (index >= 0 && index < static_cast<int>(pAllQuickText.size())) {
        quickText = pAllQuickText[static_cast<size_t>(index)];
        IMManager::notifyEvent(EVENT_SHOW_CHAT);
    }
}

int QuickTextListController::processGetItemCount(IMView*)
{
    pAllQuickText = LoadTexts();
    return static_cast<int>(pAllQuickText.size());
}

IMController::ListItemBase* QuickTextListController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index < 0 || index >= static_cast<int>(pAllQuickText.size())) {
        return nullptr;
    }
    return MakeTextRow(pAllQuickText[static_cast<size_t>(index)], itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL);
}

bool QuickTextListController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

IMController::ListItemBase* QuickTextListController::MakeTextRow(const Ixa::Base::String& text, int width, Ixa::Ui::Controls::ListAnnexStyle annex)
{
    auto* item = new Ixa::Ui::Controls::CustomItem;
    item->Construct(Ixa::Graphics::Dimension(width, RowHeight), annex);
    const int textWidth = annex == Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL ? width - 2 * Inset : width - 3 * Inset - RowHeight;
    const Ixa::Graphics::Color white(255, 255, 255);
    item->AddElement(Ixa::Graphics::Rectangle(Inset, 0, textWidth, RowHeight), 1, text, TextSize, white, white, white);
    return item;
}

std::vector<Ixa::Base::String> QuickTextListController::LoadTexts()
{
    std::vector<Ixa::Base::String> texts;
    std::unique_ptr<Ixa::Base::Collection::ArrayList> stored(QuickTextModel::GetInstance()->GetAllTexts());
    for (int i = 0; stored != nullptr && i < stored->GetCount(); ++i) {
        texts.push_back(*static_cast<const Ixa::Base::String*>(stored->GetAt(i)));
    }
    if (stored != nullptr) {
        stored->RemoveAll(true);
    }
    return texts;
}
