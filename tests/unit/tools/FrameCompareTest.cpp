// The frame comparison: the PSNR over the whole frame on red, green and blue, the worst 8x8
// block found where it is in the picture as seen (the decoder's rows run bottom up), part
// blocks at the edges measured over the pixels they have, alpha left out; and two folders of
// frames paired by name, with every mismatch named.
#include "FrameCompare.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// An opaque picture of one grey level.
Picture grey(int width, int height, uint8_t level)
{
    Picture picture{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4, level)};
    for (size_t i = 3; i < picture.rgba.size(); i += 4) picture.rgba[i] = 255;
    return picture;
}

// The pixel at column x of row y counted from the picture's top, as it is seen.
uint8_t* seen(Picture& picture, int x, int y)
{
    return picture.rgba.data() + (static_cast<size_t>(picture.height - 1 - y) * picture.width + x) * 4;
}

TEST(FrameCompare, OnlyColourCountsAndAUniformOffsetGivesItsPsnr)
{
    const Picture a = grey(21, 13, 100);
    Picture b = a;
    for (size_t i = 3; i < b.rgba.size(); i += 4) b.rgba[i] = static_cast<uint8_t>(i);
    const FrameDifference same = compareFrames(a, b);
    EXPECT_TRUE(std::isinf(same.psnr));
    EXPECT_EQ(same.worstBlock, 0);

    // Every channel one level off: a mean squared error of 1.
    const FrameDifference offset = compareFrames(a, grey(21, 13, 101));
    EXPECT_NEAR(offset.psnr, 20 * std::log10(255.0), 1e-9);
    EXPECT_NEAR(offset.psnr, 48.13, 0.005);
    EXPECT_DOUBLE_EQ(offset.worstBlock, 1);

    // Green alone one level off: the error is averaged over the three channels.
    for (size_t i = 1; i < b.rgba.size(); i += 4) b.rgba[i] = 99;
    const FrameDifference green = compareFrames(a, b);
    EXPECT_NEAR(green.psnr, 20 * std::log10(255.0) + 10 * std::log10(3.0), 1e-9);
    EXPECT_DOUBLE_EQ(green.worstBlock, 1);
    EXPECT_EQ(green.channel, 'G');
}

TEST(FrameCompare, TheWorstBlockIsNamedByItsTopLeftCornerAsSeenAndItsChannel)
{
    // In the top row of blocks, third from the left, blue 20 levels up; elsewhere a lesser
    // change, one red pixel 30 up at the bottom-left.
    const Picture a = grey(32, 32, 50);
    Picture b = a;
    for (int y = 0; y < 8; ++y)
        for (int x = 16; x < 24; ++x) seen(b, x, y)[2] += 20;
    seen(b, 0, 31)[0] += 30;
    const FrameDifference d = compareFrames(a, b);
    EXPECT_DOUBLE_EQ(d.worstBlock, 20);
    EXPECT_EQ(d.blockX, 16);
    EXPECT_EQ(d.blockY, 0);
    EXPECT_EQ(d.channel, 'B');
    EXPECT_NEAR(d.psnr, 10 * std::log10(255.0 * 255 * 3 * 32 * 32 / (64 * 400 + 900)), 1e-9);
}

TEST(FrameCompare, APartBlockAtTheEdgesIsMeasuredOverThePixelsItHas)
{
    // 21 x 13: the bottom-right block is 5 x 5 pixels, from (16, 8).
    const Picture a = grey(21, 13, 200);
    Picture b = a;
    seen(b, 20, 12)[0] -= 50;
    const FrameDifference corner = compareFrames(a, b);
    EXPECT_DOUBLE_EQ(corner.worstBlock, 50.0 / 25);
    EXPECT_EQ(corner.blockX, 16);
    EXPECT_EQ(corner.blockY, 8);
    EXPECT_EQ(corner.channel, 'R');

    // The right edge's top block is 5 x 8.
    Picture c = a;
    seen(c, 18, 3)[1] -= 80;
    const FrameDifference edge = compareFrames(a, c);
    EXPECT_DOUBLE_EQ(edge.worstBlock, 80.0 / 40);
    EXPECT_EQ(edge.blockX, 16);
    EXPECT_EQ(edge.blockY, 0);
    EXPECT_EQ(edge.channel, 'G');
}

// Writes a picture, rows bottom up as the decoder gives them, as a PNG file.
void writePng(const std::string& path, const Picture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, picture.rgba.data(), -picture.width * 4, nullptr))
        << path;
}

TEST(FrameCompare, FoldersArePairedByNameAndEveryMismatchIsNamed)
{
    namespace fs = std::filesystem;
    const std::string dir = ::testing::TempDir() + "/frame-compare";
    const std::string a = dir + "/a", b = dir + "/b";
    fs::remove_all(dir);
    fs::create_directories(a);
    fs::create_directories(b);
    const Picture picture = grey(24, 16, 80);
    Picture changed = picture;
    for (int x = 0; x < 8; ++x) seen(changed, x, 0)[1] = 0;
    writePng(a + "/frame-2.png", picture);
    writePng(b + "/frame-2.png", changed);
    writePng(a + "/frame-1.png", picture);
    writePng(b + "/frame-1.png", picture);
    std::ofstream(a + "/notes.txt") << "not a frame";

    const FolderComparison compared = compareFolders(a, b);
    ASSERT_EQ(compared.problem, "");
    ASSERT_EQ(compared.frames.size(), 2u);
    EXPECT_EQ(compared.frames[0].name, "frame-1.png");
    EXPECT_TRUE(std::isinf(compared.frames[0].difference.psnr));
    EXPECT_EQ(compared.frames[1].name, "frame-2.png");
    EXPECT_DOUBLE_EQ(compared.frames[1].difference.worstBlock, 80.0 / 8);
    EXPECT_EQ(compared.frames[1].difference.blockY, 0);

    writePng(b + "/frame-3.png", grey(8, 8, 0));
    EXPECT_EQ(compareFolders(a, b).problem, a + " has no frame-3.png, which " + b + " has");
    EXPECT_EQ(compareFolders(b, a).problem, a + " has no frame-3.png, which " + b + " has");
    writePng(a + "/frame-3.png", grey(16, 8, 0));
    EXPECT_EQ(compareFolders(a, b).problem, a + "/frame-3.png is 16x8 but " + b + "/frame-3.png is 8x8");
    std::ofstream(b + "/frame-3.png") << "not a picture";
    const FolderComparison damaged = compareFolders(a, b);
    EXPECT_EQ(damaged.problem.rfind(b + "/frame-3.png ", 0), 0u) << damaged.problem;
    EXPECT_TRUE(damaged.frames.empty());
    EXPECT_EQ(compareFolders(a, dir + "/missing").problem,
              "cannot read the folder " + dir + "/missing: No such file or directory");
    fs::remove_all(dir);
}

}  // namespace
