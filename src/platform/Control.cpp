#include "platform/Control.h"

#include "platform/Container.h"
#include "platform/ControlEventFilter.h"
#include "platform/IKeyEventListener.h"
#include "platform/ITouchEventListener.h"
#include "platform/ListenerList.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace Ixa::Ui {

namespace {

constexpr const char* ControlProperty = "ixaControl";

}  // namespace

class Control::Impl {
public:
    QPointer<QWidget> widget;
    ListenerList<ITouchEventListener> touch;
    ListenerList<IKeyEventListener> keys;
    std::unique_ptr<ControlEventFilter> filter;
    bool shown = true;
    bool enabled = true;
};

Control::Control() : impl_(std::make_unique<Impl>()) {}

Control::~Control()
{
    if (parent_ != nullptr)
        parent_->Forget(*this);
    DestroyWidget();
}

void Control::DestroyWidget()
{
    if (impl_->widget == nullptr)
        return;
    impl_->widget->removeEventFilter(impl_->filter.get());
    delete impl_->widget.data();
}

result Control::SetBounds(const Graphics::Rectangle& rect)
{
    if (rect.width < 0 || rect.height < 0)
        return E_INVALID_ARG;
    if (impl_->widget == nullptr)
        return E_INVALID_STATE;
    impl_->widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    OnBoundsChanged();
    return E_SUCCESS;
}

result Control::SetBounds(int x, int y, int width, int height)
{
    return SetBounds(Graphics::Rectangle(x, y, width, height));
}

Graphics::Rectangle Control::GetBounds() const
{
    if (impl_->widget == nullptr)
        return Graphics::Rectangle();
    const QRect geometry = impl_->widget->geometry();
    return Graphics::Rectangle(geometry.x(), geometry.y(), geometry.width(), geometry.height());
}

result Control::SetPosition(int x, int y)
{
    const Graphics::Rectangle bounds = GetBounds();
    return SetBounds(x, y, bounds.width, bounds.height);
}

result Control::SetSize(int width, int height)
{
    const Graphics::Rectangle bounds = GetBounds();
    return SetBounds(bounds.x, bounds.y, width, height);
}

result Control::SetShowState(bool state)
{
    impl_->shown = state;
    if (impl_->widget != nullptr)
        impl_->widget->setVisible(state);
    return E_SUCCESS;
}

bool Control::GetShowState() const { return impl_->shown; }

bool Control::IsVisible() const { return impl_->widget != nullptr && impl_->widget->isVisible(); }

result Control::SetEnabled(bool enable)
{
    impl_->enabled = enable;
    if (impl_->widget != nullptr)
        impl_->widget->setEnabled(enable);
    return E_SUCCESS;
}

bool Control::IsEnabled() const { return impl_->enabled; }

result Control::SetFocus()
{
    if (impl_->widget == nullptr)
        return E_INVALID_STATE;
    impl_->widget->setFocus(Qt::OtherFocusReason);
    return E_SUCCESS;
}

bool Control::HasFocus() const { return impl_->widget != nullptr && impl_->widget->hasFocus(); }

result Control::Draw()
{
    if (impl_->widget == nullptr)
        return E_INVALID_STATE;
    impl_->widget->update();
    return E_SUCCESS;
}

result Control::Show()
{
    if (impl_->widget == nullptr)
        return E_INVALID_STATE;
    impl_->widget->setVisible(impl_->shown);
    impl_->widget->update();
    return E_SUCCESS;
}

void Control::RequestRedraw(bool) const
{
    if (impl_->widget != nullptr)
        impl_->widget->update();
}

void Control::Invalidate(bool) const { RequestRedraw(true); }

Container* Control::GetParent() const { return parent_; }

void Control::AddTouchEventListener(ITouchEventListener& listener) { impl_->touch.Add(listener); }

void Control::RemoveTouchEventListener(ITouchEventListener& listener) { impl_->touch.Remove(listener); }

void Control::AddKeyEventListener(IKeyEventListener& listener) { impl_->keys.Add(listener); }

void Control::RemoveKeyEventListener(IKeyEventListener& listener) { impl_->keys.Remove(listener); }

QWidget* Control::GetWidget() const { return impl_->widget.data(); }

Control* Control::FromWidget(const QWidget* widget)
{
    if (widget == nullptr)
        return nullptr;
    return reinterpret_cast<Control*>(widget->property(ControlProperty).value<quintptr>());
}

void Control::AdoptWidget(QWidget* widget, const Graphics::Rectangle& bounds)
{
    delete impl_->widget.data();
    impl_->widget = widget;
    widget->setProperty(ControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
    widget->setGeometry(bounds.x, bounds.y, bounds.width, bounds.height);
    widget->setEnabled(impl_->enabled);
    // A widget without a parent would become a window of its own if shown.
    if (widget->parentWidget() != nullptr || !impl_->shown)
        widget->setVisible(impl_->shown);
    impl_->filter = std::make_unique<ControlEventFilter>(*this, impl_->touch.Items(), impl_->keys.Items());
    widget->installEventFilter(impl_->filter.get());
    if (parent_ != nullptr)
        parent_->Adopt(*this);
}

}  // namespace Ixa::Ui
