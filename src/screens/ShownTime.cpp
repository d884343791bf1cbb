#include "screens/ShownTime.h"

#include "app/IMManager.h"

#include "platform/SystemTime.h"

namespace {

void appendTwoDigits(Ixa::Base::String& text, int value)
{
    if (value < 10) {
        text.Append('0');
    }
    text.Append(value);
}

}  // namespace

Ixa::Base::DateTime ShownTime::Local(const Ixa::Base::DateTime& utc)
{
    Ixa::Base::DateTime local(utc);
    local.AddMinutes(Ixa::System::SystemTime::GetLocalOffsetMinutes(utc.GetTime(), true));
    return local;
}

Ixa::Base::String ShownTime::Time(const Ixa::Base::DateTime& utc)
{
    const Ixa::Base::DateTime local = Local(utc);
    return IMManager::GetTimeAsString(&local);
}

Ixa::Base::String ShownTime::DateAndTime(const Ixa::Base::DateTime& utc)
{
    const Ixa::Base::DateTime local = Local(utc);
    Ixa::Base::String text;
    appendTwoDigits(text, local.GetMonth());
    text.Append('/');
    appendTwoDigits(text, local.GetDay());
    text.Append('/');
    appendTwoDigits(text, local.GetYear() % 100);
    text.Append(' ');
    text.Append(IMManager::GetTimeAsString(&local));
    return text;
}
