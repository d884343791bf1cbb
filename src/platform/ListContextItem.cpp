#include "platform/ListContextItem.h"

namespace Ixa::Ui::Controls {

result ListContextItem::Construct()
{
    elements_.clear();
    return E_SUCCESS;
}

result ListContextItem::AddElement(int elementId, const Base::String& text, bool enable)
{
    for (const Element& element : elements_) {
        if (element.id == elementId)
            return E_OBJ_ALREADY_EXIST;
    }
    elements_.push_back({elementId, text, enable});
    return E_SUCCESS;
}

}  // namespace Ixa::Ui::Controls
