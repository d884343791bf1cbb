#include "platform/DateTime.h"

#include <algorithm>
#include <string>

namespace Ixa::Base {

namespace {

constexpr long long MS_PER_DAY = 86400000LL;
constexpr long long MIN_TIME = -62135596800000LL;   // 0001-01-01T00:00:00.000
constexpr long long MAX_TIME = 253402300799999LL;   // 9999-12-31T23:59:59.999

// The positions of the digits and separators in "YYYY-MM-DDTHH:MM:SS.mmmZ".
constexpr char TEXT_PATTERN[] = "dddd-dd-ddTdd:dd:dd.dddZ";
constexpr std::size_t TEXT_LENGTH = DateTime::TEXT_LENGTH;
static_assert(sizeof(TEXT_PATTERN) - 1 == TEXT_LENGTH);

bool MatchesTextPattern(const std::string& text)
{
    if (text.size() != TEXT_LENGTH) {
        return false;
    }
    for (std::size_t i = 0; i < TEXT_LENGTH; ++i) {
        bool isDigit = text[i] >= '0' && text[i] <= '9';
        if (TEXT_PATTERN[i] == 'd' ? !isDigit : text[i] != TEXT_PATTERN[i]) {
            return false;
        }
    }
    return true;
}

int DigitsAt(const std::string& text, std::size_t start, std::size_t count)
{
    int value = 0;
    for (std::size_t i = start; i < start + count; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Writes the last `count` decimal digits of `value` (not negative) at `start`.
void PutDigits(char* text, std::size_t start, std::size_t count, int value)
{
    for (std::size_t i = start + count; i > start; --i) {
        text[i - 1] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

long long FloorDiv(long long value, long long divisor)
{
    long long quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

}  // namespace

DateTime::DateTime() = default;

// Days-from-civil and civil-from-days after H. Hinnant's public-domain date algorithms.
long long DateTime::DaysFromCivil(int year, int month, int day)
{
    long long y = year - (month <= 2 ? 1 : 0);
    long long era = FloorDiv(y, 400);
    long long yearOfEra = y - era * 400;
    long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

DateTime::Civil DateTime::CivilFromDays(long long days)
{
    days += 719468;
    long long era = FloorDiv(days, 146097);
    long long dayOfEra = days - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long monthIndex = (5 * dayOfYear + 2) / 153;
    int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return Civil{year, month, day};
}

// Every stored message binds its time this way, so the digits are written straight into the
// pattern rather than through a formatted print.
String DateTime::ToString() const
{
    char text[TEXT_LENGTH + 1] = {};
    WriteText(text);
    return String(text);
}

void DateTime::WriteText(char* text) const
{
    std::copy(TEXT_PATTERN, TEXT_PATTERN + TEXT_LENGTH, text);
    PutDigits(text, 0, 4, GetYear());
    PutDigits(text, 5, 2, GetMonth());
    PutDigits(text, 8, 2, GetDay());
    PutDigits(text, 11, 2, GetHour());
    PutDigits(text, 14, 2, GetMinute());
    PutDigits(text, 17, 2, GetSecond());
    PutDigits(text, 20, 3, GetMillisecond());
}

result DateTime::Parse(const String& text, DateTime& value)
{
    std::string utf8 = text.ToUtf8();
    if (!MatchesTextPattern(utf8)) {
        return E_INVALID_FORMAT;
    }
    DateTime parsed;
    result r = parsed.SetValue(DigitsAt(utf8, 0, 4), DigitsAt(utf8, 5, 2), DigitsAt(utf8, 8, 2), DigitsAt(utf8, 11, 2),
                               DigitsAt(utf8, 14, 2), DigitsAt(utf8, 17, 2), DigitsAt(utf8, 20, 3));
    if (IsFailed(r)) {
        return E_INVALID_FORMAT;
    }
    value = parsed;
    return E_SUCCESS;
}

bool DateTime::IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DateTime::GetDaysInMonth(int year, int month)
{
    static constexpr int DAYS[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : DAYS[month - 1];
}

result DateTime::SetValue(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > GetDaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999) {
        return E_OUT_OF_RANGE;
    }
    time_ = DaysFromCivil(year, month, day) * MS_PER_DAY +
            ((hour * 60LL + minute) * 60LL + second) * 1000LL + millisecond;
    return E_SUCCESS;
}

result DateTime::SetValue(long long millisecondsSinceEpoch)
{
    if (millisecondsSinceEpoch < MIN_TIME || millisecondsSinceEpoch > MAX_TIME) {
        return E_OUT_OF_RANGE;
    }
    time_ = millisecondsSinceEpoch;
    return E_SUCCESS;
}

long long DateTime::GetTime() const { return time_; }

long long DateTime::DaysSinceEpoch() const { return FloorDiv(time_, MS_PER_DAY); }

long long DateTime::MillisecondOfDay() const { return time_ - DaysSinceEpoch() * MS_PER_DAY; }

int DateTime::GetYear() const { return CivilFromDays(DaysSinceEpoch()).year; }

int DateTime::GetMonth() const { return CivilFromDays(DaysSinceEpoch()).month; }

int DateTime::GetDay() const { return CivilFromDays(DaysSinceEpoch()).day; }

int DateTime::GetHour() const { return static_cast<int>(MillisecondOfDay() / 3600000); }

int DateTime::GetMinute() const { return static_cast<int>(MillisecondOfDay() / 60000 % 60); }

int DateTime::GetSecond() const { return static_cast<int>(MillisecondOfDay() / 1000 % 60); }

int DateTime::GetMillisecond() const { return static_cast<int>(MillisecondOfDay() % 1000); }

int DateTime::GetDayOfWeek() const
{
    // 1970-01-01 was a Thursday; 0 is Sunday.
    return static_cast<int>((DaysSinceEpoch() % 7 + 7 + 4) % 7);
}

result DateTime::AddMilliseconds(long long milliseconds)
{
    if (milliseconds > MAX_TIME - MIN_TIME || milliseconds < MIN_TIME - MAX_TIME) {
        return E_OUT_OF_RANGE;
    }
    return SetValue(time_ + milliseconds);
}

result DateTime::AddScaled(long long count, long long unitMilliseconds)
{
    long long milliseconds = 0;
    if (__builtin_mul_overflow(count, unitMilliseconds, &milliseconds)) {
        return E_OUT_OF_RANGE;
    }
    return AddMilliseconds(milliseconds);
}

result DateTime::AddSeconds(long long seconds) { return AddScaled(seconds, 1000); }

result DateTime::AddMinutes(long long minutes) { return AddScaled(minutes, 60000); }

result DateTime::AddHours(long long hours) { return AddScaled(hours, 3600000); }

result DateTime::AddDays(long long days) { return AddScaled(days, MS_PER_DAY); }

int DateTime::CompareTo(const DateTime& other) const { return (time_ > other.time_) - (time_ < other.time_); }

bool DateTime::operator==(const DateTime& other) const { return time_ == other.time_; }

bool DateTime::operator!=(const DateTime& other) const { return time_ != other.time_; }

bool DateTime::operator<(const DateTime& other) const { return time_ < other.time_; }

bool DateTime::Equals(const Object& other) const
{
    auto dateTime = dynamic_cast<const DateTime*>(&other);
    return dateTime != nullptr && dateTime->time_ == time_;
}

int DateTime::GetHashCode() const
{
    auto wide = static_cast<unsigned long long>(time_);
    return static_cast<int>(wide ^ (wide >> 32));
}

}  // namespace Ixa::Base
