#include "platform/HttpFieldValueEnumerator.h"

namespace Ixa::Net::Http {

HttpFieldValueEnumerator::HttpFieldValueEnumerator(const std::vector<Base::String>& values)
    : walker_(values_)
{
    for (const Base::String& value : values)
        values_.push_back(new Base::String(value));
    walker_.Reset();
}

HttpFieldValueEnumerator::~HttpFieldValueEnumerator()
{
    for (Base::Object* value : values_)
        delete value;
}

result HttpFieldValueEnumerator::MoveNext() { return walker_.MoveNext(); }

Base::Object* HttpFieldValueEnumerator::GetCurrent() const { return walker_.GetCurrent(); }

result HttpFieldValueEnumerator::Reset() { return walker_.Reset(); }

}  // namespace Ixa::Net::Http
