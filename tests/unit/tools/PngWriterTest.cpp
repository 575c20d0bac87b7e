// The capture's PNG files: what is written reads back with libpng as the same 8-bit RGB
// bytes, top row first; a file that cannot be made or finished is a failure, not a crash.
#include "PngWriter.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// A picture of pseudo-random bytes: a swapped channel, a flipped row or a dropped column shows,
// and it does not compress, so a large one is large on disk too.
RgbPicture noise(int width, int height)
{
    RgbPicture picture(width, height, 0, 0, 0);
    uint32_t state = 12345;
    for (uint8_t& byte : picture.rgb) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(state >> 16);
    }
    return picture;
}

TEST(PngWriter, APictureReadsBackByteForByteAsRgbTopRowFirst)
{
    const std::string path = ::testing::TempDir() + "/png-writer.png";
    const RgbPicture written = noise(37, 11);
    ASSERT_TRUE(writePng(path, written));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
    EXPECT_EQ(image.width, 37u);
    EXPECT_EQ(image.height, 11u);
    EXPECT_EQ(image.format, static_cast<png_uint_32>(PNG_FORMAT_RGB));  // no alpha in the file
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> read(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, read.data(), 0, nullptr)) << image.message;
    EXPECT_EQ(read, written.rgb);
    std::filesystem::remove(path);
}

TEST(PngWriter, AFileThatCannotBeMadeOrFinishedFails)
{
    const RgbPicture picture = noise(16, 16);
    EXPECT_FALSE(writePng(::testing::TempDir() + "/no-such-folder/frame.png", picture));
    EXPECT_FALSE(std::filesystem::exists(::testing::TempDir() + "/no-such-folder"));
    EXPECT_FALSE(writePng(::testing::TempDir(), picture));  // a folder
    if (std::filesystem::exists("/dev/full")) {
        // A full disk: the few bytes stay in stdio's buffer until the file is closed.
        EXPECT_FALSE(writePng("/dev/full", picture));
        // A large one fails while libpng is still writing, at the first buffer stdio passes on.
        EXPECT_FALSE(writePng("/dev/full", noise(640, 480)));
    }
    // Nothing to write is refused rather than written as a broken file.
    EXPECT_FALSE(writePng(::testing::TempDir() + "/empty.png", RgbPicture{}));
    EXPECT_FALSE(std::filesystem::exists(::testing::TempDir() + "/empty.png"));
}

}  // namespace
