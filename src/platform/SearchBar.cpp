#include "platform/SearchBar.h"

#include "platform/Button.h"
#include "platform/EditField.h"
#include "platform/ISearchBarEventListener.h"
#include "platform/PaintedWidget.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

namespace {

constexpr int Margin = 10;
constexpr int CancelWidth = 120;

}  // namespace

SearchBar::SearchBar() = default;

SearchBar::~SearchBar()
{
    RemoveAllControls();
    DestroyWidget();
}

result SearchBar::Construct(const Graphics::Rectangle& rect, bool searchFieldShown, KeypadAction keypadAction)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    if (rect.height <= 2 * Margin)
        return E_INVALID_ARG;
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) {
        painter.fillRect(GetWidget()->rect(), UiTheme::Background());
        painter.fillRect(QRect(0, 0, barBounds_.width, barBounds_.height), UiTheme::Bar());
    };
    barBounds_ = rect;
    AdoptWidget(widget, rect);
    field_ = new EditField;
    field_->Construct(Graphics::Rectangle(Margin, Margin, rect.width - 2 * Margin, rect.height - 2 * Margin));
    field_->SetKeypadAction(keypadAction);
    field_->SetOverlayKeypadCommandButtonVisible(false);
    field_->SetShowState(searchFieldShown);
    field_->AddTextEventListener(*this);
    field_->AddKeypadEventListener(*this);
    AddControl(*field_);
    cancel_ = new Button;
    cancel_->Construct(Graphics::Rectangle(0, Margin, CancelWidth, rect.height - 2 * Margin), "Cancel");
    cancel_->AddActionEventListener(*this);
    AddControl(*cancel_);
    Relayout();
    return E_SUCCESS;
}

result SearchBar::SetBounds(const Graphics::Rectangle& rect)
{
    if (rect.width < 0 || rect.height <= 2 * Margin)
        return E_INVALID_ARG;
    barBounds_ = rect;
    Relayout();
    return E_SUCCESS;
}

result SearchBar::SetMode(SearchBarMode mode)
{
    if (field_ == nullptr)
        return E_INVALID_STATE;
    if (mode == mode_)
        return E_SUCCESS;
    mode_ = mode;
    if (mode == SEARCH_BAR_MODE_NORMAL)
        field_->HideKeypad();
    Relayout();
    return E_SUCCESS;
}

result SearchBar::SetContent(Control* content)
{
    if (content == content_)
        return E_SUCCESS;
    if (content != nullptr && content->GetParent() != nullptr)
        return E_INVALID_ARG;
    if (content_ != nullptr)
        RemoveControl(*content_);
    content_ = content;
    if (content_ != nullptr)
        AddControl(*content_);
    Relayout();
    return E_SUCCESS;
}

result SearchBar::SetContentAreaSize(const Graphics::Dimension& size)
{
    if (size.width < 0 || size.height < 0)
        return E_INVALID_ARG;
    contentSize_ = size;
    contentSizeSet_ = true;
    Relayout();
    return E_SUCCESS;
}

int SearchBar::ContentHeight() const
{
    if (contentSizeSet_)
        return contentSize_.height;
    const Container* parent = GetParent();
    if (parent == nullptr)
        return 0;
    return std::max(0, parent->GetClientAreaBounds().height - barBounds_.y - barBounds_.height);
}

Graphics::Rectangle SearchBar::GetContentAreaBounds() const
{
    const int width = contentSizeSet_ ? contentSize_.width : barBounds_.width;
    return Graphics::Rectangle(0, barBounds_.height, width, ContentHeight());
}

void SearchBar::OnBoundsChanged()
{
    if (field_ == nullptr)
        return;
    const bool input = mode_ == SEARCH_BAR_MODE_INPUT;
    const int fieldWidth = barBounds_.width - 2 * Margin - (input ? CancelWidth + Margin : 0);
    field_->SetBounds(Margin, Margin, std::max(0, fieldWidth), barBounds_.height - 2 * Margin);
    cancel_->SetBounds(barBounds_.width - Margin - CancelWidth, Margin, CancelWidth, barBounds_.height - 2 * Margin);
    cancel_->SetShowState(input);
    if (content_ != nullptr) {
        content_->SetBounds(GetContentAreaBounds());
        content_->SetShowState(input);
    }
}

void SearchBar::Relayout()
{
    if (GetWidget() == nullptr)
        return;
    Graphics::Rectangle bounds = barBounds_;
    if (mode_ == SEARCH_BAR_MODE_INPUT) {
        // Over the controls below the bar while the results are shown.
        bounds.height += ContentHeight();
        GetWidget()->raise();
    }
    Container::SetBounds(bounds);
    RequestRedraw();
}

result SearchBar::SetText(const Base::String& text) { return field_ != nullptr ? field_->SetText(text) : E_INVALID_STATE; }

Base::String SearchBar::GetText() const { return field_ != nullptr ? field_->GetText() : Base::String(); }

int SearchBar::GetTextLength() const { return field_ != nullptr ? field_->GetTextLength() : 0; }

result SearchBar::Clear() { return SetText(Base::String()); }

result SearchBar::SetGuideText(const Base::String& text) { return field_ != nullptr ? field_->SetGuideText(text) : E_INVALID_STATE; }

Base::String SearchBar::GetGuideText() const { return field_ != nullptr ? field_->GetGuideText() : Base::String(); }

result SearchBar::SetLimitLength(int limitLength) { return field_ != nullptr ? field_->SetLimitLength(limitLength) : E_INVALID_STATE; }

result SearchBar::ShowKeypad() { return field_ != nullptr ? field_->ShowKeypad() : E_INVALID_STATE; }

result SearchBar::HideKeypad() { return field_ != nullptr ? field_->HideKeypad() : E_INVALID_STATE; }

bool SearchBar::IsKeypadOpened() const { return field_ != nullptr && field_->IsKeypadOpened(); }

void SearchBar::ChangeModeByUser(SearchBarMode mode)
{
    if (mode == mode_)
        return;
    SetMode(mode);
    modeListeners_.Notify([&](ISearchBarEventListener& listener) { listener.OnSearchBarModeChanged(*this, mode); });
}

void SearchBar::OnTextValueChanged(const Control&)
{
    textListeners_.Notify([&](ITextEventListener& listener) { listener.OnTextValueChanged(*this); });
}

void SearchBar::OnTextValueChangeCanceled(const Control&)
{
    textListeners_.Notify([&](ITextEventListener& listener) { listener.OnTextValueChangeCanceled(*this); });
}

void SearchBar::OnKeypadWillOpen(Control&)
{
    // Touching the field is what starts a search.
    ChangeModeByUser(SEARCH_BAR_MODE_INPUT);
    keypadListeners_.Notify([&](IKeypadEventListener& listener) { listener.OnKeypadWillOpen(*this); });
}

void SearchBar::OnKeypadOpened(Control&)
{
    keypadListeners_.Notify([&](IKeypadEventListener& listener) { listener.OnKeypadOpened(*this); });
}

void SearchBar::OnKeypadClosed(Control&)
{
    keypadListeners_.Notify([&](IKeypadEventListener& listener) { listener.OnKeypadClosed(*this); });
}

void SearchBar::OnKeypadActionPerformed(Control&, KeypadAction keypadAction)
{
    keypadListeners_.Notify([&](IKeypadEventListener& listener) { listener.OnKeypadActionPerformed(*this, keypadAction); });
}

void SearchBar::OnActionPerformed(const Control&, int) { ChangeModeByUser(SEARCH_BAR_MODE_NORMAL); }

}  // namespace Ixa::Ui::Controls
