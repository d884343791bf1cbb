#include "foundation/IMHashMapEnumerator.h"

IMHashMapEnumerator::IMHashMapEnumerator(Ixa::Base::Collection::IMapEnumerator* enumerator) : enumerator_(enumerator) {}

IMHashMapEnumerator::~IMHashMapEnumerator() { delete enumerator_; }

bool IMHashMapEnumerator::moveToNextElement()
{
    return enumerator_ != nullptr && Ixa::IsSucceeded(enumerator_->MoveNext());
}

Ixa::Base::Object* IMHashMapEnumerator::getCurrentKey()
{
    return enumerator_ != nullptr ? enumerator_->GetKey() : nullptr;
}
