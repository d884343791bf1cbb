// How the screens show a stored time: the stores keep UTC, the screens the handset's local
// time, computed from the value (never cut out of a text), with the hour as the 12/24-hour
// setting says ("01:45 PM" or "13:45").
// Threading: any thread; stateless.
#pragma once

#include "platform/DateTime.h"
#include "platform/String.h"

class ShownTime {
public:
    static Ixa::Base::DateTime Local(const Ixa::Base::DateTime& utc);
    // The local hour and minute.
    static Ixa::Base::String Time(const Ixa::Base::DateTime& utc);
    // The local date as month/day/two-digit year, a blank, then the time as Time() gives it.
    static Ixa::Base::String DateAndTime(const Ixa::Base::DateTime& utc);
};
