#include "platform/Frame.h"

#include "platform/DrawnReporter.h"
#include "platform/Form.h"
#include "platform/FrameWindow.h"
#include "platform/QtBridge.h"
#include "platform/ScreenshotRecorder.h"

#include <utility>

namespace Ixa::Ui::Controls {

namespace {

Frame* activeFrame = nullptr;

}  // namespace

Frame::Frame() = default;

Frame::~Frame()
{
    TerminateForms();
    drawn_.reset();
    screenshots_.reset();
    if (activeFrame == this)
        activeFrame = nullptr;
    DestroyWidget();
}

result Frame::Construct()
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    auto* window = new FrameWindow;
    AdoptWidget(window, Graphics::Rectangle(0, 0, window->width(), window->height()));
    screenshots_ = std::make_unique<ScreenshotRecorder>(*window);
    activeFrame = this;
    return E_SUCCESS;
}

Frame* Frame::GetActiveFrame() { return activeFrame; }

QWidget* Frame::GetContentWidget() const { return GetWidget() != nullptr ? GetWindow().FormArea() : nullptr; }

FrameWindow& Frame::GetWindow() const { return *static_cast<FrameWindow*>(GetWidget()); }

result Frame::SetStatusNotice(const Base::String& text, std::function<void()> onTap)
{
    if (GetWidget() == nullptr)
        return E_INVALID_STATE;
    GetWindow().SetStatusNotice(QtBridge::ToQString(text), std::move(onTap));
    return E_SUCCESS;
}

result Frame::ClearStatusNotice()
{
    if (GetWidget() == nullptr)
        return E_INVALID_STATE;
    GetWindow().ClearStatusNotice();
    return E_SUCCESS;
}

Graphics::Rectangle Frame::FormBounds() const
{
    const QWidget* area = GetWindow().FormArea();
    return Graphics::Rectangle(0, 0, area->width(), area->height());
}

result Frame::AddControl(Control& control)
{
    auto* form = dynamic_cast<Form*>(&control);
    if (form == nullptr || GetWidget() == nullptr)
        return E_INVALID_ARG;
    const result added = Container::AddControl(control);
    if (IsFailed(added))
        return added;
    form->SetBounds(FormBounds());
    form->ApplyOrientation(orientation_);
    form->SetShowState(form == current_);
    return form->OnInitializing();
}

result Frame::RemoveControl(Control& control)
{
    auto* form = dynamic_cast<Form*>(&control);
    if (form == nullptr || form->GetParent() != this)
        return E_OBJ_NOT_FOUND;
    form->OnTerminating();
    if (current_ == form)
        current_ = nullptr;
    return Container::RemoveControl(control);
}

result Frame::SetCurrentForm(const Form& form)
{
    if (form.GetParent() != this)
        return E_INVALID_ARG;
    current_ = const_cast<Form*>(&form);
    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->SetShowState(GetControl(i) == current_);
    RequestScreenshot(form.GetName());
    if (drawn_)
        drawn_->Expect(QtBridge::ToQString(form.GetName()));
    return E_SUCCESS;
}

result Frame::SetOrientationStatus(OrientationStatus status)
{
    if (GetWidget() == nullptr)
        return E_INVALID_STATE;
    orientation_ = status;
    const bool landscape = status == ORIENTATION_STATUS_LANDSCAPE || status == ORIENTATION_STATUS_LANDSCAPE_REVERSE;
    GetWindow().SetLandscape(landscape);
    for (int i = 0; i < GetControlCount(); ++i) {
        auto* form = static_cast<Form*>(GetControl(i));
        form->SetBounds(FormBounds());
        form->ApplyOrientation(status);
    }
    RequestScreenshot(current_ != nullptr ? current_->GetName() : Base::String("frame"));
    return E_SUCCESS;
}

void Frame::TerminateForms()
{
    while (GetControlCount() > 0)
        RemoveControl(*GetControl(GetControlCount() - 1));
}

void Frame::SetScreenshotDirectory(const std::string& directory)
{
    if (screenshots_)
        screenshots_->SetDirectory(QString::fromStdString(directory));
}

void Frame::ReportDrawnScreens()
{
    if (GetWidget() != nullptr && !drawn_) {
        drawn_ = std::make_unique<DrawnReporter>(GetWindow());
        if (current_ != nullptr)
            drawn_->Expect(QtBridge::ToQString(current_->GetName()));
    }
}

void Frame::RequestScreenshot(const Base::String& label)
{
    if (screenshots_)
        screenshots_->Request(QtBridge::ToQString(label));
}

bool Frame::SaveScreenshot(const std::string& path) const
{
    return GetWidget() != nullptr && ScreenshotRecorder::Save(GetWindow(), QString::fromStdString(path));
}

}  // namespace Ixa::Ui::Controls
