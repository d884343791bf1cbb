// The enumerator that HttpHeader::GetFieldValuesN hands out: it owns copies of the values, so
// it stays valid whatever becomes of the header. GetCurrent gives a Base::String.
// Threading and ownership: none; owned by whoever took it, it owns its strings.
#pragma once

#include "platform/SequenceEnumerator.h"
#include "platform/String.h"

#include <vector>

namespace Ixa::Net::Http {

class HttpFieldValueEnumerator : public Base::Collection::IEnumerator {
public:
    explicit HttpFieldValueEnumerator(const std::vector<Base::String>& values);
    ~HttpFieldValueEnumerator() override;

    HttpFieldValueEnumerator(const HttpFieldValueEnumerator&) = delete;
    HttpFieldValueEnumerator& operator=(const HttpFieldValueEnumerator&) = delete;

    result MoveNext() override;
    Base::Object* GetCurrent() const override;
    result Reset() override;

private:
    std::vector<Base::Object*> values_;
    Base::Collection::SequenceEnumerator<std::vector<Base::Object*>> walker_;
};

}  // namespace Ixa::Net::Http
