// A calendar date and time of day with millisecond precision, years 1 to 9999, in the
// proleptic Gregorian calendar. It carries no time zone: SystemTime says whether a value is
// UTC or local. Its text form is ISO 8601 with milliseconds and the UTC designator
// ("2024-03-05T14:07:09.042Z"): the program keeps UTC values wherever a date-time is stored,
// and text of that fixed width sorts in time order. Thread-safety: a value type.
#pragma once

#include "platform/String.h"

#include <cstddef>

namespace Ixa::Base {

class DateTime : public Object {
public:
    DateTime();

    result SetValue(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                    int millisecond = 0);
    // Milliseconds since 1970-01-01 00:00:00.000 of the same clock.
    result SetValue(long long millisecondsSinceEpoch);
    long long GetTime() const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetMillisecond() const;
    int GetDayOfWeek() const;

    result AddMilliseconds(long long milliseconds);
    result AddSeconds(long long seconds);
    result AddMinutes(long long minutes);
    result AddHours(long long hours);
    result AddDays(long long days);

    int CompareTo(const DateTime& other) const;
    bool operator==(const DateTime& other) const;
    bool operator!=(const DateTime& other) const;
    bool operator<(const DateTime& other) const;
    bool Equals(const Object& other) const override;
    int GetHashCode() const override;

    // "YYYY-MM-DDTHH:MM:SS.mmmZ".
    String ToString() const;
    static constexpr std::size_t TEXT_LENGTH = 24;
    // The same text as ASCII into `text`, TEXT_LENGTH characters and no terminator.
    void WriteText(char* text) const;
    // Reads exactly the form ToString writes; E_INVALID_FORMAT for anything else.
    static result Parse(const String& text, DateTime& value);

    static bool IsLeapYear(int year);
    static int GetDaysInMonth(int year, int month);

private:
    struct Civil {
        int year;
        int month;
        int day;
    };
    static long long DaysFromCivil(int year, int month, int day);
    static Civil CivilFromDays(long long days);
    long long DaysSinceEpoch() const;
    long long MillisecondOfDay() const;
    result AddScaled(long long count, long long unitMilliseconds);

    long long time_ = 0;
};

}  // namespace Ixa::Base
