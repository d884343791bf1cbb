// Replays the fuzz target's check over every saved input (tests/data/fuzz: inputs that once
// crashed or disagreed, and hand-made bad input) and over the recorded Prosody captures.
#include "FuzzInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

TEST(FuzzRegressionTest, SavedInputsReadTheSameWholeAndInPieces)
{
    std::vector<std::filesystem::path> inputs;
    for (const char* folder : {"/fuzz", "/prosody"}) {
        for (const auto& entry : std::filesystem::directory_iterator(std::string(VELOIM_TEST_DATA) + folder)) {
            if (entry.is_regular_file() && entry.path().filename() != "record") {
                inputs.push_back(entry.path());
            }
        }
    }
    ASSERT_GE(inputs.size(), 20u);
    for (const auto& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(FuzzInput::check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
            << path.filename();
    }
}
