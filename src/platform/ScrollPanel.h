// A container whose content is taller than itself and scrolls vertically, by a drag that may
// start on a control inside, or by the wheel.
// Edit fields inside it tell its scroll-panel listeners about their overlay keypad.
// Threading and ownership: user-interface thread; added controls belong to the panel;
// listeners are borrowed.
#pragma once

#include "platform/Container.h"
#include "platform/IScrollPanelEventListener.h"
#include "platform/ListenerList.h"

class QScrollArea;

namespace Ixa::Ui {
class DragToScroll;
}  // namespace Ixa::Ui

namespace Ixa::Ui::Controls {

class ScrollPanel : public Container {
public:
    ScrollPanel();
    ~ScrollPanel() override;

    result Construct(const Graphics::Rectangle& rect);
    void AddScrollPanelEventListener(IScrollPanelEventListener& listener) { listeners_.Add(listener); }
    void RemoveScrollPanelEventListener(IScrollPanelEventListener& listener) { listeners_.Remove(listener); }
    result SetScrollPosition(int position);
    int GetScrollPosition() const;
    // Scrolls so that `control` (a descendant) is in view.
    result ScrollToControl(const Control& control);

    Graphics::Rectangle GetClientAreaBounds() const override;
    QWidget* GetContentWidget() const override;

    // Platform side, for the keypad of the edit controls inside.
    template <typename Call>
    void NotifyScrollPanelListeners(Call call) { listeners_.Notify(call); }

protected:
    void OnBoundsChanged() override;
    void OnControlAdded(Control& control) override;

private:
    void FitContent();

    QScrollArea* area_ = nullptr;
    QWidget* content_ = nullptr;
    // A child of the area.
    DragToScroll* drag_ = nullptr;
    ListenerList<IScrollPanelEventListener> listeners_;
};

}  // namespace Ixa::Ui::Controls
