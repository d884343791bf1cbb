// libFuzzer entry point for the XML stream reader; built by scripts/fuzz with clang.
// A difference between reading the input whole and in pieces counts as a crash.
#include "FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!FuzzInput::check(data, size)) {
        std::abort();
    }
    return 0;
}
