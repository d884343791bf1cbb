#include "screens/BlockedListScreen.h"

#include "app/IMManager.h"
#include "app/ModelNotification.h"
#include "screens/QuickTextScreenKit.h"

#include "store/ContactModel.h"

#include "platform/Footer.h"

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
BlockedListScreen::~BlockedListScreen() { RemoveAllControls(); }

bool BlockedListScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "BLOCKED_LIST", "IDS_BLOCKED_CONTACTS")) {
        return false;
    }
    rowContext_.Construct();
    rowContext_.AddElement(BlockedListController::CONTEXT_UNBLOCK, IMManager::GetStringFromResource("IDS_UNBLOCK"));
    rowContext_.AddElement(BlockedListController::CONTEXT_DELETE, IMManager::GetStringFromResource("IDS_DELETE"));
    controller_.Reload();
    list_ = QuickTextScreenKit::AddList(*this);
    QuickTextScreenKit::SetEmptyList(*list_, "IDS_NO_CONTACTS", "00_noitems_no_contacts.png");
    list_->UpdateList();
    showFooterItems(controller_.GetBlockedCount() > 0);
    return true;
}

void BlockedListScreen::updateScreen()
{
    CleanActivePopups();
    refresh();
}

void BlockedListScreen::refresh()
{
    controller_.Reload();
    list_->UpdateList();
    showFooterItems(controller_.GetBlockedCount() > 0);
    RequestRedraw();
}

void BlockedListScreen::showFooterItems(bool shown)
{
    Ixa::Ui::Controls::Footer* footer = GetFooter();
    footer->RemoveAllItems();
    if (shown) {
        QuickTextScreenKit::AddFooterItem(*this, "IDS_UNBLOCK", BlockedListController::ACTION_UNBLOCK_SCREEN);
        QuickTextScreenKit::AddFooterItem(*this, "IDS_DELETE", BlockedListController::ACTION_DELETE_SCREEN);
    }
}

void BlockedListScreen::RemoveRow(int index)
{
    list_->RefreshList(index, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_REMOVE);
    if (controller_.GetBlockedCount() == 0) {
        showFooterItems(false);
    }
    RequestRedraw();
}

// Updates already on their way still arrive; the next showing reads the store anyway.
void BlockedListScreen::willLossFocus() { unsubscribeToModels(); }

IMController* BlockedListScreen::getController() { return &controller_; }

IMModel* BlockedListScreen::getModel() { return IMManager::GetContactModel(); }

// A failed unblock or delete brings the contact back from the store before its popup.
bool BlockedListScreen::handleEvent(EVENT_T event)
{
    switch (event) {
    case EVENT_IGNORE_LIST_REFRESH_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_REFRESH_IGNORE_FAILED"));
        return true;
    case EVENT_UNBLOCK_FAILED:
        BlockedListEntries::ForgetRequests();
        refresh();
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_UNBLOCK_FAILED"));
        return true;
    case EVENT_DELETE_CONTACT_FAILED:
        BlockedListEntries::ForgetRequests();
        refresh();
        return false;
    default:
        return false;
    }
}

void BlockedListScreen::setModelDependency()
{
    cleanModelList();
    thisViewDependsOnModel(IMManager::GetContactModel());
}

void BlockedListScreen::onModelUpdate(void* data)
{
    const auto* notification = static_cast<const ModelNotification*>(data);
    if (notification == nullptr || list_ == nullptr) {
        return;
    }
    switch (notification->getNotificationType()) {
    case NOTIFY_CONTACT_LIST_CHANGED:
    case NOTIFY_IGNORE_LIST_REFRESHED:
    case NOTIFY_ALL_PRESENCE_RECEIVED:
        refresh();
        break;
    default:
        break;
    }
}
