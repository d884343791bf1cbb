#include "platform/Boolean.h"
#include "platform/DateTime.h"
#include "platform/Integer.h"
#include "platform/Long.h"
#include "platform/SystemTime.h"

#include <gtest/gtest.h>

using namespace Ixa::Base;

TEST(DateTimeTest, CalendarFieldsRoundTripAcrossEpochAndLeapDays)
{
    DateTime leap;
    ASSERT_EQ(leap.SetValue(2024, 2, 29, 23, 59, 58, 999), Ixa::E_SUCCESS);
    EXPECT_EQ(leap.GetYear(), 2024);
    EXPECT_EQ(leap.GetMonth(), 2);
    EXPECT_EQ(leap.GetDay(), 29);
    EXPECT_EQ(leap.GetHour(), 23);
    EXPECT_EQ(leap.GetMillisecond(), 999);
    EXPECT_EQ(leap.GetDayOfWeek(), 4);
    EXPECT_EQ(leap.ToString().ToUtf8(), "2024-02-29T23:59:58.999Z");
    ASSERT_EQ(leap.AddSeconds(1), Ixa::E_SUCCESS);
    ASSERT_EQ(leap.AddMilliseconds(1), Ixa::E_SUCCESS);
    EXPECT_EQ(leap.GetMonth(), 3);
    EXPECT_EQ(leap.GetDay(), 1);
    EXPECT_EQ(leap.GetHour(), 0);

    DateTime invalid;
    EXPECT_EQ(invalid.SetValue(2023, 2, 29), Ixa::E_OUT_OF_RANGE);
    EXPECT_EQ(invalid.SetValue(2000, 13, 1), Ixa::E_OUT_OF_RANGE);

    DateTime beforeEpoch;
    ASSERT_EQ(beforeEpoch.SetValue(-1), Ixa::E_SUCCESS);
    EXPECT_EQ(beforeEpoch.GetYear(), 1969);
    EXPECT_EQ(beforeEpoch.GetMonth(), 12);
    EXPECT_EQ(beforeEpoch.GetDay(), 31);
    EXPECT_EQ(beforeEpoch.GetSecond(), 59);
    EXPECT_EQ(beforeEpoch.GetMillisecond(), 999);
    EXPECT_EQ(beforeEpoch.ToString().ToUtf8(), "1969-12-31T23:59:59.999Z");

    DateTime first;
    ASSERT_EQ(first.SetValue(1, 1, 1), Ixa::E_SUCCESS);
    EXPECT_EQ(first.ToString().ToUtf8(), "0001-01-01T00:00:00.000Z");
    EXPECT_EQ(first.AddMilliseconds(-1), Ixa::E_OUT_OF_RANGE);
    EXPECT_EQ(first.AddDays(1LL << 62), Ixa::E_OUT_OF_RANGE);
    EXPECT_LT(first.CompareTo(beforeEpoch), 0);
    EXPECT_TRUE(first < beforeEpoch);
}

TEST(DateTimeTest, SystemClockAgreesWithTicks)
{
    long long before = 0;
    long long after = 0;
    DateTime now;
    Ixa::System::SystemTime::GetTicks(before);
    ASSERT_EQ(Ixa::System::SystemTime::GetCurrentTime(Ixa::System::UTC_TIME, now), Ixa::E_SUCCESS);
    Ixa::System::SystemTime::GetTicks(after);
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), after);
    EXPECT_GE(now.GetYear(), 2024);
}

TEST(BoxedValueTest, ParseTextAndCompareByTypeAndValue)
{
    int value = 0;
    EXPECT_EQ(Integer::Parse(String("-2147483648"), value), Ixa::E_SUCCESS);
    EXPECT_EQ(value, -2147483648);
    EXPECT_EQ(Integer::Parse(String("2147483648"), value), Ixa::E_OUT_OF_RANGE);
    EXPECT_EQ(Integer::Parse(String("12a"), value), Ixa::E_INVALID_FORMAT);
    EXPECT_EQ(Integer::Parse(String("-"), value), Ixa::E_INVALID_FORMAT);
    EXPECT_EQ(Integer(-17).ToString(), String("-17"));

    EXPECT_TRUE(Integer(5).Equals(Integer(5)));
    EXPECT_FALSE(Integer(5).Equals(Long(5)));
    EXPECT_TRUE(Boolean(String("TRUE")).ToBool());
    EXPECT_FALSE(Boolean(String("yes")).ToBool());
    EXPECT_EQ(Boolean::ToString(false), String("false"));
}
