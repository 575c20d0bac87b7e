// The generated pictures: present, decodable by the intro's own decoder, and fit for the
// roles the scenes give them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "image/PictureFile.h"

namespace {

const std::string kGfx = ORVALE_GFX_DIR;

Picture load(const std::string& name)
{
    Result<Picture> picture = decodePicture(kGfx + "/" + name);
    EXPECT_TRUE(picture) << picture.message();
    return picture ? picture.take() : Picture{};
}

TEST(Pictures, EveryPictureDecodesAtItsPlannedSize)
{
    const struct {
        const char* name;
        int width, height;
    } planned[] = {
        {"fontbrs1b.png", 1024, 256},   {"vaskel-logo_background.png", 1024, 512},
        {"vaskel-logo_foreground.png", 1024, 1024}, {"overlay.png", 1024, 512},
        {"flash.png", 512, 512},        {"tunnel3.jpg", 512, 512},
        {"speech1.png", 1024, 320},     {"speech2.png", 1024, 320},
        {"speech3.png", 1024, 320},     {"speech4.png", 1024, 320},
        {"speech5a.png", 1024, 320},    {"speech5b.png", 1024, 320},
        {"speech5c.png", 1024, 320},    {"orvale_25.png", 886, 1024},
    };
    for (const auto& p : planned) {
        const Picture picture = load(p.name);
        EXPECT_EQ(picture.width, p.width) << p.name;
        EXPECT_EQ(picture.height, p.height) << p.name;
    }
    // The JPEG really is one (the decoder goes by the content, but the name must not lie).
    std::ifstream jpeg(kGfx + "/tunnel3.jpg", std::ios::binary);
    EXPECT_EQ(jpeg.get(), 0xff);
    EXPECT_EQ(jpeg.get(), 0xd8);
}

TEST(Pictures, FontInkStaysInTheLeftFiveNinthsOfEachCell)
{
    const Picture font = load("fontbrs1b.png");
    const int cell = font.width / 16;
    ASSERT_EQ(font.height, cell * 4);
    for (int i = 0; i < 64; ++i) {
        const int code = 32 + i;
        const int left = (i % 16) * cell;
        const int top = (i / 16) * cell;  // rows counted from the picture's top
        int ink = 0, outside = 0, grey = 0;
        for (int y = top; y < top + cell; ++y) {
            for (int x = left; x < left + cell; ++x) {
                const uint8_t* p = font.at(x, font.height - 1 - y);
                if (p[3] == 0) continue;
                ++ink;
                if ((x - left) * 9 >= cell * 5) ++outside;
                if (p[3] > 128 && (p[0] < 250 || p[1] < 250 || p[2] < 250)) ++grey;
            }
        }
        EXPECT_EQ(outside, 0) << "character " << code << " reaches past five ninths of its cell";
        EXPECT_EQ(grey, 0) << "character " << code << " is not white";
        if (code == ' ') {
            EXPECT_EQ(ink, 0) << "the space cell is not empty";
        }
        if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
            EXPECT_GT(ink, 100) << "character " << code << " has no glyph";
        }
    }
}

TEST(Pictures, OverlayIsWhiteInTheMiddleAndBrightOverall)
{
    const Picture overlay = load("overlay.png");
    double sum = 0;
    for (int y = 0; y < overlay.height; ++y)
        for (int x = 0; x < overlay.width; ++x) {
            const uint8_t* p = overlay.at(x, y);
            sum += (p[0] + p[1] + p[2]) / 3.0;
            ASSERT_EQ(p[3], 255);
        }
    EXPECT_GE(sum / (overlay.width * overlay.height) / 255.0, 0.85);
    // The centre rows, whatever their scanline phase, are within 4 % of white.
    for (int y = overlay.height / 2 - 2; y < overlay.height / 2 + 2; ++y)
        EXPECT_GE(overlay.at(overlay.width / 2, y)[0], 245);
    EXPECT_LT(overlay.at(0, 0)[0], 230);  // the corners are darker
}

// The invitation's lines fly over the closing poster's rows 47 to 882 (from the top): there it
// is a dark sky with nothing bright, no lettering, no fire; the logotype stands below them.
TEST(Pictures, PosterKeepsItsLetteringOutOfTheLinesOfText)
{
    const Picture poster = load("orvale_25.png");
    ASSERT_EQ(poster.height, 1024);
    auto brightness = [&](int x, int top) {
        const uint8_t* p = poster.at(x, poster.height - 1 - top);
        return (p[0] + p[1] + p[2]) / 3.0;
    };
    // Columns inside the card's red border.
    const int left = 16, right = poster.width - 16;
    double sum = 0;
    int count = 0, bright = 0;
    for (int top = 47; top <= 882; ++top)
        for (int x = left; x < right; ++x, ++count) {
            sum += brightness(x, top);
            bright += brightness(x, top) > 160;
        }
    EXPECT_LT(sum / count, 35.0) << "the sky behind the lines is not dark";
    EXPECT_EQ(bright, 0) << "bright pixels behind the lines";
    int lettering = 0;
    for (int top = 883; top < poster.height - 16; ++top)
        for (int x = left; x < right; ++x) lettering += brightness(x, top) > 160;
    EXPECT_GT(lettering, 2000) << "no logotype in the strip below the lines";
}

TEST(Pictures, TunnelWallTilesWithoutSeams)
{
    const Picture wall = load("tunnel3.jpg");
    auto meanDifference = [&wall](auto pixelA, auto pixelB, int count) {
        double sum = 0;
        for (int i = 0; i < count; ++i)
            for (int c = 0; c < 3; ++c) sum += std::abs(pixelA(i)[c] - pixelB(i)[c]);
        return sum / (count * 3);
    };
    const int w = wall.width, h = wall.height;
    // Across the left/right seam and across the top/bottom seam the picture changes no more
    // than between two neighbouring columns or rows inside it.
    const double acrossColumns = meanDifference([&](int y) { return wall.at(w - 1, y); },
                                                [&](int y) { return wall.at(0, y); }, h);
    const double acrossRows = meanDifference([&](int x) { return wall.at(x, h - 1); },
                                             [&](int x) { return wall.at(x, 0); }, w);
    double inside = 0;
    for (int x = 1; x < w; ++x)
        inside += meanDifference([&](int y) { return wall.at(x - 1, y); }, [&](int y) { return wall.at(x, y); }, h);
    inside /= w - 1;
    EXPECT_LE(acrossColumns, inside + 2.0);
    EXPECT_LE(acrossRows, inside + 2.0);
    // Bright metal: the mean is well above mid-grey.
    double sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) sum += wall.at(x, y)[0];
    EXPECT_GT(sum / (w * h), 150.0);
}

TEST(Pictures, LayersOverOtherPicturesAreTransparentAtTheirCorners)
{
    for (const char* name : {"vaskel-logo_background.png", "vaskel-logo_foreground.png", "speech1.png", "speech2.png",
                             "speech3.png", "speech4.png", "speech5a.png", "speech5b.png", "speech5c.png"}) {
        const Picture picture = load(name);
        const int w = picture.width - 1, h = picture.height - 1;
        for (auto [x, y] : {std::pair{0, 0}, std::pair{w, 0}, std::pair{0, h}, std::pair{w, h}})
            EXPECT_EQ(picture.at(x, y)[3], 0) << name << " at " << x << "," << y;
        // And opaque somewhere along the middle row: there is something to see.
        int opaque = 0;
        for (int x = 0; x < picture.width; ++x) opaque += picture.at(x, picture.height / 2)[3] == 255;
        EXPECT_GT(opaque, picture.width / 4) << name;
    }
}

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Pictures, BadFilesAreRefusedWithTheirNameAndReason)
{
    const std::string dir = ::testing::TempDir() + "/bad-pictures";
    std::filesystem::create_directories(dir);
    const std::string png = bytesOf(kGfx + "/flash.png");
    const std::string jpeg = bytesOf(kGfx + "/tunnel3.jpg");
    auto patched = [](std::string bytes, size_t at, std::initializer_list<int> values) {
        for (int v : values) bytes[at++] = static_cast<char>(v);
        return bytes;
    };
    // The JPEG's frame header: its offset, then height and width 3 and 5 bytes after the length.
    const size_t frame = jpeg.find("\xff\xc0");
    const size_t scan = jpeg.find("\xff\xda");
    ASSERT_NE(frame, std::string::npos);
    ASSERT_NE(scan, std::string::npos);

    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty.png", "", "is empty"},
        {"text.png", "just some words, not a picture\n", "is not a PNG or JPEG picture"},
        {"gif.png", "GIF89a\x01\x00\x01\x00", "is not a PNG or JPEG picture"},
        {"half.png", png.substr(0, png.size() / 2), "is cut short"},
        {"signature-only.png", png.substr(0, 8), "damaged PNG"},
        {"half.jpg", jpeg.substr(0, jpeg.size() / 2), "is cut short"},
        {"headers-only.jpg", jpeg.substr(0, frame + 4), "is cut short"},
        // A marker inside the scan whose segment would run 20 KB past the end, then the end:
        // left to the decoder, it would wait for that data for ever.
        {"segment-past-end.jpg", jpeg.substr(0, scan + 40) + "\xff\xe0\x51\xb7\xff\xd9", "is cut short"},
        {"no-scan.jpg", jpeg.substr(0, scan) + "\xff\xd9", "no image before its end"},
        // IHDR's width and height (big-endian at 16 and 20): absurd, zero, just too wide.
        {"huge.png", patched(png, 16, {0x7f, 0xff, 0xff, 0xff, 0x7f, 0xff, 0xff, 0xff}), "claims a size of 2147483647 x"},
        {"zero.png", patched(png, 16, {0, 0, 0, 0}), "claims a size of 0 x 512"},
        {"wide.png", patched(png, 16, {0, 0, 0x10, 0x01}), "claims a size of 4097 x 512"},
        {"huge.jpg", patched(jpeg, frame + 5, {0xff, 0xff, 0xff, 0xff}), "claims a size of 65535 x 65535"},
        // A PNG whose image data is garbage, though every chunk is in place.
        {"garbage.png", patched(png, 60, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}), "damaged PNG"},
    };
    for (const auto& c : cases) {
        const std::string path = dir + "/" + c.name;
        std::ofstream(path, std::ios::binary) << c.bytes;
        const Result<Picture> picture = decodePicture(path);
        EXPECT_FALSE(picture) << c.name;
        EXPECT_EQ(picture.message().rfind(path + " ", 0), 0u) << picture.message();
        EXPECT_NE(picture.message().find(c.reason), std::string::npos) << c.name << ": " << picture.message();
    }

    EXPECT_EQ(decodePicture(kGfx + "/no-such-picture.png").message(), kGfx + "/no-such-picture.png is missing");
    const Result<Picture> folder = decodePicture(dir);
    EXPECT_FALSE(folder);
    EXPECT_NE(folder.message().find("cannot be read"), std::string::npos) << folder.message();

    // A picture under another format's name is read by its content.
    const std::string misnamed = dir + "/really-a-png.jpg";
    std::ofstream(misnamed, std::ios::binary) << png;
    const Result<Picture> picture = decodePicture(misnamed);
    ASSERT_TRUE(picture) << picture.message();
    EXPECT_EQ(picture.value().width, 512);
    EXPECT_EQ(picture.value().height, 512);
    std::filesystem::remove_all(dir);
}

TEST(Pictures, GeneratorGivesTheSameBytesEveryRun)
{
    const std::string dir = ::testing::TempDir() + "/pictures-again";
    std::filesystem::create_directories(dir);
    const std::string command =
        std::string(ORVALE_PICTURES_TOOL) + " " + dir + " " + dir + "/banner.png " + dir + "/icon.png";
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kGfx)) {
        const std::string name = entry.path().filename();
        EXPECT_EQ(bytes(entry.path()), bytes(dir + "/" + name)) << name << " differs between two runs";
        ++compared;
    }
    EXPECT_EQ(compared, 14);
    EXPECT_EQ(bytes(std::string(ORVALE_BANNER)), bytes(dir + "/banner.png"));
    EXPECT_EQ(bytes(std::string(ORVALE_ICON)), bytes(dir + "/icon.png"));
    std::filesystem::remove_all(dir);
}

}  // namespace
