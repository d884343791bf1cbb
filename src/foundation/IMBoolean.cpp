#include "foundation/IMBoolean.h"

IMBoolean::IMBoolean(bool value) : Boolean(value) {}

IMBoolean::IMBoolean(const IMString& text) : Boolean(text) {}

IMBoolean::IMBoolean(const IMBoolean& other) : Boolean(other) {}

IMBoolean::~IMBoolean() = default;

IMBoolean IMBoolean::GetTrue()
{
    static const IMBoolean TRUE_VALUE(true);
    return TRUE_VALUE;
}

IMBoolean IMBoolean::GetFalse()
{
    static const IMBoolean FALSE_VALUE(false);
    return FALSE_VALUE;
}

IMString IMBoolean::ToString(bool value) { return IMString(Boolean::ToString(value)); }

IMString IMBoolean::ToString() const { return ToString(ToBool()); }
