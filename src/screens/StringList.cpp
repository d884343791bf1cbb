#include "screens/StringList.h"

#include <memory>

std::vector<Ixa::Base::String> StringList::Take(Ixa::Base::Collection::ArrayList* list)
{
    std::unique_ptr<Ixa::Base::Collection::ArrayList> owned(list);
    std::vector<Ixa::Base::String> strings;
    for (int i = 0; owned != nullptr && i < owned->GetCount(); ++i) {
        strings.push_back(*static_cast<const Ixa::Base::String*>(owned->GetAt(i)));
    }
    if (owned != nullptr) {
        owned->RemoveAll(true);
    }
    return strings;
}
