#include "screens/QuickTextScreenKit.h"

#include "app/IMManager.h"

#include "platform/Footer.h"
#include "platform/FooterItem.h"
#include "platform/Header.h"

#include <memory>

namespace {

constexpr int Margin = 16;
constexpr int FieldHeight = 72;
constexpr int SelectionInset = 20;
static_assert(QuickTextScreenKit::FIELD_BOTTOM == FieldHeight + 2 * Margin);

}  // namespace

bool QuickTextScreenKit::ConstructForm(IMScreen& screen, const char* formName, const char* titleId)
{
    using namespace Ixa::Ui::Controls;
    if (Ixa::IsFailed(screen.Construct(FORM_STYLE_HEADER | FORM_STYLE_FOOTER))) {
        return false;
    }
    screen.SetName(formName);
    screen.GetHeader()->SetTitleText(IMManager::GetStringFromResource(titleId));
    screen.GetFooter()->SetBackButton();
    screen.GetFooter()->AddActionEventListener(screen);
    screen.SetFormBackEventListener(&screen);
    return true;
}

void QuickTextScreenKit::AddFooterItem(IMScreen& screen, const char* textId, int actionId)
{
    Ixa::Ui::Controls::FooterItem item;
    item.Construct(actionId);
    item.SetText(IMManager::GetStringFromResource(textId));
    screen.GetFooter()->AddItem(item);
}

Ixa::Ui::Controls::ListView* QuickTextScreenKit::AddList(IMScreen& screen, int top)
{
    const Ixa::Graphics::Rectangle client = screen.GetClientAreaBounds();
    auto* list = new Ixa::Ui::Controls::ListView;
    list->Construct(Ixa::Graphics::Rectangle(0, top, client.width, client.height - top));
    list->SetItemProvider(screen);
    list->AddListViewItemEventListener(screen);
    list->SetTextOfEmptyList(IMManager::GetStringFromResource("IDS_NO_ITEMS"));
    std::unique_ptr<Ixa::Graphics::Bitmap> empty(IMManager::GetBitmapN("00_noitems_text_based.png"));
    list->SetBitmapOfEmptyList(empty.get());
    screen.AddControl(*list);
    return list;
}

void QuickTextScreenKit::SetEmptyList(Ixa::Ui::Controls::ListView& list, const char* textId, const char* picture)
{
    list.SetTextOfEmptyList(IMManager::GetStringFromResource(textId));
    std::unique_ptr<Ixa::Graphics::Bitmap> empty(IMManager::GetBitmapN(picture));
    list.SetBitmapOfEmptyList(empty.get());
}

Ixa::Ui::Controls::EditField* QuickTextScreenKit::AddField(IMScreen& screen, const char* guideId, KeypadButton left,
    KeypadButton right, Ixa::Ui::Controls::EditFieldStyle style)
{
    const Ixa::Graphics::Rectangle client = screen.GetClientAreaBounds();
    auto* field = new Ixa::Ui::Controls::EditField;
    field->Construct(Ixa::Graphics::Rectangle(Margin, Margin, client.width - 2 * Margin, FieldHeight), style);
    field->SetGuideText(IMManager::GetStringFromResource(guideId));
    field->SetOverlayKeypadCommandButton(
        Ixa::Ui::COMMAND_BUTTON_POSITION_LEFT, IMManager::GetStringFromResource(left.textId), left.actionId);
    field->SetOverlayKeypadCommandButton(
        Ixa::Ui::COMMAND_BUTTON_POSITION_RIGHT, IMManager::GetStringFromResource(right.textId), right.actionId);
    field->AddActionEventListener(screen);
    screen.AddControl(*field);
    return field;
}

Ixa::Ui::Controls::Label* QuickTextScreenKit::AddSelectionLabel(IMScreen& screen)
{
    auto* label = new Ixa::Ui::Controls::Label;
    label->Construct(Ixa::Graphics::Rectangle(SelectionInset, 0, screen.GetClientAreaBounds().width - 2 * SelectionInset, SELECTION_BOTTOM), "");
    screen.AddControl(*label);
    return label;
}

void QuickTextScreenKit::ShowSelection(IMScreen& screen, Ixa::Ui::Controls::Label& label, int checked)
{
    Ixa::Base::String text;
    text.Append(checked);
    text.Append(" ");
    text.Append(IMManager::GetStringFromResource(checked == 1 ? "IDS_ITEM_SELECTED" : "IDS_ITEMS_SELECTED"));
    label.SetText(text);
    label.RequestRedraw();
    screen.GetFooter()->SetItemEnabled(0, checked > 0);
}
