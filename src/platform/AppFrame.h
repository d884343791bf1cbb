// The application's frame holder: GetFrame gives the frame that shows the forms.
// Threading and ownership: user-interface thread; owned by the application.
#pragma once

#include "platform/Frame.h"

namespace Ixa::App {

class AppFrame {
public:
    AppFrame();
    ~AppFrame();

    result Construct();
    Ui::Controls::Frame* GetFrame() const { return frame_.get(); }

private:
    std::unique_ptr<Ui::Controls::Frame> frame_;
};

}  // namespace Ixa::App
