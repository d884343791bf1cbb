// The controller half of a screen: the screen forwards every platform input callback to the
// handler of the same name here (prefix "process"), followed by the screen itself. Only
// processAction and processOrientation must be written by each screen's controller; every
// other handler does nothing here. processActionGeneric handles the buttons of the
// framework's popups for every screen.
// Threading: user-interface thread. Ownership: a screen owns its controller; the controller
// borrows the views it is handed.
#pragma once

#include "platform/Control.h"
#include "platform/ControlsTypes.h"
#include "platform/Form.h"
#include "platform/GraphicsTypes.h"
#include "platform/GroupItem.h"
#include "platform/IPlayerEventListener.h"
#include "platform/ListItemBase.h"
#include "platform/Timer.h"
#include "platform/TouchEventInfo.h"
#include "platform/UiTypes.h"

namespace Ixa::Ui::Controls {
class GroupedListView;
class ListView;
class SearchBar;
}  // namespace Ixa::Ui::Controls

class IMView;

class IMController {
public:
    using Control = Ixa::Ui::Control;
    using Point = Ixa::Graphics::Point;
    using TouchInfo = Ixa::Ui::TouchEventInfo;
    using KeyCode = Ixa::Ui::KeyCode;
    using ItemStatus = Ixa::Ui::ItemStatus;
    using ListView = Ixa::Ui::Controls::ListView;
    using GroupedListView = Ixa::Ui::Controls::GroupedListView;
    using ListItemBase = Ixa::Ui::Controls::ListItemBase;
    using GroupItem = Ixa::Ui::Controls::GroupItem;
    using ListItemStatus = Ixa::Ui::Controls::ListItemStatus;
    using ListContextItemStatus = Ixa::Ui::Controls::ListContextItemStatus;
    using SweepDirection = Ixa::Ui::Controls::SweepDirection;

    virtual ~IMController();

    virtual void processAction(const Control& source, int actionId, IMView* view) = 0;
    virtual void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) = 0;

    virtual void processKeyLongPressed(const Control& source, KeyCode key, IMView* view);
    virtual void processKeyPressed(const Control& source, KeyCode key, IMView* view);
    virtual void processKeyReleased(const Control& source, KeyCode key, IMView* view);
    virtual void processTouchDoublePressed(const Control& source, const Point& at, const TouchInfo& info, IMView* view);
    virtual void processTouchFocusIn(const Control& source, const Point& at, const TouchInfo& info, IMView* view);
    virtual void processTouchFocusOut(const Control& source, const Point& at, const TouchInfo& info, IMView* view);
    virtual void processTouchLongPressed(const Control& source, const Point& at, const TouchInfo& info, IMView* view);
    virtual void processTouchMoved(const Control& source, const Point& at, const TouchInfo& info, IMView* view);
    virtual void processTouchPressed(const Control& source, const Point& at, const TouchInfo& info, IMView* view);
    virtual void processTouchReleased(const Control& source, const Point& at, const TouchInfo& info, IMView* view);
    virtual void processItemStateChanged(const Control& source, int index, int itemId, ItemStatus status, IMView* view);
    virtual void processItemStateChanged(const Control& source, int index, int itemId, int elementId, ItemStatus status, IMView* view);
    virtual void processListPropertyRequested(const Control& source, IMView* view);
    virtual void processLoadToTopRequested(const Control& source, int groupIndex, int itemIndex, int numItems, IMView* view);
    virtual void processLoadToBottomRequested(const Control& source, int groupIndex, int itemIndex, int numItems, IMView* view);
    virtual void processUnloadItemRequested(const Control& source, int groupIndex, int itemIndex, IMView* view);
    virtual void processLoadItemTop(const Control& source, int index, int numItems, IMView* view);
    virtual void processLoadItemBottom(const Control& source, int index, int numItems, IMView* view);
    virtual void processUnloadItemRequested(const Control& source, int itemIndex, IMView* view);
    virtual void processItemStateChanged(const Control& source, int groupIndex, int itemIndex, int itemId, int elementId, ItemStatus status, IMView* view);
    virtual void processTimerExpired(Ixa::Base::Runtime::Timer& timer, IMView* view);
    virtual GroupItem* processCreateGroupItem(int groupIndex, int itemWidth, IMView* view);
    virtual ListItemBase* processCreateItem(int groupIndex, int itemIndex, int itemWidth, IMView* view);
    virtual bool processDeleteGroupItem(int groupIndex, GroupItem* item, int itemWidth, IMView* view);
    virtual bool processDeleteItem(int groupIndex, int itemIndex, ListItemBase* item, int itemWidth, IMView* view);
    virtual int processGetGroupCount(IMView* view);
    virtual int processGetItemCount(int groupIndex, IMView* view);
    virtual void processGroupedListViewContextItemStateChanged(GroupedListView& list, int groupIndex, int itemIndex, int elementId, ListContextItemStatus status, IMView* view);
    virtual void processGroupedListViewItemStateChanged(GroupedListView& list, int groupIndex, int itemIndex, int elementId, ListItemStatus status, IMView* view);
    virtual void processGroupedListViewItemSwept(GroupedListView& list, int groupIndex, int itemIndex, SweepDirection direction, IMView* view);
    virtual void processFastScrollIndexSelected(Control& source, Ixa::Base::String& index, IMView* view);
    virtual void OnTextValueChangeCanceled(const Control& source, IMView* view);
    virtual void OnTextValueChanged(const Control& source, IMView* view);
    virtual void processOtherControlSelected(const Control& source, IMView* view);
    virtual void processOverlayControlCreated(const Control& source, IMView* view);
    virtual void processOverlayControlClosed(const Control& source, IMView* view);
    virtual void processOverlayControlOpened(const Control& source, IMView* view);
    virtual void processListViewContextItemStateChanged(ListView& list, int index, int elementId, ListContextItemStatus status, IMView* view);
    virtual void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view);
    virtual void processListViewItemSwept(ListView& list, int index, SweepDirection direction, IMView* view);
    virtual ListItemBase* processCreateItem(int index, int itemWidth, IMView* view);
    virtual bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view);
    virtual int processGetItemCount(IMView* view);
    virtual void processSearchBarModeChanged(Ixa::Ui::Controls::SearchBar& source, Ixa::Ui::Controls::SearchBarMode mode, IMView* view);
    virtual void processKeypadWillOpen(Control& source, IMView* view);
    virtual void processKeypadOpened(Control& source, IMView* view);
    virtual void processKeypadClosed(Control& source, IMView* view);
    virtual void processKeypadActionPerformed(Control& source, Ixa::Ui::KeypadAction action, IMView* view);
    virtual void processAnimationStopped(const Control& source, IMView* view);
    virtual void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view);
    virtual void processOnLinkClicked(Control& source, const Ixa::Base::String& text, Ixa::Graphics::LinkType type, const Ixa::Base::String& link, IMView* view);
    virtual void ProcessPlayerOpened(Ixa::result outcome, IMView* view);
    virtual void ProcessPlayerEndOfClip(IMView* view);
    virtual void ProcessPlayerBuffering(int percent, IMView* view);
    virtual void ProcessPlayerErrorOccurred(Ixa::Media::PlayerErrorReason reason, IMView* view);
    virtual void ProcessPlayerInterrupted(IMView* view);
    virtual void ProcessPlayerReleased(IMView* view);
    virtual void ProcessPlayerSeekCompleted(Ixa::result outcome, IMView* view);

    // The framework popups' buttons; true when `actionId` is one of them.
    bool processActionGeneric(const Control& source, int actionId, IMView* view);
};
