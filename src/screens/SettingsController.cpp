#include "screens/SettingsController.h"

#include "app/IMManager.h"
#include "screens/BuddyController.h"
#include "engine/PresenceStatus.h"
#include "screens/SettingsScreen.h"
#include "screens/StatusRows.h"

#include "store/PropertiesModel.h"

#include "platform/Color.h"
#include "platform/CustomItem.h"

int SettingsController::isBuddyList = SettingsController::FROM_BUDDY_LIST;

namespace {

const char* const Melody = "melody";
const char* const NoAlert = "none";
constexpr int RowInset = 20;
constexpr int RowGap = 6;
constexpr int TitleSize = 26;
constexpr int ValueSize = 22;

}  // namespace

void SettingsController::Open(int origin)
{
    isBuddyList = origin;
    IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
}

void SettingsController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<SettingsScreen*>(view);
    switch (actionId) {
    case ACTION_SHOW_OFFLINE_ON:
    case ACTION_SHOW_OFFLINE_SELECTED:
        setShowOffline(true);
        return;
    case ACTION_SHOW_OFFLINE_OFF:
        setShowOffline(false);
        return;
    case ACTION_ALERT_ON:
    case ACTION_ALERT_SELECTED:
        setAlert(true);
        return;
    case ACTION_ALERT_OFF:
        setAlert(false);
        return;
    case ACTION_SIGN_OUT:
        if (screen != nullptr) {
            screen->ShowSignOutQuestion();
        }
        return;
    case ACTION_SIGN_OUT_YES:
        if (screen != nullptr) {
            screen->CloseSignOutQuestion();
        }
        BuddyController::SignOut();
        return;
    case ACTION_SIGN_OUT_NO:
        if (screen != nullptr) {
            screen->CloseSignOutQuestion();
        }
        return;
    case ACTION_BACKUP:
        IMManager::notifyEvent(EVENT_SHOW_RESTORE);
        return;
    case ACTION_BLOCKED_LIST:
        IMManager::notifyEvent(EVENT_SHOW_BLOCKED_LIST);
        return;
    default:
        return;
    }
}

void SettingsController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView* view)
{
    if (auto* screen = dynamic_cast<SettingsScreen*>(view)) {
        screen->LayoutControls();
    }
}

void SettingsController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*)
{
    ScreenOrigin::ReturnTo(isBuddyList);
}

void SettingsController::processListViewItemStateChanged(ListView&, int index, int, ListItemStatus, IMView*)
{
    constexpr EVENT_T events[PROFILE_ROWS] = {EVENT_SHOW_NAME_DISPLAY, EVENT_SHOW_PERSONAL_MESSAGE, EVENT_SHOW_STATUS};
    if (index >= 0 && index < PROFILE_ROWS) {
        IMManager::notifyEvent(events[index]);
    }
}

int SettingsController::processGetItemCount(IMView*) { return PROFILE_ROWS; }

IMController::ListItemBase* SettingsController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index < 0 || index >= PROFILE_ROWS) {
        return nullptr;
    }
    constexpr const char* titles[PROFILE_ROWS] = {"IDS_NAME", "IDS_PERSONAL_MESSAGE", "IDS_STATUS"};
    PresenceStatus self = IMManager::CopySelfStatus();
    const Ixa::Base::String values[PROFILE_ROWS] = {
        IMManager::GetDisplayName(), self.GetCustomStatusMessage(), StatusRows::NameOf(self)};
    using Ixa::Graphics::Rectangle;
    auto* item = new Ixa::Ui::Controls::CustomItem;
    item->Construct(Ixa::Graphics::Dimension(itemWidth, ROW_HEIGHT), Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL);
    const Ixa::Graphics::Color white(255, 255, 255);
    const Ixa::Graphics::Color grey(170, 170, 170);
    const int width = itemWidth - 2 * RowInset;
    const int half = ROW_HEIGHT / 2;
    item->AddElement(Rectangle(RowInset, RowGap, width, half - RowGap), 1, IMManager::GetStringFromResource(titles[index]),
        TitleSize, white, white, white);
    item->AddElement(Rectangle(RowInset, half, width, half - RowGap), 2, values[index], ValueSize, grey, grey, grey);
    return item;
}

bool SettingsController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

// The buddy list reads the flag whenever it lists, so the change shows the next time it does,
// without waiting for the store.
void SettingsController::setShowOffline(bool show)
{
    BuddyController::isShowOfflineContacts = show;
    IMManager::GetPropertiesModel()->SetShowOfflineContactsOrPics(show);
}

void SettingsController::setAlert(bool melody)
{
    IMManager::GetPropertiesModel()->SetAlertSettings(Ixa::Base::String(melody ? Melody : NoAlert));
}
