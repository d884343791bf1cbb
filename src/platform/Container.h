// A control that holds other controls. Added controls belong to the container: RemoveControl
// and the container's destruction delete them.
// Threading and ownership: user-interface thread only.
#pragma once

#include "platform/Control.h"

#include <vector>

namespace Ixa::Ui {

class Container : public Control {
public:
    Container();
    ~Container() override;

    // Takes `control` over; E_INVALID_ARG when it already has a parent or is this container.
    virtual result AddControl(Control& control);
    // Deletes `control`; E_OBJ_NOT_FOUND when it is not a child.
    virtual result RemoveControl(Control& control);
    result RemoveControl(int index);
    void RemoveAllControls();
    int GetControlCount() const { return static_cast<int>(children_.size()); }
    Control* GetControl(int index) const;
    // The first child (or descendant when `recursive`) of that name.
    Control* GetControl(const Base::String& name, bool recursive = false) const;
    bool IsAncestorOf(const Control& control) const;
    // The area children are placed in, relative to the container.
    virtual Graphics::Rectangle GetClientAreaBounds() const;

    // Platform side: the widget that children's widgets live in.
    virtual QWidget* GetContentWidget() const;

protected:
    // Lets a subclass react to a new child (after it was placed).
    virtual void OnControlAdded(Control&) {}

private:
    friend class Control;

    void Adopt(Control& control);
    void Forget(Control& control);

    std::vector<Control*> children_;
};

}  // namespace Ixa::Ui
