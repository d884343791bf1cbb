// Paces one piece of user-interface work to the display's frames: it runs at most once a
// frame. Asked for in a frame where it has already run, it waits for the next frame however
// often it is asked meanwhile, so a burst of requests costs one run a frame and a lone request
// waits at most one frame.
// Threading: user-interface thread. Ownership: owns its timer; `due` belongs to the owner of
// the pacer, which outlives it.
#pragma once

#include "platform/ITimerEventListener.h"
#include "platform/Timer.h"

#include <functional>

class FramePacer : public Ixa::Base::Runtime::ITimerEventListener {
public:
    // `due` is called once a frame has begun after a request that had to wait; it asks with
    // TakeFrame again, since the work may have run by other means in that frame.
    explicit FramePacer(std::function<void()> due);

    // True when the work has not run in this frame: the caller runs it now, and this frame is
    // taken. Otherwise `due` follows at the next frame.
    bool TakeFrame();
    // The work ran now, asked for or not: this frame is taken.
    void MarkRun();
    void OnTimerExpired(Ixa::Base::Runtime::Timer& timer) override;

private:
    void WaitForNextFrame();

    std::function<void()> due_;
    Ixa::Base::Runtime::Timer timer_;
    bool timerBound_ = false;
    bool waiting_ = false;
    long long lastFrame_ = -1;
};
