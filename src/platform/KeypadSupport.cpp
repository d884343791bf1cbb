#include "platform/KeypadSupport.h"

#include "platform/Container.h"
#include "platform/IScrollPanelEventListener.h"
#include "platform/KeypadOverlay.h"
#include "platform/ScrollPanel.h"

namespace Ixa::Ui {

KeypadSupport::KeypadSupport(Control& owner) : owner_(owner) {}

KeypadSupport::~KeypadSupport()
{
    if (KeypadOverlay* keypad = KeypadOverlay::Get(); keypad != nullptr && keypad->IsOpenFor(*this))
        keypad->Close(this);
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
