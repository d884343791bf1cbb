// The time shown in the status strip. It reads the local time when it starts and again at every
// minute boundary, on a timer set to the next one, and then tells its owner, which repaints the
// strip. The handset's 12- or 24-hour setting applies whenever the text is asked for.
// Threading and ownership: user-interface thread; a member of the frame window. The time
// source is process-wide and read on the user-interface thread only.
#pragma once

#include "platform/DateTime.h"
#include "platform/ITimerEventListener.h"
#include "platform/Timer.h"

#include <QString>

#include <functional>

namespace Ixa::Ui {

class StatusClock : public Base::Runtime::ITimerEventListener {
public:
    using TimeSource = std::function<Base::DateTime()>;

    explicit StatusClock(std::function<void()> changed);

    // "10:42 AM", or "10:42" with the 24-hour setting.
    QString GetText() const;
    // Where every clock reads the local time from now on; null gives back the system's wall
    // clock.
    static void SetTimeSource(TimeSource source);

    void OnTimerExpired(Base::Runtime::Timer& timer) override;

private:
    void ReadTime();

    std::function<void()> changed_;
    Base::Runtime::Timer timer_;
    int hour_ = 0;
    int minute_ = 0;
};

}  // namespace Ixa::Ui
