#include "screens/RestoreChatScreen.h"

#include "app/IMManager.h"
#include "app/PopupBuilder.h"
#include "screens/MessageToShow.h"
#include "screens/QuickTextScreenKit.h"
#include "screens/RestoreController.h"

#include "store/SavedMessagesModel.h"

#include "platform/Footer.h"
#include "platform/Header.h"

// The list hands its rows back to the controller as it goes, so the controls go while the
// screen is still whole.
RestoreChatScreen::~RestoreChatScreen() { RemoveAllControls(); }

bool RestoreChatScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "RESTORE_CHAT_SCREEN", "IDS_BACKUP")) {
        return false;
    }
    list_ = QuickTextScreenKit::AddList(*this);
    list_->AddUiLinkEventListener(*this);
    updateScreen();
    return true;
}

void RestoreChatScreen::updateScreen()
{
    CleanActivePopups();
    CloseDeleteQuestion();
    GetHeader()->SetTitleText(RestoreController::NameOf(RestoreController::GetSelectedConversation()));
    controller_.LoadMessages();
    list_->UpdateList();
    const int row = MessageToShow::TakeRow(controller_.GetMessages());
    if (row >= 0 && row < list_->GetItemCount()) {
        list_->ScrollToItem(row);
    }
    ShowFooter();
    RequestRedraw();
}

void RestoreChatScreen::ShowFooter()
{
    Ixa::Ui::Controls::Footer* footer = GetFooter();
    footer->RemoveAllItems();
    if (IMManager::GetSavedMessagesModel()->IsConversationProtectedWithUser(RestoreController::GetSelectedConversation())) {
        QuickTextScreenKit::AddFooterItem(*this, "IDS_PROTECTION_OFF", RestoreChatController::ACTION_UNPROTECT);
    } else {
        QuickTextScreenKit::AddFooterItem(*this, "IDS_PROTECTION_ON", RestoreChatController::ACTION_PROTECT);
        QuickTextScreenKit::AddFooterItem(*this, "IDS_DELETE", RestoreChatController::ACTION_DELETE);
    }
    footer->RequestRedraw();
}

void RestoreChatScreen::AskToDelete()
{
    const Ixa::Base::String& key = RestoreController::GetSelectedConversation();
    Ixa::Base::String shown = RestoreController::NameOf(key);
    shown.Append(", ");
    shown.Append(RestoreController::DateOf(key));
    const Ixa::Base::String question = IMManager::GetFormatString(IMManager::GetStringFromResource("IDS_DELETE_CONFIRMATION_POPUP"), shown);
    Popups().Show(POPUP_DELETE,
        PopupBuilder::Question(question, RestoreChatController::ACTION_DELETE_YES, RestoreChatController::ACTION_DELETE_NO, *this));
}

void RestoreChatScreen::CloseDeleteQuestion()
{
    if (Popups().Close(POPUP_DELETE)) {
        Draw();
    }
}

IMController* RestoreChatScreen::getController() { return &controller_; }

IMModel* RestoreChatScreen::getModel() { return nullptr; }

bool RestoreChatScreen::handleEvent(EVENT_T) { return false; }

void RestoreChatScreen::setModelDependency() {}
