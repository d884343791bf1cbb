#include "platform/ThreadRunner.h"

namespace Ixa::Base::Runtime {

ThreadRunner::ThreadRunner(std::function<void()> body) : body_(std::move(body)) {}

void ThreadRunner::run() { body_(); }

}  // namespace Ixa::Base::Runtime
