#include "screens/TitledScreen.h"

#include "app/IMManager.h"

#include "platform/Footer.h"
#include "platform/Header.h"

TitledScreen::TitledScreen(const char* formName, const char* titleId, int backEvent)
    : formName_(formName)
    , titleId_(titleId)
    , backEvent_(backEvent)
{
}

TitledScreen::~TitledScreen() = default;

bool TitledScreen::Initialize()
{
    using namespace Ixa::Ui::Controls;
    const bool hasBack = backEvent_ != NO_BACK;
    if (Ixa::IsFailed(Construct(FORM_STYLE_HEADER | (hasBack ? FORM_STYLE_FOOTER : FORM_STYLE_NORMAL)))) {
        return false;
    }
    SetName(formName_);
    GetHeader()->SetTitleText(IMManager::GetStringFromResource(titleId_));
    if (hasBack) {
        GetFooter()->SetBackButton();
        SetFormBackEventListener(this);
    }
    return true;
}

void TitledScreen::updateScreen() { CleanActivePopups(); }

IMController* TitledScreen::getController() { return &controller_; }

IMModel* TitledScreen::getModel() { return nullptr; }

bool TitledScreen::handleEvent(EVENT_T) { return false; }

void TitledScreen::setModelDependency() {}

int TitledScreen::GetBackEvent() const { return backEvent_; }
