// A picture that changes: a sequence of frames, each shown for its duration, played from the
// first frame to the last as many times as the repeat count says (once by default). Frames
// advance on the user-interface thread's timer, so the virtual clock drives them in tests.
// When the last repetition ends the last frame stays and the animation listeners are told;
// Stop also tells them (when it was running) and goes back to the first frame; Pause keeps
// the frame, and Play goes on from there.
// Threading and ownership: user-interface thread. The pictures of the frames are copied at
// Construct, so the caller keeps (and deletes) its frames and their bitmaps; listeners are
// borrowed.
#pragma once

#include "platform/Bitmap.h"
#include "platform/Control.h"
#include "platform/IAnimationEventListener.h"
#include "platform/IList.h"
#include "platform/ITimerEventListener.h"
#include "platform/ListenerList.h"
#include "platform/Timer.h"

#include <memory>
#include <vector>

class QPainter;

namespace Ixa::Ui::Controls {

enum AnimationStatus { ANIMATION_PLAYING = 0, ANIMATION_PAUSED = 1, ANIMATION_STOPPED = 2 };

class Animation : public Control, public Base::Runtime::ITimerEventListener {
public:
    Animation();
    ~Animation() override;

    // `frames` holds AnimationFrame objects; E_INVALID_ARG when it is empty or holds anything
    // else, or a frame has no picture or no duration.
    result Construct(const Graphics::Rectangle& rect, const Base::Collection::IList& frames);
    result Play();
    result Pause();
    result Stop();
    // How many times the frames are played; at least 1.
    result SetRepeatCount(int count);
    int GetRepeatCount() const { return repeatCount_; }
    // Repetitions finished since the last Play from the start.
    int GetCurrentRepeatedCount() const { return repeated_; }
    AnimationStatus GetStatus() const { return status_; }
    void AddAnimationEventListener(IAnimationEventListener& listener) { listeners_.Add(listener); }
    void RemoveAnimationEventListener(IAnimationEventListener& listener) { listeners_.Remove(listener); }

    // Platform side, for the ScreenProbe: the frame shown now and the number of frames.
    int GetCurrentFrameIndex() const { return current_; }
    int GetFrameCount() const { return static_cast<int>(frames_.size()); }

    void OnTimerExpired(Base::Runtime::Timer& timer) override;

private:
    struct Frame {
        std::shared_ptr<const Graphics::Bitmap> bitmap;
        int duration;
    };

    void Paint(QPainter& painter);
    void Finish();
    void TellStopped();

    std::vector<Frame> frames_;
    ListenerList<IAnimationEventListener> listeners_;
    Base::Runtime::Timer timer_;
    AnimationStatus status_ = ANIMATION_STOPPED;
    int current_ = 0;
    int repeatCount_ = 1;
    int repeated_ = 0;
};

}  // namespace Ixa::Ui::Controls
