// An ordered list of object pointers. A list never deletes its elements by itself: the
// `deleteObjects` arguments say when it should. Out-of-range access answers E_OUT_OF_RANGE
// (GetAt through the last-result slot, since it returns the element).
// Thread-safety: none.
#pragma once

#include "platform/IEnumerator.h"

namespace Ixa::Base::Collection {

class IList : public Object {
public:
    virtual int GetCount() const = 0;
    virtual result Add(Object* element) = 0;
    virtual result InsertAt(Object* element, int index) = 0;
    virtual Object* GetAt(int index) const = 0;
    virtual result SetAt(Object* element, int index, bool deleteOld = false) = 0;
    virtual result RemoveAt(int index, bool deleteObject = false) = 0;
    virtual void RemoveAll(bool deleteObjects = false) = 0;
    virtual IEnumerator* GetEnumeratorN() const = 0;
};

}  // namespace Ixa::Base::Collection
