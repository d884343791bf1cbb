// The list operations shared by ArrayList and LinkedList over a standard sequence of Object
// pointers. The list borrows its elements: it deletes one only when an operation is asked to.
// Thread-safety: none.
#pragma once

#include "platform/IList.h"
#include "platform/SequenceEnumerator.h"

#include <iterator>

namespace Ixa::Base::Collection {

template <typename Sequence>
class ListBase : public IList {
public:
    result Construct(int capacity = DEFAULT_CAPACITY) { return capacity < 0 ? E_INVALID_ARG : E_SUCCESS; }

    int GetCount() const override { return static_cast<int>(elements_.size()); }

    result Add(Object* element) override
    {
        elements_.push_back(element);
        return E_SUCCESS;
    }

    result InsertAt(Object* element, int index) override
    {
        if (index < 0 || index > GetCount()) {
            return E_OUT_OF_RANGE;
        }
        elements_.insert(At(index), element);
        return E_SUCCESS;
    }

    Object* GetAt(int index) const override
    {
        if (!InRange(index)) {
            SetLastResult(E_OUT_OF_RANGE);
            return nullptr;
        }
        SetLastResult(E_SUCCESS);
        return *At(index);
    }

    result SetAt(Object* element, int index, bool deleteOld = false) override
    {
        if (!InRange(index)) {
            return E_OUT_OF_RANGE;
        }
        auto position = At(index);
        if (deleteOld && *position != element) {
            delete *position;
        }
        *position = element;
        return E_SUCCESS;
    }

    result RemoveAt(int index, bool deleteObject = false) override
    {
        if (!InRange(index)) {
            return E_OUT_OF_RANGE;
        }
        auto position = At(index);
        if (deleteObject) {
            delete *position;
        }
        elements_.erase(position);
        return E_SUCCESS;
    }

    void RemoveAll(bool deleteObjects = false) override
    {
        if (deleteObjects) {
            for (Object* element : elements_) {
                delete element;
            }
        }
        elements_.clear();
    }

    IEnumerator* GetEnumeratorN() const override
    {
        SetLastResult(E_SUCCESS);
        return new SequenceEnumerator<Sequence>(elements_);
    }

    static constexpr int DEFAULT_CAPACITY = 10;

private:
    bool InRange(int index) const { return index >= 0 && index < GetCount(); }
    typename Sequence::iterator At(int index) { return std::next(elements_.begin(), index); }
    typename Sequence::const_iterator At(int index) const { return std::next(elements_.begin(), index); }

    Sequence elements_;
};

}  // namespace Ixa::Base::Collection
