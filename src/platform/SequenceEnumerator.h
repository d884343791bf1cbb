// The enumerator of the list collections, over any standard sequence of Object pointers.
// It borrows the sequence, which must outlive it and stay unchanged. Thread-safety: none.
#pragma once

#include "platform/IEnumerator.h"

namespace Ixa::Base::Collection {

template <typename Sequence>
class SequenceEnumerator : public IEnumerator {
public:
    explicit SequenceEnumerator(const Sequence& sequence) : sequence_(sequence), current_(sequence.end()) {}

    result MoveNext() override
    {
        if (!started_) {
            started_ = true;
            current_ = sequence_.begin();
        } else if (current_ != sequence_.end()) {
            ++current_;
        }
        return current_ != sequence_.end() ? E_SUCCESS : E_OUT_OF_RANGE;
    }

    Object* GetCurrent() const override
    {
        if (!started_ || current_ == sequence_.end()) {
            SetLastResult(E_INVALID_STATE);
            return nullptr;
        }
        return *current_;
    }

    result Reset() override
    {
        started_ = false;
        current_ = sequence_.end();
        return E_SUCCESS;
    }

private:
    const Sequence& sequence_;
    typename Sequence::const_iterator current_;
    bool started_ = false;
};

}  // namespace Ixa::Base::Collection
