// What the user sees while the engine brings a lost session back by itself: the status
// strip's "Reconnecting…" notice with the seconds to the next try, counted down each second
// here, a tap on it asking the engine to try at once, and whether presence is to be shown as
// unknown meanwhile. The screens stay as they are; the state lives here alone, not per screen.
// Threading: user-interface thread (the screen creator's dispatch, the countdown timer and
// the tap). Ownership: IMManager owns the one instance; the frame is borrowed and outlives it.
#pragma once

#include "platform/Frame.h"
#include "platform/ITimerEventListener.h"
#include "platform/Timer.h"

class ReconnectStatus : public Ixa::Base::Runtime::ITimerEventListener {
public:
    explicit ReconnectStatus(Ixa::Ui::Controls::Frame* frame);
    ~ReconnectStatus() override;

    ReconnectStatus(const ReconnectStatus&) = delete;
    ReconnectStatus& operator=(const ReconnectStatus&) = delete;

    // The engine's report: the next try in `seconds`, 0 while one is under way. Answers whether
    // this starts a reconnection (the connection counted as up until now).
    bool Reconnecting(int seconds);
    // The session is back, or it has ended: the notice goes. Answers whether it was shown.
    bool End();
    bool IsReconnecting() const { return reconnecting_; }

    void OnTimerExpired(Ixa::Base::Runtime::Timer& timer) override;

private:
    void show();

    Ixa::Ui::Controls::Frame* frame_;
    Ixa::Base::Runtime::Timer countdown_;
    bool reconnecting_ = false;
    int seconds_ = 0;
};
