// A screen of the application: an optional header, the client area that holds the form's
// controls, and an optional footer. The frame shows one form at a time.
//
// The platform calls OnInitializing when the form is added to the frame and OnTerminating
// before the frame deletes it. User events sent to a form (from any thread) reach
// OnUserEventReceivedN on the user-interface thread in posting order, interleaved in posting
// order with the application's own user events.
//
// Threading and ownership: user-interface thread, except SendUserEvent (any thread). The
// frame owns the forms added to it; the header, footer and added controls belong to the form.
// Listeners are borrowed.
#pragma once

#include "platform/Color.h"
#include "platform/Container.h"
#include "platform/IList.h"
#include "platform/ListenerList.h"
#include "platform/UiTypes.h"

#include <memory>

class QPainter;

namespace Ixa::Graphics {
class Bitmap;
}

namespace Ixa::Ui {
class IOrientationEventListener;
class PaintedWidget;
}  // namespace Ixa::Ui

namespace Ixa::Ui::Controls {

class Footer;
class Header;
class IFormBackEventListener;

enum FormStyle : unsigned long {
    FORM_STYLE_NORMAL = 0x0,
    FORM_STYLE_INDICATOR = 0x1,
    FORM_STYLE_HEADER = 0x10000,
    FORM_STYLE_FOOTER = 0x20000,
};

enum FormActionBar : unsigned long {
    FORM_ACTION_BAR_INDICATOR = 0x1,
    FORM_ACTION_BAR_HEADER = 0x2,
    FORM_ACTION_BAR_FOOTER = 0x4,
};

class Form : public Container {
public:
    Form();
    ~Form() override;

    result Construct(unsigned long formStyle);
    result SetFormStyle(unsigned long formStyle);
    unsigned long GetFormStyle() const { return style_; }
    Header* GetHeader() const { return header_.get(); }
    Footer* GetFooter() const { return footer_.get(); }
    result SetActionBarsVisible(unsigned long actionBars, bool visible);
    bool IsActionBarVisible(FormActionBar actionBar) const;

    Graphics::Rectangle GetClientAreaBounds() const override;
    result SetBackgroundColor(const Graphics::Color& color);
    // Drawn stretched over the client area; null removes it.
    result SetBackgroundBitmap(const Graphics::Bitmap* bitmap);

    void SetFormBackEventListener(IFormBackEventListener* listener) { backListener_ = listener; }
    void AddOrientationEventListener(IOrientationEventListener& listener) { orientationListeners_.Add(listener); }
    void RemoveOrientationEventListener(IOrientationEventListener& listener) { orientationListeners_.Remove(listener); }
    result SetOrientation(Orientation orientation);
    Orientation GetOrientation() const { return orientation_; }
    OrientationStatus GetOrientationStatus() const;
    // Closes the on-screen keypad when one of this form's controls has it open. The keypad
    // lies over the frame's window, not inside the form, so it stays up over whatever form is
    // shown next unless its own form closes it.
    void CloseKeypad();

    // Any thread. The form's OnUserEventReceivedN owns `args` (null allowed); on failure
    // (the user-interface thread's loop is gone) the caller keeps them.
    result SendUserEvent(int requestId, Base::Collection::IList* args);

    virtual result OnInitializing();
    virtual result OnTerminating();
    // Deletes the list and its elements unless a subclass takes them.
    virtual void OnUserEventReceivedN(int requestId, Base::Collection::IList* args);

    // Platform side.
    QWidget* GetContentWidget() const override;
    void RequestBack();
    void ApplyOrientation(OrientationStatus status);

protected:
    void OnBoundsChanged() override;

private:
    void BuildBars();
    void Relayout();
    void PaintBody(QPainter& painter);

    unsigned long style_ = FORM_STYLE_NORMAL;
    unsigned long hiddenBars_ = 0;
    std::unique_ptr<Header> header_;
    std::unique_ptr<Footer> footer_;
    PaintedWidget* body_ = nullptr;
    Graphics::Color background_;
    std::unique_ptr<Graphics::Bitmap> backgroundBitmap_;
    IFormBackEventListener* backListener_ = nullptr;
    ListenerList<IOrientationEventListener> orientationListeners_;
    Orientation orientation_ = ORIENTATION_PORTRAIT;
    OrientationStatus orientationStatus_ = ORIENTATION_STATUS_PORTRAIT;
};

}  // namespace Ixa::Ui::Controls
