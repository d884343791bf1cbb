// Told when a link in a text box or in a list item's text is tapped.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"
#include "platform/GraphicsTypes.h"
#include "platform/String.h"

namespace Ixa::Ui {

class IUiLinkEventListener {
public:
    virtual ~IUiLinkEventListener() = default;
    virtual void OnLinkClicked(Control& source, const Base::String& text, Graphics::LinkType linkType, const Base::String& link) = 0;
};

}  // namespace Ixa::Ui
