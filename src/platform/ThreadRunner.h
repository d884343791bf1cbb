// The Qt thread beneath an Ixa Thread: it runs the body it was given, and nothing after it,
// so that everything the body does is ordered before the Ixa Thread reports its end.
// Threading and ownership: owned by its Ixa Thread, which starts it from any thread and
// destroys it only after wait() has returned; the body runs on the new thread.
#pragma once

#include <QThread>

#include <functional>

namespace Ixa::Base::Runtime {

class ThreadRunner : public QThread {
public:
    explicit ThreadRunner(std::function<void()> body);

protected:
    void run() override;

private:
    std::function<void()> body_;
};

}  // namespace Ixa::Base::Runtime
