#include "screens/LoginScreen.h"

#include "app/IMManager.h"
#include "app/PopupBuilder.h"
#include "screens/LoginController.h"
#include "store/PropertiesModel.h"

#include "platform/Animation.h"
#include "platform/AnimationFrame.h"
#include "platform/ArrayList.h"
#include "platform/Bitmap.h"
#include "platform/Button.h"
#include "platform/CheckButton.h"
#include "platform/Color.h"
#include "platform/EditField.h"
#include "platform/Footer.h"
#include "platform/FooterItem.h"
#include "platform/Header.h"
#include "platform/Label.h"
#include "platform/Popup.h"
#include "platform/ScrollPanel.h"
#include "platform/TextBox.h"

#include <algorithm>
#include <string>

using namespace Ixa::Ui::Controls;
using Ixa::Base::String;
using Ixa::Graphics::Rectangle;

namespace {

constexpr int Margin = 20;
constexpr int LabelHeight = 36;
constexpr int LabelTextSize = 24;
constexpr int FieldHeight = 72;
constexpr int FieldGap = 16;
constexpr int CheckHeight = 60;
constexpr int CheckInset = 12;
constexpr int FieldTextSize = 26;
constexpr int ButtonHeight = 64;
constexpr int ButtonGap = 12;
constexpr int MaxColumnWidth = 560;
constexpr int FieldLimit = 100;
constexpr unsigned long InputModeCategory = 13;
// The overlay keypad without its command row, which the fields hide.
constexpr int KeypadHeight = 240;

constexpr int PopupWidth = PopupBuilder::WIDTH;
constexpr int PopupMargin = 20;
constexpr int PopupTextSize = 30;
constexpr int AboutLineHeight = 48;
constexpr int NoticesBoxHeight = 150;

constexpr int ProgressFrames = 8;
constexpr int ProgressFrameMs = 200;
constexpr int ProgressRepeats = 10000;
constexpr int ProgressTop = 48;
constexpr int ProgressSize = 96;
constexpr int SigningTextTop = 168;
constexpr int SigningTextSize = 40;
constexpr int SigningTextMaxHeight = 92;
constexpr int CancelLeft = 48;
constexpr int CancelWidth = 360;
constexpr int CancelHeight = 68;
constexpr int SigningOutHeight = 300;

const Ixa::Graphics::Color LabelColor(0x9a, 0xa8, 0xb8);


String Joined(String first, const String& second)
{
    first += second;
    return first;
}

}  // namespace

LoginScreen::LoginScreen() = default;

LoginScreen::~LoginScreen()
{
    // The form deletes the controls after this destructor has run: a keypad still open then
    // would tell a half-destroyed screen that it closed.
    if (panel != nullptr) {
        idField->HideKeypad();
        passwordField->HideKeypad();
        panel->RemoveScrollPanelEventListener(*this);
        idField->RemoveTextEventListener(*this);
        passwordField->RemoveTextEventListener(*this);
    }
    CleanUpLoginScreen();
    lc.Attach(nullptr);
}

bool LoginScreen::Initialize()
{
    if (Ixa::IsFailed(Construct(FORM_STYLE_HEADER | FORM_STYLE_FOOTER))) {
        return false;
    }
    SetName("LOGIN_SCREEN");
    return true;
}

Ixa::result LoginScreen::OnInitializing()
{
    lc.Attach(this);
    buildHeader();
    buildPanel();
    GetFooter()->AddActionEventListener(*this);
    AddOrientationEventListener(*this);
    signInTimer.Construct(*this);
    buildSigningInPopup();
    buildSigningOutPopup();
    LayoutControls();

    PropertiesModel* properties = IMManager::GetPropertiesModel();
    lc.username = properties->GetUserName();
    lc.password = properties->GetPassword();
    if (properties->GetIsAutoSignIn() && !lc.username.IsEmpty() && !lc.password.IsEmpty()) {
        SendUserEvent(AUTO_SIGN_IN_EVENT, nullptr);
        lc.SignIn();
    }
    SetFooterItems();
    return Ixa::E_SUCCESS;
}

Ixa::result LoginScreen::OnTerminating()
{
    CleanUpLoginScreen();
    return IMScreen::OnTerminating();
}

void LoginScreen::buildHeader()
{
    GetHeader()->SetTitleText(IMManager::GetStringFromResource("IDS_GTALK_TITLE"));
    std::unique_ptr<Ixa::Graphics::Bitmap> icon(IMManager::GetBitmapN("65_IM_info_gtalk_icon.png"));
    GetHeader()->SetTitleIcon(icon.get());
}

void LoginScreen::buildPanel()
{
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    panel = new ScrollPanel;
    panel->Construct(PanelArea());
    panel->AddScrollPanelEventListener(*this);
    AddControl(*panel);

    idLabel = addLabel("IDS_ID");
    idField = addField("IDS_GOOGLE_ID", false);
    idField->SetKeypadAction(Ixa::Ui::KEYPAD_ACTION_NEXT);
    idField->SetText(properties->GetUserName());
    passwordLabel = addLabel("IDS_PASSWD");
    passwordField = addField(nullptr, true);
    if (properties->GetSavePassword()) {
        passwordField->SetText(properties->GetPassword());
    }
    savePasswordButton = addCheckButton("IDS_SAVE_PASSWD", LoginController::ACTION_SAVE_PASSWORD_ON,
        LoginController::ACTION_SAVE_PASSWORD_OFF, properties->GetSavePassword());
    autoSignInButton = addCheckButton("IDS_AUTO_SIGN_IN", LoginController::ACTION_AUTO_SIGN_IN_ON,
        LoginController::ACTION_AUTO_SIGN_IN_OFF, properties->GetIsAutoSignIn());
    aboutButton = addButton("IDS_ABOUT", LoginController::ACTION_ABOUT);
    noticesButton = addButton("IDS_NOTICES", LoginController::ACTION_NOTICES);
    resetButton = addButton("IDS_RESET_ACCOUNT", LoginController::ACTION_RESET);
}

Label* LoginScreen::addLabel(const char* textId)
{
    auto* label = new Label;
    label->Construct(Rectangle(0, 0, 1, LabelHeight), IMManager::GetStringFromResource(textId));
    label->SetTextConfig(LabelTextSize, LABEL_TEXT_STYLE_BOLD);
    label->SetTextColor(LabelColor);
    panel->AddControl(*label);
    return label;
}

EditField* LoginScreen::addField(const char* guideId, bool password)
{
    auto* field = new EditField;
    field->Construct(Rectangle(0, 0, 1, FieldHeight), password ? EDIT_FIELD_STYLE_PASSWORD : EDIT_FIELD_STYLE_NORMAL,
        INPUT_STYLE_OVERLAY, false, FieldLimit);
    if (guideId != nullptr) {
        field->SetGuideText(IMManager::GetStringFromResource(guideId));
    }
    field->SetTextSize(FieldTextSize);
    field->SetInputModeCategory(InputModeCategory, true);
    field->SetOverlayKeypadCommandButtonVisible(false);
    field->AddTextEventListener(*this);
    panel->AddControl(*field);
    return field;
}

CheckButton* LoginScreen::addCheckButton(const char* textId, int checkedAction, int uncheckedAction, bool checked)
{
    auto* check = new CheckButton;
    check->Construct(Rectangle(0, 0, 1, CheckHeight), CHECK_BUTTON_STYLE_MARK, IMManager::GetStringFromResource(textId));
    check->SetActionId(checkedAction, uncheckedAction);
    check->SetSelected(checked);
    check->AddActionEventListener(*this);
    panel->AddControl(*check);
    return check;
}

Button* LoginScreen::addButton(const char* textId, int actionId)
{
    auto* button = new Button;
    button->Construct(Rectangle(0, 0, 1, ButtonHeight), IMManager::GetStringFromResource(textId));
    button->SetActionId(actionId);
    button->AddActionEventListener(*this);
    panel->AddControl(*button);
    return button;
}

void LoginScreen::LayoutControls()
{
    if (panel == nullptr) {
        return;
    }
    const Rectangle client = PanelArea();
    panel->SetBounds(client);
    const int width = std::min(client.width - 2 * Margin, MaxColumnWidth);
    const int x = (client.width - width) / 2;
    int y = FieldGap;
    auto place = [&](Ixa::Ui::Control& control, int height, int gapAfter) {
        control.SetBounds(x, y, width, height);
        y += height + gapAfter;
    };
    place(*idLabel, LabelHeight, 0);
    place(*idField, FieldHeight, FieldGap);
    place(*passwordLabel, LabelHeight, 0);
    place(*passwordField, FieldHeight, FieldGap);
    // Check buttons pad their text inside; they reach into the margins so that their texts
    // line up with the labels above.
    savePasswordButton->SetBounds(x - CheckInset, y, width + 2 * CheckInset, CheckHeight);
    y += CheckHeight;
    autoSignInButton->SetBounds(x - CheckInset, y, width + 2 * CheckInset, CheckHeight);
    y += CheckHeight + FieldGap + ButtonGap;
    const int half = (width - ButtonGap) / 2;
    aboutButton->SetBounds(x, y, half, ButtonHeight);
    noticesButton->SetBounds(x + half + ButtonGap, y, width - half - ButtonGap, ButtonHeight);
    y += ButtonHeight + ButtonGap;
    place(*resetButton, ButtonHeight, FieldGap);
}

Rectangle LoginScreen::PanelArea() const
{
    const Rectangle client = GetClientAreaBounds();
    return Rectangle(0, 0, client.width, client.height);
}

void LoginScreen::FitPanelAboveKeypad(const Ixa::Ui::Control& field)
{
    // The keypad covers the bottom of the whole form, footer included.
    Rectangle area = PanelArea();
    const int keypadTop = GetBounds().height - KeypadHeight - GetClientAreaBounds().y;
    area.height = std::max(FieldHeight, std::min(area.height, keypadTop));
    panel->SetBounds(area);
    panel->ScrollToControl(field);
}

void LoginScreen::RestorePanel()
{
    if (panel != nullptr) {
        panel->SetBounds(PanelArea());
    }
}

void LoginScreen::updateScreen()
{
    CleanActivePopups();
    if (!IMManager::GetPropertiesModel()->GetSavePassword()) {
        passwordField->Clear();
    }
    lc.username = idField->GetText();
    lc.password = passwordField->GetText();
    SetEnabledFooter();
    Draw();
}

IMController* LoginScreen::getController() { return &lc; }

IMModel* LoginScreen::getModel() { return nullptr; }

void LoginScreen::setModelDependency() {}

bool LoginScreen::handleEvent(EVENT_T event)
{
    switch (event) {
    case EVENT_SIGN_IN_DONE:
        stopSigningIn();
        IMManager::notifyEvent(EVENT_SIGNED_IN);
        return false;
    case EVENT_SIGN_IN_ERROR:
        stopSigningIn();
        HideSigningOutPopup();
        IMManager::GetRequestController()->SetSignInCancel(false);
        SetActionBarsVisible(FORM_ACTION_BAR_HEADER | FORM_ACTION_BAR_FOOTER, true);
        Draw();
        Show();
        return false;
    case EVENT_SIGN_IN_CANCELLED:
        isSigningIn = false;
        HideSigningOutPopup();
        signInTimer.Cancel();
        Draw();
        Show();
        IMManager::GetRequestController()->SetSignInCancel(false);
        return true;
    default:
        return false;
    }
}

void LoginScreen::stopSigningIn()
{
    HideSigningInPopup();
    signInTimer.Cancel();
}

void LoginScreen::onBackground()
{
    if (isSigningIn && signingInPopup) {
        signingInAnimation->Pause();
        signingInPopup->SetShowState(false);
    }
}

void LoginScreen::onForeground()
{
    IMScreen::onForeground();
    if (isSigningIn && signingInPopup) {
        signingInPopup->SetShowState(true);
        signingInPopup->Show();
        signingInAnimation->Play();
    }
}

void LoginScreen::OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args)
{
    if (requestId == AUTO_SIGN_IN_EVENT) {
        lc.ShowSignInPopup();
    }
    IMScreen::OnUserEventReceivedN(requestId, args);
}

void LoginScreen::SetEnabledFooter()
{
    const bool ready = !idField->GetText().IsEmpty() && !passwordField->GetText().IsEmpty();
    GetFooter()->SetItemEnabled(0, ready);
}

void LoginScreen::SetFooterItems()
{
    Footer* footer = GetFooter();
    footer->RemoveAllItems();
    FooterItem signIn;
    signIn.Construct(LoginController::ACTION_SIGN_IN);
    signIn.SetText(IMManager::GetStringFromResource("IDS_SIGN_IN"));
    footer->AddItem(signIn);
    if (lc.GetOverLayStatus()) {
        FooterItem hide;
        hide.Construct(LoginController::ACTION_HIDE_KEYPAD);
        hide.SetText(IMManager::GetStringFromResource("IDS_HIDE"));
        footer->AddItem(hide);
    }
    SetEnabledFooter();
}

Animation* LoginScreen::addProgressAnimation(Popup& popup)
{
    std::vector<std::unique_ptr<Ixa::Graphics::Bitmap>> pictures;
    Ixa::Base::Collection::ArrayList frames;
    frames.Construct(ProgressFrames);
    for (int i = 0; i < ProgressFrames; ++i) {
        const std::string name = "progressing0" + std::to_string(i) + "_big.png";
        pictures.emplace_back(IMManager::GetBitmapN(String(name.c_str())));
        if (pictures.back() != nullptr) {
            frames.Add(new AnimationFrame(*pictures.back(), ProgressFrameMs));
        }
    }
    auto* animation = new Animation;
    const int width = popup.GetClientAreaBounds().width;
    animation->Construct(Rectangle((width - ProgressSize) / 2, ProgressTop, ProgressSize, ProgressSize), frames);
    animation->SetRepeatCount(ProgressRepeats);
    frames.RemoveAll(true);
    popup.AddControl(*animation);
    return animation;
}

void LoginScreen::buildSigningInPopup()
{
    signingInPopup = std::make_unique<Popup>();
    signingInPopup->Construct(false, Ixa::Graphics::Dimension(PopupWidth, SigningTextMaxHeight + 352));
    signingInAnimation = addProgressAnimation(*signingInPopup);
    const int width = signingInPopup->GetClientAreaBounds().width;
    signingInTextPanel = new ScrollPanel;
    signingInTextPanel->Construct(Rectangle(0, SigningTextTop, width, SigningTextMaxHeight + 8));
    signingInPopup->AddControl(*signingInTextPanel);
    signingInLabel = new Label;
    signingInLabel->Construct(Rectangle(0, 0, width, SigningTextMaxHeight), String());
    signingInLabel->SetTextConfig(SigningTextSize, LABEL_TEXT_STYLE_NORMAL);
    signingInLabel->SetTextHorizontalAlignment(Ixa::Ui::ALIGNMENT_CENTER);
    signingInTextPanel->AddControl(*signingInLabel);
    cancelButton = new Button;
    cancelButton->Construct(Rectangle(CancelLeft, 0, CancelWidth, CancelHeight), IMManager::GetStringFromResource("IDS_OVERLAY_CANCEL"));
    cancelButton->SetActionId(LoginController::ACTION_CANCEL_SIGN_IN);
    cancelButton->AddActionEventListener(*this);
    signingInPopup->AddControl(*cancelButton);
}

void LoginScreen::buildSigningOutPopup()
{
    signingOutPopup = std::make_unique<Popup>();
    signingOutPopup->Construct(false, Ixa::Graphics::Dimension(PopupWidth, SigningOutHeight));
    signingOutAnimation = addProgressAnimation(*signingOutPopup);
    const int width = signingOutPopup->GetClientAreaBounds().width;
    auto* label = new Label;
    label->Construct(Rectangle(0, SigningTextTop, width, AboutLineHeight), IMManager::GetStringFromResource("IDS_SIGNING_OUT"));
    label->SetTextConfig(PopupTextSize, LABEL_TEXT_STYLE_NORMAL);
    label->SetTextHorizontalAlignment(Ixa::Ui::ALIGNMENT_CENTER);
    signingOutPopup->AddControl(*label);
}

void LoginScreen::ShowSigningInPopup(const String& text)
{
    if (!signingInPopup) {
        return;
    }
    const int width = signingInPopup->GetClientAreaBounds().width;
    const int textHeight = IMManager::GetLabelHeightBasedOnText(&text, SigningTextSize, width, 0);
    const int visible = std::min(textHeight + 6 * (textHeight / 40), SigningTextMaxHeight);
    signingInLabel->SetText(text);
    // The label first: the panel fits its scrolling content to its children when resized.
    signingInLabel->SetSize(width, textHeight);
    signingInTextPanel->SetSize(width, visible + 8);
    cancelButton->SetBounds(CancelLeft, visible + 224, CancelWidth, CancelHeight);
    signingInPopup->SetSize(PopupWidth, visible + 352);
    signingInPopup->SetShowState(true);
    signingInPopup->Show();
    signingInAnimation->Play();
    isSigningIn = true;
}

void LoginScreen::HideSigningInPopup()
{
    isSigningIn = false;
    if (signingInPopup) {
        signingInAnimation->Stop();
        signingInPopup->SetShowState(false);
    }
}

void LoginScreen::ShowSigningOutPopup()
{
    if (signingOutPopup) {
        signingOutPopup->SetShowState(true);
        signingOutPopup->Show();
        signingOutAnimation->Play();
    }
}

void LoginScreen::HideSigningOutPopup()
{
    if (signingOutPopup) {
        signingOutAnimation->Stop();
        signingOutPopup->SetShowState(false);
    }
}

void LoginScreen::InitAndShowPopup(int kind, const String& text)
{
    switch (kind) {
    case POPUP_RESET_QUESTION:
        Popups().Show(kind, PopupBuilder::Question(text, LoginController::ACTION_RESET_YES, LoginController::ACTION_RESET_NO, *this));
        break;
    case POPUP_MESSAGE:
        Popups().Show(kind, PopupBuilder::Notice(PopupBuilder::ICON_NONE, text, LoginController::ACTION_MESSAGE_OK, *this));
        break;
    default:
        Popups().Show(kind, buildTitledPopup(kind, text));
        break;
    }
}

// The about box (its lines of text) and the notices box (a text box with the link) carry the
// title; their OK buttons look like every other popup's.
std::unique_ptr<Popup> LoginScreen::buildTitledPopup(int kind, const String& text)
{
    constexpr int Provisional = 400;
    auto popup = std::make_unique<Popup>();
    if (Ixa::IsFailed(popup->Construct(true, Ixa::Graphics::Dimension(PopupBuilder::WIDTH, Provisional)))) {
        return nullptr;
    }
    popup->SetTitleText(text);
    const int chrome = Provisional - popup->GetClientAreaBounds().height;
    const int inner = popup->GetClientAreaBounds().width - 2 * PopupMargin;
    int y = PopupMargin;
    if (kind == POPUP_ABOUT) {
        for (const String& line : {IMManager::GetStringFromResource("IDS_POWERED_BY_ORBEL"), Joined(IMManager::GetStringFromResource("IDS_VERSION"), " 1.0.0")}) {
            auto* label = new Label;
            label->Construct(Rectangle(PopupMargin, y, inner, AboutLineHeight), line);
            label->SetTextConfig(PopupTextSize, LABEL_TEXT_STYLE_NORMAL);
            label->SetTextHorizontalAlignment(Ixa::Ui::ALIGNMENT_CENTER);
            popup->AddControl(*label);
            y += AboutLineHeight + PopupMargin;
        }
    } else {
        auto* box = new TextBox;
        box->Construct(Rectangle(PopupMargin, y, inner, NoticesBoxHeight));
        box->SetAutoLinkMask(Ixa::Graphics::LINK_TYPE_URL);
        box->SetText(Joined(Joined(IMManager::GetStringFromResource("IDS_FOR_MORE_INFO_VISIT"), " "), IMManager::GetStringFromResource("IDS_LEGAL_NOTICES_GTALK_URL")));
        box->AddUiLinkEventListener(*this);
        popup->AddControl(*box);
        y += NoticesBoxHeight + PopupMargin;
    }
    const int okAction = kind == POPUP_ABOUT ? LoginController::ACTION_ABOUT_OK : LoginController::ACTION_NOTICES_OK;
    y = PopupBuilder::AddButtonRow(*popup, y, {{"IDS_OK", okAction}}, *this);
    popup->SetSize(PopupBuilder::WIDTH, y + chrome);
    return popup;
}

void LoginScreen::DeletePopup(int kind)
{
    if (Popups().Close(kind)) {
        Draw();
    }
}

bool LoginScreen::HasLoginPopup(int kind) const { return Popups().Has(kind); }

void LoginScreen::CleanUpLoginScreen()
{
    signInTimer.Cancel();
    isSigningIn = false;
    signingInPopup.reset();
    signingOutPopup.reset();
    signingInAnimation = nullptr;
    signingOutAnimation = nullptr;
    Popups().DeleteAll();
}
