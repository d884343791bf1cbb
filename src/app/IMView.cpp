#include "app/IMView.h"

#include "app/IMManager.h"

#include "platform/Frame.h"

IMView::IMView() = default;

IMView::~IMView() = default;

void IMView::show()
{
    Ixa::Ui::Controls::Frame* frame = IMManager::getFrame();
    if (frame == nullptr) {
        return;
    }
    if (GetParent() == nullptr) {
        frame->AddControl(*this);
    }
    frame->SetCurrentForm(*this);
    Draw();
    Show();
}
