// The display's frames: sixty a second, counted on the user-interface thread's clock, which is
// the virtual clock while one is enabled (so work paced to the frames is paced in tests too,
// where only advancing the clock brings the next frame).
// Threading: user-interface thread only. Ownership: none; the clock is the process's.
#pragma once

namespace Ixa::Ui {

class FrameClock {
public:
    static constexpr int FramesPerSecond = 60;
    // The longest a frame lasts in whole milliseconds.
    static constexpr int LongestFrameMs = (1000 + FramesPerSecond - 1) / FramesPerSecond;

    // The number of the frame showing now; it grows by one each frame.
    static long long CurrentFrame();
    // Milliseconds until the next frame begins, at least 1.
    static int UntilNextFrame();

private:
    // Milliseconds on the user-interface thread's clock.
    static long long Now();
};

}  // namespace Ixa::Ui
