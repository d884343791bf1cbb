#include "screens/SelfInfoView.h"

#include "app/IMManager.h"
#include "engine/PresenceStatus.h"
#include "screens/QuickTextScreenKit.h"
#include "screens/StatusRows.h"

#include "store/PropertiesModel.h"

#include "platform/Color.h"
#include "platform/EditField.h"
#include "platform/Label.h"
#include "platform/ListView.h"

#include <memory>

using Ixa::Graphics::Rectangle;
using namespace Ixa::Ui::Controls;

namespace {

constexpr int Margin = 20;
constexpr int AvatarSize = 96;
constexpr int NameSize = 30;
constexpr int UserNameSize = 22;
constexpr int TitleHeight = 40;
constexpr int TitleSize = 22;
constexpr int FieldHeight = 72;
const Ixa::Graphics::Color TitleColor(120, 170, 230);
const Ixa::Graphics::Color UserNameColor(170, 170, 170);

Label* AddLabel(IMScreen& screen, const Rectangle& bounds, int size, const Ixa::Graphics::Color& color)
{
    auto* label = new Label;
    label->Construct(bounds, Ixa::Base::String());
    label->SetTextConfig(size, LABEL_TEXT_STYLE_NORMAL);
    label->SetTextColor(color);
    screen.AddControl(*label);
    return label;
}

}  // namespace

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
SelfInfoView::~SelfInfoView() { RemoveAllControls(); }

bool SelfInfoView::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "SELFINFO_SCREEN", "IDS_MY_PROFILE")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_SAVE", SelfInfoController::ACTION_SAVE);
    QuickTextScreenKit::AddFooterItem(*this, "IDS_CANCEL", SelfInfoController::ACTION_CANCEL);
    const Rectangle client = GetClientAreaBounds();
    const int textLeft = 2 * Margin + AvatarSize;
    const int textWidth = client.width - textLeft - Margin;
    const Ixa::Graphics::Color white(255, 255, 255);
    avatar_ = AddLabel(*this, Rectangle(Margin, Margin, AvatarSize, AvatarSize), NameSize, white);
    name_ = AddLabel(*this, Rectangle(textLeft, Margin, textWidth, AvatarSize / 2), NameSize, white);
    userName_ = AddLabel(*this, Rectangle(textLeft, Margin + AvatarSize / 2, textWidth, AvatarSize / 2), UserNameSize,
        UserNameColor);
    int y = 2 * Margin + AvatarSize;
    messageTitle_ = AddLabel(*this, Rectangle(Margin, y, client.width - 2 * Margin, TitleHeight), TitleSize, TitleColor);
    messageTitle_->SetText(IMManager::GetStringFromResource("IDS_PERSONAL_MESSAGE"));
    y += TitleHeight;
    field_ = QuickTextScreenKit::AddField(*this, "IDS_STATUS_TEXT", {"IDS_SAVE", SelfInfoController::ACTION_KEYPAD_SAVE},
        {"IDS_HIDE", SelfInfoController::ACTION_KEYPAD_HIDE});
    field_->SetBounds(Rectangle(Margin, y, client.width - 2 * Margin, FieldHeight));
    field_->SetLimitLength(MESSAGE_LIMIT);
    y += FieldHeight + Margin;
    statusTitle_ = AddLabel(*this, Rectangle(Margin, y, client.width - 2 * Margin, TitleHeight), TitleSize, TitleColor);
    statusTitle_->SetText(IMManager::GetStringFromResource("IDS_STATUS"));
    y += TitleHeight;
    list_ = QuickTextScreenKit::AddList(*this, y);
    showProfile();
    showSelfStatus();
    return true;
}

void SelfInfoView::showProfile()
{
    std::unique_ptr<Ixa::Graphics::Bitmap> avatar(IMManager::GetSelfIcon());
    avatar_->SetBackgroundBitmap(avatar.get());
    name_->SetText(IMManager::GetDisplayName());
    userName_->SetText(IMManager::GetPropertiesModel()->GetUserName());
}

void SelfInfoView::showSelfStatus()
{
    controller_.updatePresentStatus();
    StatusRows::Show(*list_, controller_.GetChosenRow());
    PresenceStatus self = IMManager::CopySelfStatus();
    keptMessage_ = self.GetCustomStatusMessage();
    field_->SetText(keptMessage_);
}

void SelfInfoView::updateScreen()
{
    CleanActivePopups();
    showProfile();
    showSelfStatus();
    RequestRedraw();
}

IMController* SelfInfoView::getController() { return &controller_; }

IMModel* SelfInfoView::getModel() { return nullptr; }

bool SelfInfoView::handleEvent(EVENT_T event)
{
    if (event != EVENT_SELF_INFO_CHANGED) {
        return false;
    }
    showSelfStatus();
    RequestRedraw();
    return true;
}

void SelfInfoView::setModelDependency() {}

Ixa::Base::String SelfInfoView::GetMessage() const { return field_->GetText(); }

void SelfInfoView::KeepMessage() { keptMessage_ = field_->GetText(); }

void SelfInfoView::HideKeypad()
{
    field_->HideKeypad();
    RequestRedraw();
}
