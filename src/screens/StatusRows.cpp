#include "screens/StatusRows.h"

#include "app/IMManager.h"
#include "engine/PresenceStatus.h"

#include "platform/Color.h"
#include "platform/CustomItem.h"
#include "platform/ListView.h"

#include <memory>

namespace {

constexpr int TextSize = 30;
constexpr int Inset = 20;
constexpr int IconSize = 40;
constexpr int TickSize = 40;
enum Element { ELEMENT_ICON = 1, ELEMENT_TEXT = 2, ELEMENT_TICK = 3 };

struct RowLook {
    const char* textId;
    const char* image;
};
constexpr RowLook Looks[StatusRows::COUNT] = {{"IDS_AVAILABLE", "available.png"}, {"IDS_BUSY", "busy.png"}};

}  // namespace

int StatusRows::RowOf(const PresenceStatus& status)
{
    return status.GetPresenceStatus() == PresenceStatus::AVAILABLE ? AVAILABLE : BUSY;
}

bool StatusRows::Apply(int row, PresenceStatus& status)
{
    if (row != AVAILABLE && row != BUSY) {
        return false;
    }
    const bool busy = row == BUSY;
    status.SetPresenceStatus(busy ? PresenceStatus::BUSY : PresenceStatus::AVAILABLE);
    status.SetDoNotDisturb(busy);
    status.SetInvisible(false);
    return true;
}

Ixa::Base::String StatusRows::NameOf(const PresenceStatus& status)
{
    switch (status.GetPresenceStatus()) {
    case PresenceStatus::AVAILABLE:
        return IMManager::GetStringFromResource("IDS_AVAILABLE");
    case PresenceStatus::BUSY:
        return IMManager::GetStringFromResource("IDS_BUSY");
    case PresenceStatus::AWAY:
    case PresenceStatus::AWAY_IDLE:
        return IMManager::GetStringFromResource("IDS_AWAY");
    default:
        return IMManager::GetStringFromResource("IDS_OFFLINE");
    }
}

IMController::ListItemBase* StatusRows::MakeRow(int row, bool chosen, int width)
{
    if (row != AVAILABLE && row != BUSY) {
        return nullptr;
    }
    using Ixa::Graphics::Rectangle;
    const RowLook& look = Looks[row];
    auto* item = new Ixa::Ui::Controls::CustomItem;
    item->Construct(Ixa::Graphics::Dimension(width, ROW_HEIGHT), Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL);
    const int iconTop = (ROW_HEIGHT - IconSize) / 2;
    if (std::unique_ptr<Ixa::Graphics::Bitmap> icon(IMManager::GetBitmapN(look.image)); icon != nullptr) {
        item->AddElement(Rectangle(Inset, iconTop, IconSize, IconSize), ELEMENT_ICON, *icon);
    }
    const int textLeft = 2 * Inset + IconSize;
    const int textWidth = width - textLeft - 2 * Inset - TickSize;
    const Ixa::Graphics::Color white(255, 255, 255);
    item->AddElement(Rectangle(textLeft, 0, textWidth, ROW_HEIGHT), ELEMENT_TEXT,
        IMManager::GetStringFromResource(look.textId), TextSize, white, white, white);
    if (!chosen) {
        return item;
    }
    if (std::unique_ptr<Ixa::Graphics::Bitmap> tick(IMManager::GetBitmapN("Right_Icon.png")); tick != nullptr) {
        const int tickTop = (ROW_HEIGHT - TickSize) / 2;
        item->AddElement(Rectangle(width - Inset - TickSize, tickTop, TickSize, TickSize), ELEMENT_TICK, *tick);
    }
    return item;
}

void StatusRows::Show(Ixa::Ui::Controls::ListView& list, int chosen)
{
    list.UpdateList();
    list.SetItemChecked(chosen, true);
}
