// The program's date-time value: the platform's as is. Thread-safety: a value type.
#pragma once

#include "platform/DateTime.h"

class IMDateTime : public Ixa::Base::DateTime {
public:
    IMDateTime();
    IMDateTime(const IMDateTime& other);
    ~IMDateTime() override;
    IMDateTime& operator=(const IMDateTime& other);
};
