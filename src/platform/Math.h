// Pseudo-random numbers from one process-wide linear congruential generator: the same seed
// gives the same sequence. Rand answers 0 to RAND_MAXIMUM.
// Thread-safety: safe from any thread (the state is atomic).
#pragma once

namespace Ixa::Base::Utility {

class Math {
public:
    static constexpr int RAND_MAXIMUM = 0x7FFFFFFF;

    static void Srand(unsigned int seed);
    static int Rand();
};

}  // namespace Ixa::Base::Utility
