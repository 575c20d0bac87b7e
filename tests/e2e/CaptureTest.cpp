// The capture tool, run as people run it: from the build tree, without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "gfx/PictureFile.h"

namespace {

const std::string kBuild = ORVALE_BUILD_DIR;

// Runs orvale-capture with the arguments; returns its exit status and its stderr in `messages`.
int capture(const std::string& arguments, std::string& messages)
{
    const std::string log = ::testing::TempDir() + "/capture.log";
    const std::string command =
        "cd '" + kBuild + "' && env -u DISPLAY -u WAYLAND_DISPLAY ./orvale-capture " + arguments + " 2>'" + log + "'";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    messages.assign(std::istreambuf_iterator<char>(in), {});
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double meanBrightness(const Picture& picture, int x0, int y0, int w, int h)
{
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const uint8_t* p = picture.at(x, y);
            sum += (p[0] + p[1] + p[2]) / 3.0;
        }
    return sum / (w * h);
}

class Capture : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = ::testing::TempDir() + "/capture-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string dir;
};

TEST_F(Capture, FramesAndStoryboardShowTheClearColoursOfTheTimeline)
{
    std::string messages;
    ASSERT_EQ(capture("--size 160x90 --out '" + dir + "' --at 1000,40000 --storyboard '" + dir +
                          "/story.png' --every 40",
                      messages),
              0)
        << messages;

    Picture white, black, story;
    std::string error;
    ASSERT_TRUE(decodePicture(dir + "/frame-001000.png", white, error)) << error;
    ASSERT_TRUE(decodePicture(dir + "/frame-040000.png", black, error)) << error;
    EXPECT_EQ(white.width, 160);
    EXPECT_EQ(white.height, 90);
    // Scene A clears white (times the overlay's vignette); Scene C's window clears black.
    EXPECT_GT(meanBrightness(white, 0, 0, 160, 90), 220);
    EXPECT_LT(meanBrightness(black, 0, 0, 160, 90), 5);

    // Cells at 0, 40, ..., 200 s, six in a row of up to eight, each labelled under it.
    ASSERT_TRUE(decodePicture(dir + "/story.png", story, error)) << error;
    EXPECT_EQ(story.width, 6 * (240 + 6) + 6);
    EXPECT_EQ(story.height, 135 + 22 + 12);
    const int cellTop = story.height - 6 - 135;  // rows counted from the bottom
    EXPECT_GT(meanBrightness(story, 6 + 20, cellTop + 20, 200, 95), 220);            // 0 s
    EXPECT_LT(meanBrightness(story, 6 + 246 + 20, cellTop + 20, 200, 95), 5);        // 40 s
}

TEST_F(Capture, BadRequestsAreRefusedClearly)
{
    std::string messages;
    EXPECT_EQ(capture("--at 1000 --size 100", messages), 2);
    EXPECT_NE(messages.find("--size wants WIDTHxHEIGHT"), std::string::npos) << messages;
    EXPECT_EQ(capture("--at 999999", messages), 2);
    EXPECT_NE(messages.find("--at wants demo times"), std::string::npos) << messages;
    EXPECT_EQ(capture("--size 32x32", messages), 2);
    EXPECT_NE(messages.find("nothing to capture"), std::string::npos) << messages;
    EXPECT_EQ(capture("--size 32x32 --at 0 --out '" + dir + "/missing/dir'", messages), 1);
    EXPECT_NE(messages.find("cannot write"), std::string::npos) << messages;
}

}  // namespace
