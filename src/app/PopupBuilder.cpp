#include "app/PopupBuilder.h"

#include "app/IMManager.h"

#include "platform/Bitmap.h"
#include "platform/Button.h"
#include "platform/IActionEventListener.h"
#include "platform/Label.h"
#include "platform/Popup.h"

namespace {

using Ixa::Graphics::Rectangle;
using Ixa::Ui::Controls::Popup;

constexpr int IconSize = 64;
// Room for a popup's border and title until Construct says what its chrome takes.
constexpr int Provisional = 400;

const char* iconPicture(PopupBuilder::Icon icon)
{
    return icon == PopupBuilder::ICON_QUESTION ? "00_popup_icon_question.png" : "00_popup_icon_warning.png";
}

}  // namespace

std::unique_ptr<Popup> PopupBuilder::Question(const Ixa::Base::String& text, int yesAction, int noAction,
    Ixa::Ui::IActionEventListener& listener)
{
    return Build(ICON_QUESTION, text, {{"IDS_YES", yesAction}, {"IDS_NO", noAction}}, listener);
}

std::unique_ptr<Popup> PopupBuilder::Notice(Icon icon, const Ixa::Base::String& text, int okAction, Ixa::Ui::IActionEventListener& listener)
{
    return Build(icon, text, {{"IDS_OK", okAction}}, listener);
}

std::unique_ptr<Popup> PopupBuilder::Build(Icon icon, const Ixa::Base::String& text, const std::vector<ButtonText>& buttons,
    Ixa::Ui::IActionEventListener& listener)
{
    auto popup = std::make_unique<Popup>();
    if (Ixa::IsFailed(popup->Construct(false, Ixa::Graphics::Dimension(WIDTH, Provisional)))) {
        return nullptr;
    }
    const int chrome = Provisional - popup->GetClientAreaBounds().height;
    const int width = popup->GetClientAreaBounds().width;
    int y = MARGIN;
    if (icon != ICON_NONE) {
        auto* picture = new Ixa::Ui::Controls::Label;
        picture->Construct(Rectangle((width - IconSize) / 2, y, IconSize, IconSize), "");
        std::unique_ptr<Ixa::Graphics::Bitmap> bitmap(IMManager::GetBitmapN(iconPicture(icon)));
        picture->SetBackgroundBitmap(bitmap.get());
        popup->AddControl(*picture);
        y += IconSize + MARGIN;
    }
    const int textWidth = width - 2 * MARGIN;
    const int textHeight = IMManager::GetLabelHeightBasedOnText(&text, TEXT_SIZE, textWidth, 0) + MARGIN;
    auto* label = new Ixa::Ui::Controls::Label;
    label->Construct(Rectangle(MARGIN, y, textWidth, textHeight), text);
    label->SetTextConfig(TEXT_SIZE, Ixa::Ui::Controls::LABEL_TEXT_STYLE_NORMAL);
    label->SetTextHorizontalAlignment(Ixa::Ui::ALIGNMENT_CENTER);
    popup->AddControl(*label);
    y = AddButtonRow(*popup, y + textHeight + MARGIN, buttons, listener);
    popup->SetSize(WIDTH, y + chrome);
    return popup;
}

int PopupBuilder::AddButtonRow(Popup& popup, int y, const std::vector<ButtonText>& buttons, Ixa::Ui::IActionEventListener& listener)
{
    const int count = static_cast<int>(buttons.size());
    if (count == 0) {
        return y;
    }
    const int width = (popup.GetClientAreaBounds().width - (count + 1) * MARGIN) / count;
    int x = MARGIN;
    for (const ButtonText& entry : buttons) {
        auto* button = new Ixa::Ui::Controls::Button;
        button->Construct(Rectangle(x, y, width, BUTTON_HEIGHT), IMManager::GetStringFromResource(entry.textId));
        button->SetActionId(entry.actionId);
        button->AddActionEventListener(listener);
        popup.AddControl(*button);
        x += width + MARGIN;
    }
    return y + BUTTON_HEIGHT + MARGIN;
}
