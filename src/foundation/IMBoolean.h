// A boxed bool for maps and notifications, with "true"/"false" text forms.
// Thread-safety: an immutable value; GetTrue/GetFalse are safe from any thread.
#pragma once

#include "foundation/IMString.h"
#include "platform/Boolean.h"

class IMBoolean : public Ixa::Base::Boolean {
public:
    explicit IMBoolean(bool value);
    explicit IMBoolean(const IMString& text);
    IMBoolean(const IMBoolean& other);
    ~IMBoolean() override;

    static IMBoolean GetTrue();
    static IMBoolean GetFalse();
    static IMString ToString(bool value);
    IMString ToString() const;
};
