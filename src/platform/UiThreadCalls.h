// Runs functions on the user-interface thread, handed over from any thread.
//
// Other threads do not post Qt events to the user-interface thread: Qt keeps that thread's
// posted events in a list that the thread itself also fills, from inside Qt, whenever a
// widget is made or shown, and the list's lock is a futex-based one inside the uninstrumented
// Qt library. Race detectors cannot see that lock, so every cross-thread post looked to them
// like a race with the user-interface thread's own. Here the calls wait in a list of our own
// under a standard mutex, and a byte written to a pipe wakes the user-interface thread; the
// other thread touches nothing of Qt's.
// Threading and ownership: Post from any thread; Open on the user-interface thread, once a
// QApplication exists (a post made on that thread opens too). Calls posted from other threads
// before then wait for it.
#pragma once

#include <functional>

namespace Ixa::Ui {

class UiThreadCalls {
public:
    static void Post(std::function<void()> call);
    // Starts watching the pipe, once per application object; later calls do nothing.
    static void Open();
};

}  // namespace Ixa::Ui
