#include "screens/NameDisplayController.h"

#include "app/IMManager.h"

#include "platform/Color.h"
#include "platform/CustomItem.h"

namespace {

constexpr int RowHeight = 112;
constexpr int Inset = 20;
constexpr int TitleSize = 24;
constexpr int NameSize = 30;
enum Element { ELEMENT_TITLE = 1, ELEMENT_NAME = 2 };

}  // namespace

void NameDisplayController::processAction(const Control&, int, IMView*) {}

void NameDisplayController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void NameDisplayController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { IMManager::notifyEvent(EVENT_SHOW_SETTINGS); }

int NameDisplayController::processGetItemCount(IMView*) { return 1; }

IMController::ListItemBase* NameDisplayController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index != 0) {
        return nullptr;
    }
    using Ixa::Graphics::Rectangle;
    auto* item = new Ixa::Ui::Controls::CustomItem;
    item->Construct(Ixa::Graphics::Dimension(itemWidth, RowHeight), Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL);
    const Ixa::Graphics::Color grey(170, 170, 170);
    const Ixa::Graphics::Color white(255, 255, 255);
    const int width = itemWidth - 2 * Inset;
    item->AddElement(Rectangle(Inset, Inset / 2, width, RowHeight / 2 - Inset / 2), ELEMENT_TITLE,
        IMManager::GetStringFromResource("IDS_DISPLAY_NAME"), TitleSize, grey, grey, grey);
    item->AddElement(Rectangle(Inset, RowHeight / 2, width, RowHeight / 2 - Inset / 2), ELEMENT_NAME,
        IMManager::GetDisplayName(), NameSize, white, white, white);
    return item;
}

bool NameDisplayController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}
