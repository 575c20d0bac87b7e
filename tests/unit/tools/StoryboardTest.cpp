// The capture's storyboard: frames read back from GL turned top row first, scaled into their
// cells by area averaging whatever the ratio, laid out on the grid with their times in the
// strip under each cell, and the grid still made when no face can write the times.
#include "FrameOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "PictureScaling.h"
#include "text/FontFile.h"

namespace {

constexpr uint8_t kBackground[3] = {38, 38, 43};

bool is(const uint8_t* pixel, const uint8_t colour[3]) { return std::equal(pixel, pixel + 3, colour); }

// A picture of black and white pixels in a checkerboard.
RgbPicture checkerboard(int width, int height)
{
    RgbPicture picture(width, height, 0, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x + y) % 2 == 0) std::fill(picture.at(x, y), picture.at(x, y) + 3, 255);
    return picture;
}

TEST(Storyboard, GlRowsBecomeTopRowFirstWithoutAlpha)
{
    // Two pixels a row, three rows, the bottom one first as GL reads them.
    const uint8_t rgba[] = {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 0, 10, 11, 12, 0, 13, 14, 15, 9, 16, 17, 18, 9};
    const RgbPicture picture = topDownRgb(rgba, 2, 3);
    EXPECT_EQ(picture.rgb, (std::vector<uint8_t>{13, 14, 15, 16, 17, 18, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}));
}

TEST(Storyboard, ScalingKeepsAUniformColourAndStaysInItsRectangle)
{
    // Down by 4/3 as a 320 x 180 frame into its cell, by 7/3 and 5/2, and up.
    struct Case {
        int sourceWidth, sourceHeight, width, height;
    };
    for (const Case c : {Case{320, 180, 240, 135}, Case{7, 5, 3, 2}, Case{3, 2, 7, 5}, Case{5, 9, 5, 4}}) {
        SCOPED_TRACE(std::to_string(c.sourceWidth) + "x" + std::to_string(c.sourceHeight) + " into " +
                     std::to_string(c.width) + "x" + std::to_string(c.height));
        const uint8_t colour[3] = {201, 17, 99};
        RgbPicture target(c.width + 5, c.height + 4, 1, 2, 3);
        scaleInto(RgbPicture(c.sourceWidth, c.sourceHeight, colour[0], colour[1], colour[2]), target, 2, 1, c.width,
                  c.height);
        const uint8_t around[3] = {1, 2, 3};
        for (int y = 0; y < target.height; ++y)
            for (int x = 0; x < target.width; ++x) {
                const bool inside = x >= 2 && x < 2 + c.width && y >= 1 && y < 1 + c.height;
                ASSERT_TRUE(is(target.at(x, y), inside ? colour : around)) << x << ", " << y;
            }
    }
}

TEST(Storyboard, ScalingAveragesTheAreaEachPixelCovers)
{
    // A one-pixel checkerboard 2.5 times smaller: every pixel covers about as much black as
    // white (3.25 of 6.25 source pixels at worst), where sampling would give black or white.
    RgbPicture grey(4, 4, 0, 0, 0);
    scaleInto(checkerboard(10, 10), grey, 0, 0, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_NEAR(grey.at(x, y)[0], 127.5, 6) << x << ", " << y;
            EXPECT_EQ(grey.at(x, y)[1], grey.at(x, y)[0]);
        }

    // Four black pixels then five white, 2.25 times smaller: the second pixel covers 1.75 black
    // and 0.5 white, 255 x 0.5 / 2.25 = 56.7; the same down as across.
    RgbPicture edge(9, 1, 255, 255, 255);
    for (int x = 0; x < 4; ++x) std::fill(edge.at(x, 0), edge.at(x, 0) + 3, 0);
    RgbPicture across(4, 1, 0, 0, 0);
    scaleInto(edge, across, 0, 0, 4, 1);
    EXPECT_EQ(across.rgb, (std::vector<uint8_t>{0, 0, 0, 57, 57, 57, 255, 255, 255, 255, 255, 255}));
    RgbPicture column(1, 9, 255, 255, 255);
    for (int y = 0; y < 4; ++y) std::fill(column.at(0, y), column.at(0, y) + 3, 0);
    RgbPicture down(1, 4, 0, 0, 0);
    scaleInto(column, down, 0, 0, 1, 4);
    EXPECT_EQ(down.rgb, across.rgb);
}

TEST(Storyboard, CellsFillTheGridRowByRowWithTheirTimesInTheStripUnder)
{
    // As the capture finds it: the system's, else the one among the data's fonts.
    const std::filesystem::path fonts = std::filesystem::path(ORVALE_GFX_DIR).parent_path() / "fonts";
    const std::string face = findFontFile("DejaVu Sans", false, false, fonts).path;
    if (face.empty()) GTEST_SKIP() << "no face for DejaVu Sans on this system";

    // Nine 320 x 180 frames of one colour each: two rows of 240 x 135 cells, the second holding one.
    Storyboard board(9, 320, 180, face);
    auto red = [](int i) { return static_cast<uint8_t>(40 + 20 * i); };
    for (int i = 0; i < 10; ++i) board.add(RgbPicture(320, 180, red(i), 200, 90), i * 20000);  // the tenth is left out
    const RgbPicture& story = board.picture();
    ASSERT_EQ(story.width, 8 * (240 + 6) + 6);
    ASSERT_EQ(story.height, 2 * (135 + 22 + 6) + 6);

    for (int cell = 0; cell < 16; ++cell) {
        SCOPED_TRACE("cell " + std::to_string(cell));
        const int left = 6 + cell % 8 * 246, top = 6 + cell / 8 * 163;
        const uint8_t frame[3] = {red(cell), 200, 90};
        const uint8_t* expected = cell < 9 ? frame : kBackground;
        int inked = 0;
        for (int y = top - 6; y < top + 157; ++y)
            for (int x = left - 6; x < left + 246; ++x) {
                const uint8_t* pixel = story.at(x, y);
                if (x >= left && x < left + 240 && y >= top && y < top + 135) {
                    ASSERT_TRUE(is(pixel, expected)) << x << ", " << y;
                } else if (!is(pixel, kBackground)) {
                    // The time: light grey blended over the background, inside the strip, from 4
                    // pixels below the cell, 2 pixels in.
                    ASSERT_LT(cell, 9);
                    ASSERT_TRUE(x >= left + 2 && x < left + 240 && y >= top + 139 && y < top + 157) << x << ", " << y;
                    ASSERT_EQ(pixel[0], pixel[1]);
                    ASSERT_TRUE(pixel[0] > 38 && pixel[0] <= 230 && pixel[2] > 43 && pixel[2] <= 230);
                    inked += pixel[0] > 150;
                }
            }
        if (cell < 9) {
            EXPECT_GT(inked, 10);  // "0.000 s" and the like, legible
        }
    }
}

TEST(Storyboard, WithoutAUsableFaceTheCellsGoUnlabelledAndOneLineSaysSo)
{
    for (const std::string& face : {std::string(), std::string(ORVALE_SOURCE_DIR "/README.md")}) {
        SCOPED_TRACE("face file \"" + face + "\"");
        ::testing::internal::CaptureStderr();
        Storyboard board(2, 32, 18, face);
        board.add(RgbPicture(32, 18, 255, 255, 255), 0);
        board.add(RgbPicture(32, 18, 255, 255, 255), 1500);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find("unlabelled"), std::string::npos) << said;

        // White cells on the background, nothing written under them.
        const RgbPicture& story = board.picture();
        const uint8_t white[3] = {255, 255, 255};
        for (int y = 0; y < story.height; ++y)
            for (int x = 0; x < story.width; ++x) {
                const bool inCell = y >= 6 && y < 6 + 135 && ((x >= 6 && x < 246) || (x >= 252 && x < 492));
                ASSERT_TRUE(is(story.at(x, y), inCell ? white : kBackground)) << x << ", " << y;
            }
    }
}

}  // namespace
