// The application's frame: the handset window that shows one form at a time, above a status
// strip and above the home key. Forms added to the frame belong to it: it calls their
// OnInitializing when they are added and OnTerminating before it deletes them.
// Turning the handset (SetOrientationStatus) resizes every form and tells each of them.
// Threading and ownership: user-interface thread. One frame exists per application run; the
// application owns it.
#pragma once

#include "platform/Container.h"
#include "platform/UiTypes.h"

#include <functional>
#include <memory>
#include <string>

namespace Ixa::Ui {
class DrawnReporter;
class FrameWindow;
class ScreenshotRecorder;
}  // namespace Ixa::Ui

namespace Ixa::Ui::Controls {

class Form;

class Frame : public Container {
public:
    Frame();
    ~Frame() override;

    result Construct();
    // Forms only (E_INVALID_ARG otherwise); calls the form's OnInitializing.
    result AddControl(Control& control) override;
    // Calls the form's OnTerminating and deletes it.
    result RemoveControl(Control& control) override;
    result SetCurrentForm(const Form& form);
    Form* GetCurrentForm() const { return current_; }
    OrientationStatus GetOrientationStatus() const { return orientation_; }
    // A short notice of the application in the status strip, and what a tap on it does; a
    // new notice replaces the old one. E_INVALID_STATE before Construct.
    result SetStatusNotice(const Base::String& text, std::function<void()> onTap);
    result ClearStatusNotice();

    // Platform side.
    static Frame* GetActiveFrame();
    QWidget* GetContentWidget() const override;
    FrameWindow& GetWindow() const;
    result SetOrientationStatus(OrientationStatus status);
    // Calls OnTerminating on every form and deletes them.
    void TerminateForms();
    void SetScreenshotDirectory(const std::string& directory);
    // Asks for a picture of the screen as it will look once the pending changes are drawn.
    void RequestScreenshot(const Base::String& label);
    bool SaveScreenshot(const std::string& path) const;
    // From now on, writes a line on standard output when each screen change has been drawn.
    void ReportDrawnScreens();

private:
    Graphics::Rectangle FormBounds() const;

    Form* current_ = nullptr;
    OrientationStatus orientation_ = ORIENTATION_STATUS_PORTRAIT;
    std::unique_ptr<ScreenshotRecorder> screenshots_;
    std::unique_ptr<DrawnReporter> drawn_;
};

}  // namespace Ixa::Ui::Controls
