// A modal box over the current form, centred, with an optional title; the screen behind it is
// dimmed and takes no touches while it is shown. Controls added to the popup are placed in
// its client area.
// Threading and ownership: user-interface thread. Needs the application frame (it lives in
// the frame's popup layer). The creator owns the popup; its added controls belong to it.
#pragma once

#include "platform/Container.h"

class QPainter;

namespace Ixa::Ui::Controls {

class Popup : public Container {
public:
    static constexpr int BORDER = 8;

    Popup();
    ~Popup() override;

    // E_INVALID_STATE without an application frame.
    result Construct(bool hasTitle, const Graphics::Dimension& size);
    result SetTitleText(const Base::String& title);
    Base::String GetTitleText() const { return title_; }
    bool HasTitle() const { return hasTitle_; }

    result SetShowState(bool state) override;
    Graphics::Rectangle GetClientAreaBounds() const override;
    QWidget* GetContentWidget() const override { return client_; }

protected:
    void OnBoundsChanged() override;

private:
    void Paint(QPainter& painter);
    void UpdateLayer() const;

    QWidget* client_ = nullptr;
    Base::String title_;
    bool hasTitle_ = false;
};

}  // namespace Ixa::Ui::Controls
