#include "platform/ListItemBase.h"

namespace Ixa::Ui::Controls {

ListItemBase::~ListItemBase() = default;

result ListItemBase::SetContextItem(const ListContextItem* contextItem)
{
    context_ = contextItem;
    return E_SUCCESS;
}

int ListItemBase::GetElementIdAt(const Graphics::Point&) const { return -1; }

Graphics::Rectangle ListItemBase::GetElementBounds(int) const { return Graphics::Rectangle(); }

result ListItemBase::GetLinkAt(const Graphics::Point&, Graphics::LinkType&, Base::String&, Base::String&) const
{
    return E_OBJ_NOT_FOUND;
}

result ListItemBase::ConstructBase(const Graphics::Dimension& size, ListAnnexStyle style)
{
    if (size.width <= 0 || size.height <= 0)
        return E_INVALID_ARG;
    size_ = size;
    annex_ = style;
    return E_SUCCESS;
}

int ListItemBase::AnnexWidth() const { return annex_ == LIST_ANNEX_STYLE_NORMAL ? 0 : 72; }

}  // namespace Ixa::Ui::Controls
