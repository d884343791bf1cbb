#include "platform/Form.h"

#include "platform/Bitmap.h"
#include "platform/Footer.h"
#include "platform/Header.h"
#include "platform/IFormBackEventListener.h"
#include "platform/IOrientationEventListener.h"
#include "platform/KeypadOverlay.h"
#include "platform/KeypadSupport.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiEventQueue.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

Form::Form() : background_(QtBridge::FromQColor(UiTheme::Background())) {}

Form::~Form()
{
    UiEventQueue::ForgetForm(*this);
    RemoveAllControls();
    header_.reset();
    footer_.reset();
    DestroyWidget();
}

result Form::Construct(unsigned long formStyle)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    auto* widget = new QWidget;
    widget->setAutoFillBackground(false);
    body_ = new PaintedWidget(widget);
    body_->onPaint = [this](QPainter& painter) { PaintBody(painter); };
    AdoptWidget(widget, Graphics::Rectangle(0, 0, UiTheme::ScreenShortSide,
        UiTheme::ScreenLongSide - UiTheme::StatusHeight - UiTheme::HomeBarHeight));
    style_ = formStyle;
    BuildBars();
    Relayout();
    return E_SUCCESS;
}

result Form::SetFormStyle(unsigned long formStyle)
{
    if (GetWidget() == nullptr)
        return E_INVALID_STATE;
    style_ = formStyle;
    BuildBars();
    Relayout();
    return E_SUCCESS;
}

void Form::BuildBars()
{
    if ((style_ & FORM_STYLE_HEADER) != 0 && !header_) {
        header_.reset(new Header);
        header_->Construct(Graphics::Rectangle(0, 0, GetWidth(), UiTheme::HeaderHeight));
        header_->GetWidget()->setParent(GetWidget());
    } else if ((style_ & FORM_STYLE_HEADER) == 0) {
        header_.reset();
    }
    if ((style_ & FORM_STYLE_FOOTER) != 0 && !footer_) {
        footer_.reset(new Footer(*this));
        footer_->Construct(Graphics::Rectangle(0, 0, GetWidth(), UiTheme::FooterHeight));
        footer_->GetWidget()->setParent(GetWidget());
    } else if ((style_ & FORM_STYLE_FOOTER) == 0) {
        footer_.reset();
    }
}

result Form::SetActionBarsVisible(unsigned long actionBars, bool visible)
{
    hiddenBars_ = visible ? hiddenBars_ & ~actionBars : hiddenBars_ | actionBars;
    Relayout();
    return E_SUCCESS;
}

bool Form::IsActionBarVisible(FormActionBar actionBar) const
{
    if (actionBar == FORM_ACTION_BAR_HEADER && !header_)
        return false;
    if (actionBar == FORM_ACTION_BAR_FOOTER && !footer_)
        return false;
    return (hiddenBars_ & actionBar) == 0;
}

Graphics::Rectangle Form::GetClientAreaBounds() const
{
    const Graphics::Rectangle bounds = GetBounds();
    const int top = IsActionBarVisible(FORM_ACTION_BAR_HEADER) ? UiTheme::HeaderHeight : 0;
    const int bottom = IsActionBarVisible(FORM_ACTION_BAR_FOOTER) ? UiTheme::FooterHeight : 0;
    return Graphics::Rectangle(0, top, bounds.width, bounds.height - top - bottom);
}

result Form::SetBackgroundColor(const Graphics::Color& color)
{
    background_ = color;
    RequestRedraw();
    return E_SUCCESS;
}

result Form::SetBackgroundBitmap(const Graphics::Bitmap* bitmap)
{
    backgroundBitmap_.reset();
    if (bitmap != nullptr) {
        backgroundBitmap_ = std::make_unique<Graphics::Bitmap>();
        if (IsFailed(backgroundBitmap_->Construct(*bitmap))) {
            backgroundBitmap_.reset();
            return E_INVALID_ARG;
        }
    }
    RequestRedraw();
    return E_SUCCESS;
}

result Form::SetOrientation(Orientation orientation)
{
    orientation_ = orientation;
    return E_SUCCESS;
}

OrientationStatus Form::GetOrientationStatus() const { return orientationStatus_; }

result Form::SendUserEvent(int requestId, Base::Collection::IList* args)
{
    return UiEventQueue::PostToForm(*this, requestId, args);
}

result Form::OnInitializing() { return E_SUCCESS; }

result Form::OnTerminating() { return E_SUCCESS; }

void Form::OnUserEventReceivedN(int, Base::Collection::IList* args)
{
    if (args == nullptr)
        return;
    args->RemoveAll(true);
    delete args;
}

QWidget* Form::GetContentWidget() const { return body_; }

void Form::CloseKeypad()
{
    KeypadOverlay* keypad = KeypadOverlay::Get();
    KeypadSupport* client = keypad != nullptr ? keypad->GetClient() : nullptr;
    if (client != nullptr && IsAncestorOf(client->GetOwner()))
        keypad->Close(client);
}

void Form::RequestBack()
{
    if (backListener_ != nullptr)
        backListener_->OnFormBackRequested(*this);
}

void Form::ApplyOrientation(OrientationStatus status)
{
    if (status == orientationStatus_)
        return;
    orientationStatus_ = status;
    orientationListeners_.Notify([&](IOrientationEventListener& listener) { listener.OnOrientationChanged(*this, status); });
}

void Form::OnBoundsChanged() { Relayout(); }

void Form::Relayout()
{
    if (body_ == nullptr)
        return;
    const Graphics::Rectangle bounds = GetBounds();
    const Graphics::Rectangle client = GetClientAreaBounds();
    body_->setGeometry(client.x, client.y, client.width, client.height);
    if (header_) {
        header_->SetBounds(0, 0, bounds.width, UiTheme::HeaderHeight);
        header_->SetShowState(IsActionBarVisible(FORM_ACTION_BAR_HEADER));
    }
    if (footer_) {
        footer_->SetBounds(0, bounds.height - UiTheme::FooterHeight, bounds.width, UiTheme::FooterHeight);
        footer_->SetShowState(IsActionBarVisible(FORM_ACTION_BAR_FOOTER));
    }
}

void Form::PaintBody(QPainter& painter)
{
    const QRect area(0, 0, body_->width(), body_->height());
    painter.fillRect(area, QtBridge::ToQColor(background_));
    if (backgroundBitmap_)
        painter.drawImage(area, backgroundBitmap_->GetImage());
}

}  // namespace Ixa::Ui::Controls
