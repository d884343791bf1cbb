#include "screens/SendIMController.h"

#include "app/IMManager.h"
#include "screens/AddContactController.h"
#include "screens/SendIMScreen.h"

#include "engine/UserId.h"
#include "store/ContactModel.h"
#include "store/PropertiesModel.h"

void SendIMController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<SendIMScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    if (actionId == ACTION_OPEN) {
        open(*screen);
    } else if (actionId == ACTION_KEYPAD_CANCEL) {
        screen->HideKeypad();
    }
}

void SendIMController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void SendIMController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView* view)
{
    if (auto* screen = dynamic_cast<SendIMScreen*>(view)) {
        screen->HideKeypad();
        screen->ClearAddress();
    }
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
}

void SendIMController::open(SendIMScreen& screen)
{
    const IMString typed = screen.GetAddress();
    if (!AddContactController::IsValidContactName(typed)) {
        screen.InitializeAndShowPopup(IMScreen::POPUP_INFO, IMManager::GetStringFromResource("IDS_INVALID_EMAIL_ID"));
        return;
    }
    const IMString address = UserId::normalised(typed);
    if (address.Equals(UserId::normalised(IMString(IMManager::GetPropertiesModel()->GetUserName())), true)) {
        screen.InitializeAndShowPopup(IMScreen::POPUP_INFO, IMManager::GetStringFromResource("IDS_SEND_SELF_ERROR"));
        return;
    }
    SetSelectedContact(ContactFor(address));
    screen.HideKeypad();
    screen.ClearAddress();
    IMManager::notifyEvent(EVENT_SHOW_CHAT, static_cast<void*>(selectedContact_.get()));
}

Contact* SendIMController::ContactFor(const IMString& address)
{
    ContactModel* contacts = IMManager::GetContactModel();
    Contact* contact = contacts->GetContactById(address);
    if (contact == nullptr) {
        contact = contacts->CreateContact();
        contact->SetContactId(address);
        contact->SetUserName(UserId::localPart(address));
        contact->SetOnBuddyList(false);
    }
    return contact;
}

void SendIMController::SetSelectedContact(Contact* contact) { selectedContact_.reset(contact); }
