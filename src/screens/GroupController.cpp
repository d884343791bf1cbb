#include "screens/GroupController.h"

#include "app/IMManager.h"
#include "screens/GroupScreen.h"

#include "store/GroupModel.h"

#include <memory>

void GroupController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<GroupScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    if (actionId == ACTION_CREATE) {
        create(*screen);
    } else if (actionId == ACTION_HIDE_KEYPAD) {
        screen->HideKeypad();
    }
}

void GroupController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void GroupController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView* view)
{
    if (auto* screen = dynamic_cast<GroupScreen*>(view)) {
        screen->HideKeypad();
        screen->ClearName();
    }
    IMManager::notifyEvent(EVENT_SHOW_GROUP_LIST);
}

void GroupController::create(GroupScreen& screen)
{
    IMString name = screen.GetName();
    name.Trim();
    if (name.IsEmpty()) {
        screen.InitializeAndShowPopup(IMScreen::POPUP_INFO, IMManager::GetStringFromResource("IDS_GROUP_NAME_EMPTY"));
        return;
    }
    GroupModel* groups = IMManager::GetGroupModel();
    if (std::unique_ptr<Group>(groups->FindByGroupId(name)) != nullptr) {
        screen.InitializeAndShowPopup(IMScreen::POPUP_INFO, IMManager::GetStringFromResource("IDS_GROUP_ALREADY_EXISTS"));
        return;
    }
    std::unique_ptr<Group> group(groups->CreateGroup());
    group->SetGroupName(name);
    group->SetGroupId(IMString(name.ToLower()));
    groups->SaveOrUpdate(group.get());
    screen.HideKeypad();
    screen.ClearName();
}
