// The intro draws the same bytes every time it is run: two captures of the same moments in
// two processes must agree byte for byte. Random draws, particle pools, render targets and
// every piece of state carried from frame to frame take part in the moments chosen (one in
// every scene, the text pages included).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CaptureRun.h"

namespace {

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Determinism, TwoCapturesOfTheSameMomentsAreIdentical)
{
    const std::string moments = "5000,20000,45000,75000,100000,130000,165000";
    const std::filesystem::path root = ::testing::TempDir() + "/determinism";
    std::filesystem::remove_all(root);
    for (const char* run : {"first", "second"}) {
        std::filesystem::create_directories(root / run);
        std::string messages;
        ASSERT_EQ(capture("--size 160x90 --fps 15 --out '" + (root / run).string() + "' --at " + moments, messages),
                  0)
            << messages;
    }
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root / "first")) {
        const std::string first = readBytes(entry.path());
        const std::string second = readBytes(root / "second" / entry.path().filename());
        EXPECT_FALSE(first.empty());
        EXPECT_TRUE(first == second) << entry.path().filename() << " differs between the two runs";
        ++compared;
    }
    EXPECT_EQ(compared, 7);
    std::filesystem::remove_all(root);
}

}  // namespace
