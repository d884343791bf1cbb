#include "platform/StatusClock.h"

#include "platform/SettingInfo.h"
#include "platform/SystemTime.h"

#include <QTime>

#include <utility>

namespace Ixa::Ui {

namespace {

constexpr int MinuteMs = 60000;

StatusClock::TimeSource& Source()
{
    static StatusClock::TimeSource source;
    return source;
}

Base::DateTime LocalTime()
{
    if (Source())
        return Source()();
    Base::DateTime now;
    System::SystemTime::GetCurrentTime(System::WALL_TIME, now);
    return now;
}

}  // namespace

StatusClock::StatusClock(std::function<void()> changed) : changed_(std::move(changed))
{
    timer_.Construct(*this);
    ReadTime();
}

QString StatusClock::GetText() const
{
    bool twentyFour = false;
    System::SettingInfo::GetValue("24HourFormatSelected", twentyFour);
    return QTime(hour_, minute_).toString(twentyFour ? QStringLiteral("HH:mm") : QStringLiteral("h:mm AP"));
}

void StatusClock::SetTimeSource(TimeSource source) { Source() = std::move(source); }

void StatusClock::OnTimerExpired(Base::Runtime::Timer&)
{
    ReadTime();
    if (changed_)
        changed_();
}

// A timer that fires a little early reads the same minute again and waits for the rest of it.
void StatusClock::ReadTime()
{
    const Base::DateTime now = LocalTime();
    hour_ = now.GetHour();
    minute_ = now.GetMinute();
    timer_.Start(MinuteMs - now.GetSecond() * 1000 - now.GetMillisecond());
}

}  // namespace Ixa::Ui
