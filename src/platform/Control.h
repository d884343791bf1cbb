// The base of everything on the screen: a rectangle inside its parent container that can be
// shown, hidden, enabled, focused and redrawn, and that reports touches and keys to its
// listeners. A press held 500 ms is reported as a long press (on the user-interface clock, so
// VirtualClock drives it in tests).
//
// Threading and ownership: user-interface thread only. A control belongs to the container it
// was added to, which deletes it; a control that was never added belongs to its creator.
// Listeners are borrowed. Each control is backed by a Qt widget that the platform creates in
// the subclass's Construct; before Construct the control draws nothing and reports nothing.
#pragma once

#include "platform/Object.h"
#include "platform/Rectangle.h"
#include "platform/Result.h"
#include "platform/String.h"

#include <memory>

class QWidget;

namespace Ixa::Ui {

class Container;
class IKeyEventListener;
class ITouchEventListener;

class Control : public Base::Object {
public:
    Control();
    ~Control() override;

    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Bounds are relative to the parent's client area.
    virtual result SetBounds(const Graphics::Rectangle& rect);
    result SetBounds(int x, int y, int width, int height);
    Graphics::Rectangle GetBounds() const;
    result SetPosition(int x, int y);
    result SetSize(int width, int height);
    int GetWidth() const { return GetBounds().width; }
    int GetHeight() const { return GetBounds().height; }

    virtual result SetShowState(bool state);
    bool GetShowState() const;
    // Shown, and every container above it shown too.
    bool IsVisible() const;
    result SetEnabled(bool enable);
    bool IsEnabled() const;
    result SetFocus();
    bool HasFocus() const;

    result Draw();
    result Show();
    void RequestRedraw(bool show = true) const;
    void Invalidate(bool recursive) const;

    Container* GetParent() const;
    void SetName(const Base::String& name) { name_ = name; }
    Base::String GetName() const { return name_; }

    void AddTouchEventListener(ITouchEventListener& listener);
    void RemoveTouchEventListener(ITouchEventListener& listener);
    void AddKeyEventListener(IKeyEventListener& listener);
    void RemoveKeyEventListener(IKeyEventListener& listener);

    // Platform side: the widget behind the control (null before Construct), and the control
    // behind a widget.
    QWidget* GetWidget() const;
    static Control* FromWidget(const QWidget* widget);

protected:
    // Called by the subclass's Construct: the control takes the widget over.
    void AdoptWidget(QWidget* widget, const Graphics::Rectangle& bounds);
    // Deletes the widget now. Subclasses whose widget calls back into them do this first in
    // their destructor, so no callback reaches a half-destroyed control.
    void DestroyWidget();
    // Called when the bounds changed (subclasses lay their parts out again).
    virtual void OnBoundsChanged() {}

private:
    friend class Container;
    class Impl;

    std::unique_ptr<Impl> impl_;
    Container* parent_ = nullptr;
    Base::String name_;
};

}  // namespace Ixa::Ui
