// The view half of a screen: a platform form that listens to every kind of platform input
// and to the models it shows. show() makes it the visible form.
// Threading: user-interface thread, except onModelUpdate(IMModel*, void*), which models call
// on the thread that changed them. Ownership: once shown, the application frame owns the
// form.
#pragma once

#include "app/IMModel.h"

#include "platform/Form.h"
#include "platform/IActionEventListener.h"
#include "platform/IAnimationEventListener.h"
#include "platform/ICustomItemEventListener.h"
#include "platform/IFastScrollListener.h"
#include "platform/IFormBackEventListener.h"
#include "platform/IGroupedItemEventListener.h"
#include "platform/IGroupedListViewItemEventListener.h"
#include "platform/IGroupedListViewItemProvider.h"
#include "platform/IItemEventListener.h"
#include "platform/IKeyEventListener.h"
#include "platform/IKeypadEventListener.h"
#include "platform/IListViewItemEventListener.h"
#include "platform/IListViewItemProvider.h"
#include "platform/IOrientationEventListener.h"
#include "platform/IPlayerEventListener.h"
#include "platform/IScrollPanelEventListener.h"
#include "platform/ISearchBarEventListener.h"
#include "platform/ISlidableGroupedListEventListener.h"
#include "platform/ISlidableListEventListener.h"
#include "platform/ITextEventListener.h"
#include "platform/ITimerEventListener.h"
#include "platform/ITouchEventListener.h"
#include "platform/IUiLinkEventListener.h"

class IMView : public Ixa::Ui::Controls::Form,
               public Ixa::Ui::IActionEventListener,
               public Ixa::Ui::IAnimationEventListener,
               public Ixa::Ui::IOrientationEventListener,
               public Ixa::Ui::IKeyEventListener,
               public Ixa::Ui::ITouchEventListener,
               public Ixa::Ui::ICustomItemEventListener,
               public Ixa::Ui::Controls::ISlidableGroupedListEventListener,
               public Ixa::Ui::IGroupedItemEventListener,
               public Ixa::Ui::Controls::ISlidableListEventListener,
               public Ixa::Ui::IItemEventListener,
               public Ixa::Base::Runtime::ITimerEventListener,
               public Ixa::Ui::IScrollPanelEventListener,
               public Ixa::Ui::ITextEventListener,
               public Ixa::Ui::Controls::IListViewItemEventListener,
               public Ixa::Ui::Controls::IListViewItemProvider,
               public Ixa::Ui::Controls::IGroupedListViewItemEventListener,
               public Ixa::Ui::Controls::IGroupedListViewItemProvider,
               public Ixa::Ui::IFastScrollListener,
               public Ixa::Ui::Controls::ISearchBarEventListener,
               public Ixa::Ui::IKeypadEventListener,
               public Ixa::Ui::Controls::IFormBackEventListener,
               public Ixa::Media::IPlayerEventListener,
               public Ixa::Ui::IUiLinkEventListener,
               public IMModel::View {
public:
    IMView();
    ~IMView() override;

    // Adds the form to the application frame (once), makes it the current form and draws it.
    void show();
};
