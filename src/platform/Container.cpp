#include "platform/Container.h"

#include <QWidget>

#include <algorithm>

namespace Ixa::Ui {

Container::Container() = default;

Container::~Container() { RemoveAllControls(); }

result Container::AddControl(Control& control)
{
    if (control.parent_ != nullptr || &control == this)
        return E_INVALID_ARG;
    children_.push_back(&control);
    control.parent_ = this;
    Adopt(control);
    OnControlAdded(control);
    return E_SUCCESS;
}

result Container::RemoveControl(Control& control)
{
    if (control.parent_ != this)
        return E_OBJ_NOT_FOUND;
    delete &control;
    return E_SUCCESS;
}

result Container::RemoveControl(int index)
{
    Control* control = GetControl(index);
    return control != nullptr ? RemoveControl(*control) : E_OUT_OF_RANGE;
}

void Container::RemoveAllControls()
{
    while (!children_.empty())
        delete children_.back();
}

Control* Container::GetControl(int index) const
{
    if (index < 0 || index >= GetControlCount())
        return nullptr;
    return children_[static_cast<size_t>(index)];
}

Control* Container::GetControl(const Base::String& name, bool recursive) const
{
    for (Control* child : children_) {
        if (child->GetName() == name)
            return child;
    }
    if (!recursive)
        return nullptr;
    for (Control* child : children_) {
        auto* container = dynamic_cast<Container*>(child);
        Control* found = container != nullptr ? container->GetControl(name, true) : nullptr;
        if (found != nullptr)
            return found;
    }
    return nullptr;
}

bool Container::IsAncestorOf(const Control& control) const
{
    for (const Container* parent = control.GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (parent == this)
            return true;
    }
    return false;
}

Graphics::Rectangle Container::GetClientAreaBounds() const
{
    const Graphics::Rectangle bounds = GetBounds();
    return Graphics::Rectangle(0, 0, bounds.width, bounds.height);
}

QWidget* Container::GetContentWidget() const { return GetWidget(); }

void Container::Adopt(Control& control)
{
    QWidget* widget = control.GetWidget();
    QWidget* content = GetContentWidget();
    if (widget == nullptr || content == nullptr)
        return;
    widget->setParent(content);
    widget->setVisible(control.GetShowState());
}

void Container::Forget(Control& control)
{
    std::erase(children_, &control);
    control.parent_ = nullptr;
}

}  // namespace Ixa::Ui
