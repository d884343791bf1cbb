#include "platform/HashMapEnumerator.h"

namespace Ixa::Base::Collection {

HashMapEnumerator::HashMapEnumerator(const HashMap::Table& table) : table_(table), current_(table.end()) {}

result HashMapEnumerator::MoveNext()
{
    if (!started_) {
        started_ = true;
        current_ = table_.begin();
    } else if (current_ != table_.end()) {
        ++current_;
    }
    return current_ != table_.end() ? E_SUCCESS : E_OUT_OF_RANGE;
}

bool HashMapEnumerator::OnEntry() const
{
    bool onEntry = started_ && current_ != table_.end();
    SetLastResult(onEntry ? E_SUCCESS : E_INVALID_STATE);
    return onEntry;
}

Object* HashMapEnumerator::GetCurrent() const { return GetValue(); }

result HashMapEnumerator::Reset()
{
    started_ = false;
    current_ = table_.end();
    return E_SUCCESS;
}

Object* HashMapEnumerator::GetKey() const { return OnEntry() ? current_->first : nullptr; }

Object* HashMapEnumerator::GetValue() const { return OnEntry() ? current_->second : nullptr; }

}  // namespace Ixa::Base::Collection
