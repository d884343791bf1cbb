#include "platform/Result.h"

namespace Ixa {

namespace {
thread_local result lastResult = E_SUCCESS;
}

result GetLastResult() { return lastResult; }

void SetLastResult(result r) { lastResult = r; }

void ClearLastResult() { lastResult = E_SUCCESS; }

}  // namespace Ixa
