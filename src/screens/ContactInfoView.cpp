#include "screens/ContactInfoView.h"

#include "app/IMManager.h"
#include "app/ModelNotification.h"

#include "store/ContactModel.h"

#include "platform/Footer.h"
#include "platform/Header.h"

// The list hands its row back to this screen as it goes, so the controls go while the screen
// is still whole.
ContactInfoView::~ContactInfoView() { RemoveAllControls(); }

bool ContactInfoView::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (Ixa::IsFailed(Construct(FORM_STYLE_HEADER | FORM_STYLE_FOOTER))) {
        return false;
    }
    SetName("CONTACTINFO_SCREEN");
    GetHeader()->SetTitleText(IMManager::GetStringFromResource("IDS_IM_HEADER_FRIENDS_DETAILS"));
    GetFooter()->SetBackButton();
    SetFormBackEventListener(this);
    const Ixa::Graphics::Rectangle client = GetClientAreaBounds();
    list_ = new ListView;
    list_->Construct(Ixa::Graphics::Rectangle(0, 0, client.width, client.height), false);
    list_->SetItemProvider(*this);
    AddControl(*list_);
    list_->UpdateList();
    return true;
}

void ContactInfoView::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    RequestRedraw();
}

void ContactInfoView::onStateTransition(EVENT_T event, void* data)
{
    if (data != nullptr) {
        contact_.reset(IMManager::GetContactModel()->CreateContact(static_cast<Contact*>(data)));
    }
    IMScreen::onStateTransition(event, data);
}

// Updates already on their way still arrive; the next showing reads the store anyway.
void ContactInfoView::willLossFocus() { unsubscribeToModels(); }

IMController* ContactInfoView::getController() { return &controller_; }

IMModel* ContactInfoView::getModel() { return IMManager::GetContactModel(); }

bool ContactInfoView::handleEvent(EVENT_T) { return false; }

void ContactInfoView::setModelDependency()
{
    cleanModelList();
    thisViewDependsOnModel(IMManager::GetContactModel());
}

void ContactInfoView::onModelUpdate(void* data)
{
    const auto* notification = static_cast<const ModelNotification*>(data);
    if (notification == nullptr || list_ == nullptr || contact_ == nullptr) {
        return;
    }
    const int type = notification->getNotificationType();
    const auto* changed = type == NOTIFY_CONTACT_UPDATED ? static_cast<const Contact*>(notification->getNotificationData()) : nullptr;
    const bool ours = changed != nullptr && changed->GetContactId().ToLower() == contact_->GetContactId().ToLower();
    if (ours || type == NOTIFY_ALL_PRESENCE_RECEIVED) {
        list_->UpdateList();
        RequestRedraw();
    }
}
