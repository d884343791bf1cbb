#include "platform/AppFrame.h"

namespace Ixa::App {

AppFrame::AppFrame() = default;

AppFrame::~AppFrame() = default;

result AppFrame::Construct()
{
    frame_ = std::make_unique<Ui::Controls::Frame>();
    return frame_->Construct();
}

}  // namespace Ixa::App
