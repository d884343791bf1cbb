#include "platform/KeypadSupport.h"

#include "platform/Container.h"
#include "platform/IScrollPanelEventListener.h"
#include "platform/KeypadOverlay.h"
#include "platform/ScrollPanel.h"

#include <QWidget>

namespace Ixa::Ui {

KeypadSupport::KeypadSupport(Control& owner) : owner_(owner) {}

KeypadSupport::~KeypadSupport()
{
    if (KeypadOverlay* keypad = KeypadOverlay::Get())
        keypad->Drop(*this);
}

void KeypadSupport::Open()
{
    if (KeypadOverlay* keypad = KeypadOverlay::Get(); keypad != nullptr && !keypad->IsOpenFor(*this))
        keypad->Open(*this);
}

void KeypadSupport::Close()
{
    if (KeypadOverlay* keypad = KeypadOverlay::Get())
        keypad->Close(this);
}

bool KeypadSupport::IsOpen() const
{
    const KeypadOverlay* keypad = KeypadOverlay::Get();
    return keypad != nullptr && keypad->IsOpenFor(*this);
}

result KeypadSupport::GetBounds(Graphics::Rectangle& bounds) const
{
    const QWidget* control = owner_.GetWidget();
    if (!IsOpen() || control == nullptr || control->parentWidget() == nullptr)
        return E_INVALID_STATE;
    const QWidget* keypad = KeypadOverlay::Get()->GetWidget();
    const QPoint topLeft = control->parentWidget()->mapFrom(keypad->window(), keypad->mapTo(keypad->window(), QPoint(0, 0)));
    bounds = Graphics::Rectangle(topLeft.x(), topLeft.y(), keypad->width(), keypad->height());
    return E_SUCCESS;
}

void KeypadSupport::Opened()
{
    keypadListeners.Notify([&](IKeypadEventListener& listener) { listener.OnKeypadWillOpen(owner_); });
    if (overlay && !created_) {
        created_ = true;
        TellScrollPanels([&](IScrollPanelEventListener& listener) { listener.OnOverlayControlCreated(owner_); });
    }
    keypadListeners.Notify([&](IKeypadEventListener& listener) { listener.OnKeypadOpened(owner_); });
    if (overlay)
        TellScrollPanels([&](IScrollPanelEventListener& listener) { listener.OnOverlayControlOpened(owner_); });
}

void KeypadSupport::Closed()
{
    keypadListeners.Notify([&](IKeypadEventListener& listener) { listener.OnKeypadClosed(owner_); });
    if (overlay)
        TellScrollPanels([&](IScrollPanelEventListener& listener) { listener.OnOverlayControlClosed(owner_); });
}

void KeypadSupport::ActionKey()
{
    keypadListeners.Notify([&](IKeypadEventListener& listener) { listener.OnKeypadActionPerformed(owner_, action); });
}

void KeypadSupport::Command(int actionId)
{
    actionListeners.Notify([&](IActionEventListener& listener) { listener.OnActionPerformed(owner_, actionId); });
}

void KeypadSupport::OtherControlSelected()
{
    TellScrollPanels([&](IScrollPanelEventListener& listener) { listener.OnOtherControlSelected(owner_); });
}

template <typename Call>
void KeypadSupport::TellScrollPanels(Call call)
{
    for (Container* parent = owner_.GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (auto* panel = dynamic_cast<Controls::ScrollPanel*>(parent))
            panel->NotifyScrollPanelListeners(call);
    }
}

}  // namespace Ixa::Ui
