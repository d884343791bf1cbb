#include "platform/Math.h"

#include <atomic>
#include <cstdint>

namespace Ixa::Base::Utility {

namespace {
std::atomic<std::uint64_t> state{1};
}

void Math::Srand(unsigned int seed) { state.store(seed); }

int Math::Rand()
{
    // Knuth's MMIX multiplier; the high bits of a power-of-two LCG are the good ones.
    std::uint64_t current = state.load();
    std::uint64_t next;
    do {
        next = current * 6364136223846793005ULL + 1442695040888963407ULL;
    } while (!state.compare_exchange_weak(current, next));
    return static_cast<int>(next >> 33);
}

}  // namespace Ixa::Base::Utility
