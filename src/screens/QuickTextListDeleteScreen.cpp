#include "screens/QuickTextListDeleteScreen.h"

#include "app/IMManager.h"
#include "screens/QuickTextScreenKit.h"
#include "screens/SelectAllList.h"

#include "platform/Footer.h"

namespace {

constexpr int LabelHeight = 56;
constexpr int Inset = 20;

}  // namespace

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
QuickTextListDeleteScreen::~QuickTextListDeleteScreen() { RemoveAllControls(); }

bool QuickTextListDeleteScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "QUICK_TEXT_DELETE_SCREEN", "IDS_DELETE")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_DELETE", QuickTextListDeleteController::ACTION_DELETE);
    selection_ = new Ixa::Ui::Controls::Label;
    selection_->Construct(Ixa::Graphics::Rectangle(Inset, 0, GetClientAreaBounds().width - 2 * Inset, LabelHeight), "");
    AddControl(*selection_);
    list_ = QuickTextScreenKit::AddList(*this, LabelHeight);
    ShowSelection(0);
    return true;
}

void QuickTextListDeleteScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    SelectAllList::UncheckAll(*list_);
    ShowSelection(0);
    RequestRedraw();
}

void QuickTextListDeleteScreen::ShowSelection(int checked)
{
    Ixa::Base::String text;
    text.Append(checked);
    text.Append(" ");
    text.Append(IMManager::GetStringFromResource(checked == 1 ? "IDS_ITEM_SELECTED" : "IDS_ITEMS_SELECTED"));
    selection_->SetText(text);
    selection_->RequestRedraw();
    GetFooter()->SetItemEnabled(0, checked > 0);
}

IMController* QuickTextListDeleteScreen::getController() { return &controller_; }

IMModel* QuickTextListDeleteScreen::getModel() { return nullptr; }

bool QuickTextListDeleteScreen::handleEvent(EVENT_T) { return false; }

void QuickTextListDeleteScreen::setModelDependency() {}
