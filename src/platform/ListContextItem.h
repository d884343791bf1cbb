// The buttons shown in place of a list row after a sweep or long press on it, each with an
// element id that the list reports when it is chosen.
// Threading and ownership: user-interface thread; an item borrows its context item, which
// must outlive the item's use.
#pragma once

#include "platform/String.h"

#include <vector>

namespace Ixa::Ui::Controls {

class ListContextItem : public Base::Object {
public:
    struct Element {
        int id;
        Base::String text;
        bool enabled;
    };

    result Construct();
    result AddElement(int elementId, const Base::String& text, bool enable = true);
    const std::vector<Element>& GetElements() const { return elements_; }

private:
    std::vector<Element> elements_;
};

}  // namespace Ixa::Ui::Controls
