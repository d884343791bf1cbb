#include "screens/ContactInfoController.h"

#include "app/IMManager.h"
#include "screens/ContactInfoView.h"

#include "store/ContactModel.h"

#include "platform/CustomItem.h"

#include <memory>

namespace {

using Ixa::Graphics::Color;
using Ixa::Graphics::Rectangle;

constexpr int Left = 12;
constexpr int LabelHeight = 30;
constexpr int LabelSize = 26;
constexpr int ValueOffset = 44;
constexpr int ValueHeight = 52;
constexpr int ValueSize = 40;
// Each label and its value take 100 pixels, starting 13 down.
constexpr int FirstTop = 13;
constexpr int Pitch = 100;

const Color LabelColour(0x5E, 0x6A, 0x85, 0xFF);
const Color ValueColour(0xFF, 0xFF, 0xFF);
const Color PressedValueColour(0x3D, 0x8B, 0xFD);

}  // namespace

void ContactInfoController::processAction(const Control&, int, IMView*) {}

void ContactInfoController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void ContactInfoController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST); }

int ContactInfoController::processGetItemCount(IMView* view)
{
    auto* screen = dynamic_cast<ContactInfoView*>(view);
    return screen != nullptr && screen->GetSelectedContact() != nullptr ? 1 : 0;
}

IMController::ListItemBase* ContactInfoController::processCreateItem(int index, int itemWidth, IMView* view)
{
    auto* screen = dynamic_cast<ContactInfoView*>(view);
    const Contact* selected = screen != nullptr ? screen->GetSelectedContact() : nullptr;
    if (index != 0 || selected == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Contact> stored(IMManager::GetContactModel()->GetContactById(selected->GetContactId()));
    return makeDetails(stored != nullptr ? *stored : *selected, itemWidth);
}

IMController::ListItemBase* ContactInfoController::makeDetails(const Contact& contact, int width)
{
    const Ixa::Base::String texts[] = {
        IMManager::GetStringFromResource("IDS_DISPLAY_NAME"),
        contact.GetNickName(),
        IMManager::GetStringFromResource("IDS_EMAIL_ADD"),
        contact.GetContactId(),
        IMManager::GetStringFromResource("IDS_STATUS_COLON"),
        IMManager::GetStringFromResource(PresenceTextId(contact.GetPresenceType())),
        IMManager::GetStringFromResource("IDS_STATUS_TEXT"),
        contact.GetCustomMessage(),
    };
    auto* item = new Ixa::Ui::Controls::CustomItem;
    item->Construct(Ixa::Graphics::Dimension(width, ROW_HEIGHT));
    for (int field = 0; field < 4; ++field) {
        const int top = FirstTop + field * Pitch;
        item->AddElement(Rectangle(Left, top, width - 2 * Left, LabelHeight), 2 * field + 1, texts[2 * field], LabelSize, LabelColour,
            LabelColour, LabelColour);
        item->AddElement(Rectangle(Left, top + ValueOffset, width - 2 * Left, ValueHeight), 2 * field + 2, texts[2 * field + 1], ValueSize,
            ValueColour, PressedValueColour, ValueColour);
    }
    return item;
}

bool ContactInfoController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

const char* ContactInfoController::PresenceTextId(int presence)
{
    switch (presence) {
    case 0:
    case 99:
        return "IDS_AVAILABLE";
    case 2:
        return "IDS_BUSY";
    case 9:
    case 999:
        return "IDS_AWAY";
    default:
        return "IDS_OFFLINE";
    }
}
