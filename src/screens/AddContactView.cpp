#include "screens/AddContactView.h"

#include "screens/QuickTextScreenKit.h"

// The list hands its row back to this screen as it goes, so the controls go while the screen
// is still whole.
AddContactView::~AddContactView() { RemoveAllControls(); }

bool AddContactView::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (!QuickTextScreenKit::ConstructForm(*this, "ADDCONTACT_SCREEN", "IDS_GTALK_TITLE")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_ADD", AddContactController::ACTION_ADD);
    field_ = QuickTextScreenKit::AddField(*this, "IDS_EMAIL_ID", {"IDS_ADD", AddContactController::ACTION_ADD_KEYPAD},
        {"IDS_OVERLAY_CANCEL", AddContactController::ACTION_CANCEL}, EDIT_FIELD_STYLE_EMAIL);
    field_->SetLimitLength(EMAIL_MAX_LENGTH);
    list_ = QuickTextScreenKit::AddList(*this, QuickTextScreenKit::FIELD_BOTTOM);
    return true;
}

void AddContactView::updateScreen()
{
    CleanActivePopups();
    if (!returning_) {
        ClearData();
    }
    list_->UpdateList();
    RequestRedraw();
}

void AddContactView::onStateTransition(EVENT_T event, void* data)
{
    returning_ = data != nullptr;
    if (returning_ && !static_cast<const IMString*>(data)->IsEmpty()) {
        groupEntered_ = *static_cast<const IMString*>(data);
    }
    IMScreen::onStateTransition(event, nullptr);
}

IMController* AddContactView::getController() { return &controller_; }

IMModel* AddContactView::getModel() { return nullptr; }

// A failed add ("The contact could not be added.") and the other reports get the framework's
// default reaction.
bool AddContactView::handleEvent(EVENT_T) { return false; }

void AddContactView::setModelDependency() {}

IMString AddContactView::GetEmailIdTextFieldText() const { return IMString(field_->GetText()); }

const IMString& AddContactView::GetNewGroupEntered() const { return groupEntered_; }

void AddContactView::ClearData()
{
    field_->Clear();
    groupEntered_ = IMString();
    list_->UpdateList();
}

void AddContactView::HideKeypad() { field_->HideKeypad(); }
