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

std::unique_ptr<Popup> titled(const char* titleId)
{
    auto popup = std::make_unique<Popup>();
    if (Ixa::IsFailed(popup->Construct(true, Ixa::Graphics::Dimension(PopupBuilder::WIDTH, Provisional)))) {
        return nullptr;
    }
    popup->SetTitleText(IMManager::GetStringFromResource(titleId));
    return popup;
}

// Fits the popup's height to contents that end at `bottom` in its client area.
void fitHeight(Popup& popup, int bottom)
{
    const int chrome = popup.GetHeight() - popup.GetClientAreaBounds().height;
    popup.SetSize(PopupBuilder::WIDTH, bottom + chrome);
}

// Adds the text centred across the client area at `y`; answers the y below it.
int addText(Popup& popup, int y, const Ixa::Base::String& text)
{
    const int width = popup.GetClientAreaBounds().width - 2 * PopupBuilder::MARGIN;
    const int height = IMManager::GetLabelHeightBasedOnText(&text, PopupBuilder::TEXT_SIZE, width, 0) + PopupBuilder::MARGIN;
    auto* label = new Ixa::Ui::Controls::Label;
    label->Construct(Rectangle(PopupBuilder::MARGIN, y, width, height), text);
    label->SetTextConfig(PopupBuilder::TEXT_SIZE, Ixa::Ui::Controls::LABEL_TEXT_STYLE_NORMAL);
    label->SetTextHorizontalAlignment(Ixa::Ui::ALIGNMENT_CENTER);
    popup.AddControl(*label);
    return y + height;
}

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
    fitHeight(*popup, AddButtonRow(*popup, addText(*popup, y, text) + MARGIN, buttons, listener));
    return popup;
}

std::unique_ptr<Popup> PopupBuilder::Menu(const char* titleId, const std::vector<ButtonText>& rows,
    Ixa::Ui::IActionEventListener& listener)
{
    std::unique_ptr<Popup> popup = titled(titleId);
    if (popup == nullptr) {
        return nullptr;
    }
    int y = MARGIN;
    for (const ButtonText& row : rows) {
        y = AddButtonRow(*popup, y, {row}, listener);
    }
    fitHeight(*popup, y);
    return popup;
}

std::unique_ptr<Popup> PopupBuilder::TitledNotice(const char* titleId, const Ixa::Base::String& text)
{
    std::unique_ptr<Popup> popup = titled(titleId);
    if (popup == nullptr) {
        return nullptr;
    }
    fitHeight(*popup, addText(*popup, 2 * MARGIN, text) + 2 * MARGIN);
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
