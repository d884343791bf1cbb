#include "net/HttpHeaderFieldValues.h"

HttpHeaderFieldValues::HttpHeaderFieldValues() = default;

HttpHeaderFieldValues::~HttpHeaderFieldValues() { delete enumerator_; }

void HttpHeaderFieldValues::setEnumerator(Ixa::Base::Collection::IEnumerator* enumerator)
{
    if (enumerator == enumerator_)
        return;
    delete enumerator_;
    enumerator_ = enumerator;
}

unsigned long HttpHeaderFieldValues::MoveNext()
{
    if (enumerator_ == nullptr || Ixa::IsFailed(enumerator_->MoveNext()))
        return Ixa::E_FAILURE;
    return Ixa::E_SUCCESS;
}

void HttpHeaderFieldValues::ReSet()
{
    if (enumerator_ != nullptr)
        enumerator_->Reset();
}

IMString* HttpHeaderFieldValues::GetCurrentString(unsigned long* error)
{
    auto* value = enumerator_ != nullptr ? dynamic_cast<Ixa::Base::String*>(enumerator_->GetCurrent()) : nullptr;
    if (value == nullptr) {
        *error = Ixa::E_FAILURE;
        return nullptr;
    }
    *error = Ixa::E_SUCCESS;
    return new IMString(*value);
}
