#include "foundation/IMVector.h"

IMVector::IMVector() = default;

IMVector::~IMVector() = default;

int IMVector::size() const { return GetCount(); }

Ixa::result IMVector::put(Ixa::Base::Object* item) { return Add(item); }

Ixa::result IMVector::putAt(Ixa::Base::Object* item, int index) { return SetAt(item, index, false); }

Ixa::result IMVector::getAt(int index, Ixa::Base::Object*& item) const
{
    item = GetAt(index);
    return Ixa::GetLastResult();
}
