// The common part of the bars that are drawn as a whole and report action ids: header,
// footer and the keypad overlay's command row. A subclass lays out its laidOut (Relayout), may
// draw more (PaintContent) and decides what a tap on a slot does (OnSlotTapped, by default
// reporting the slot's action id to the action listeners).
// Threading and ownership: user-interface thread; listeners are borrowed.
#pragma once

#include "platform/ActionArea.h"
#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/ListenerList.h"

#include <memory>
#include <utility>
#include <vector>

class QPainter;
class QPoint;

namespace Ixa::Ui {

class IActionEventListener;
class PaintedWidget;

class ActionBar : public Control {
public:
    ~ActionBar() override;

    void AddActionEventListener(IActionEventListener& listener);
    void RemoveActionEventListener(IActionEventListener& listener);
    // Platform side: the tappable parts as they are drawn now.
    std::vector<ActionArea> GetActionAreas() const;

protected:
    struct Slot {
        ActionArea area;
        std::shared_ptr<const Graphics::Bitmap> icon;
        int tag = 0;
    };

    ActionBar();
    void ConstructBar(const Graphics::Rectangle& bounds, const Graphics::Color& background);
    void SetSlots(std::vector<Slot> laidOut);
    const std::vector<Slot>& GetSlots() const { return slots_; }
    void NotifyAction(int actionId);

    virtual void Relayout() = 0;
    virtual void PaintContent(QPainter&) {}
    virtual void OnSlotTapped(const Slot& slot);
    void OnBoundsChanged() override { Relayout(); }

    static void PaintSlot(QPainter& painter, const Slot& slot, bool pressed);

private:
    void Paint(QPainter& painter);
    int SlotAt(const QPoint& point) const;
    void Release(const QPoint& point);

    ListenerList<IActionEventListener> actionListeners_;
    std::vector<Slot> slots_;
    Graphics::Color background_;
    int pressed_ = -1;
};

}  // namespace Ixa::Ui
