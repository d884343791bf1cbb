// The enumerator of HashMap. It borrows the map's table, which must outlive it and stay
// unchanged. Thread-safety: none.
#pragma once

#include "platform/HashMap.h"

namespace Ixa::Base::Collection {

class HashMapEnumerator : public IMapEnumerator {
public:
    explicit HashMapEnumerator(const HashMap::Table& table);

    result MoveNext() override;
    Object* GetCurrent() const override;
    result Reset() override;
    Object* GetKey() const override;
    Object* GetValue() const override;

private:
    bool OnEntry() const;

    const HashMap::Table& table_;
    HashMap::Table::const_iterator current_;
    bool started_ = false;
};

}  // namespace Ixa::Base::Collection
