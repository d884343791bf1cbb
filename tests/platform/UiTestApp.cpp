#include "UiTestApp.h"

#include "platform/ArrayList.h"
#include "platform/FooterItem.h"

using namespace Ixa::Ui::Controls;


bool UiTestApp::OnAppInitializing(Ixa::App::AppRegistry&)
{
    calls.push_back("initializing");
    form = new Form;
    form->Construct(FORM_STYLE_HEADER | FORM_STYLE_FOOTER);
    form->SetName("TEST_FORM");
    form->GetHeader()->SetTitleText("Test title");
    ButtonItem button;
    button.Construct(BUTTON_ITEM_STYLE_TEXT, 11);
    button.SetText("Top");
    form->GetHeader()->SetButton(BUTTON_POSITION_RIGHT, button);
    form->GetHeader()->AddActionEventListener(*this);
    form->GetFooter()->SetStyle(FOOTER_STYLE_TAB);
    for (int id : {21, 22}) {
        FooterItem item;
        item.Construct(id);
        item.SetText(id == 21 ? "First" : "Second");
        form->GetFooter()->AddItem(item);
    }
    form->GetFooter()->SetBackButton();
    form->GetFooter()->AddActionEventListener(*this);
    form->SetFormBackEventListener(this);
    GetAppFrame()->GetFrame()->AddControl(*form);
    GetAppFrame()->GetFrame()->SetCurrentForm(*form);
    return true;
}

bool UiTestApp::OnAppTerminating(Ixa::App::AppRegistry&, bool)
{
    calls.push_back("terminating");
    return true;
}

void UiTestApp::OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args)
{
    std::string text = std::to_string(requestId);
    for (int i = 0; args != nullptr && i < args->GetCount(); ++i) {
        if (const auto* value = dynamic_cast<const Ixa::Base::String*>(args->GetAt(i)))
            text += " " + value->ToUtf8();
    }
    userEvents.push_back(text);
    Application::OnUserEventReceivedN(requestId, args);
}

void UiTestApp::OnActionPerformed(const Ixa::Ui::Control&, int actionId) { actions.push_back(actionId); }

void UiTestApp::OnFormBackRequested(Form&) { actions.push_back(-1); }
