// Pictures into textures, the full-screen draws and the render targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "GLContext.h"
#include "gfx/TextureFile.h"

namespace {

const std::string kGfx = ORVALE_GFX_DIR;
constexpr DrawState kPlain{};

TEST(Screen, PictureIsDrawnUprightOverTheViewport)
{
    resetDrawing();
    // The logo background: night sky at its top, the dark green field at its bottom.
    Result<Texture> sky = loadTexture(gfx(), kGfx + "/vaskel-logo_background.png", false);
    ASSERT_TRUE(sky) << sky.message();
    EXPECT_EQ(sky.value().settings().width, 1024);
    EXPECT_EQ(sky.value().settings().height, 512);
    screenQuad().draw(gfx(), kPlain.withTexture(sky.value().id()));
    const auto pixels = readPixels();
    const uint8_t* top = pixel(pixels, kSize / 2, kSize * 3 / 4);
    const uint8_t* bottom = pixel(pixels, kSize / 2, kSize / 8);
    EXPECT_GT(top[2], top[0]) << "the top is not the blue sky";
    EXPECT_GT(bottom[1], bottom[2]) << "the bottom is not the green field";
}

TEST(Screen, AMipmappedTextureMinifiesToItsAverage)
{
    // A checkerboard of single texels drawn on 5 x 5 pixels: from its mipmap chain an even
    // grey, while from its full size alone most pixels take mostly one texel, black or white.
    std::vector<uint8_t> texels(kSize * kSize * 4, 255);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if ((x + y) % 2) std::fill_n(texels.begin() + (y * kSize + x) * 4, 3, 0);
    for (const bool mipmapped : {true, false}) {
        const Texture checker =
            gfx().createTexture({.width = kSize, .height = kSize, .mipmapped = mipmapped, .repeat = true}, texels.data());
        resetDrawing();
        gfx().viewport(0, 0, 5, 5);
        screenQuad().draw(gfx(), kPlain.withTexture(checker.id()));
        gfx().viewport(0, 0, kSize, kSize);
        const auto pixels = readPixels();
        int grey = 0;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) grey += std::abs(pixel(pixels, x, y)[0] - 128) <= 8;
        if (mipmapped)
            EXPECT_EQ(grey, 25);
        else
            EXPECT_LT(grey, 12);
    }
}

TEST(Screen, RenderTargetHoldsItsPictureAndClearsAlone)
{
    Result<RenderTarget> made = gfx().createTarget(kSize, kSize);
    ASSERT_TRUE(made) << made.message();
    const RenderTarget& target = made.value();
    resetDrawing();

    // Clearing the window after the target leaves the target's picture as it was.
    gfx().bindTarget(&target);
    gfx().clear(0, 1, 0, 1);
    gfx().bindTarget(nullptr);
    gfx().clear(0, 0, 1, 1);
    auto pixels = readPixels();
    EXPECT_EQ(pixel(pixels, 5, 5)[2], 255);
    EXPECT_EQ(pixel(pixels, 5, 5)[1], 0);

    screenQuad().draw(gfx(), kPlain.withTexture(target.picture()));
    pixels = readPixels();
    EXPECT_EQ(pixel(pixels, 30, 30)[1], 255);
    EXPECT_EQ(pixel(pixels, 30, 30)[2], 0);
}

// Every pixel is drawn exactly once, by the grid (the colour's alpha kept) or by a sliver the
// sway leaves at an edge (alpha 0). At t = 1.4866 the left column and the bottom row sway
// inwards as far as they go, leaving slivers about a pixel wide.
TEST(Screen, RippledDrawCoversEveryPixelOnceTellingTheSliversApart)
{
    resetDrawing();
    gfx().clear(0, 0, 0, 0);
    gfx().colour(0.25f, 0.25f, 0.25f, 1);
    screenQuad().drawRippled(gfx(), {.blend = Blend::Additive}, 1.4866f, 1.01f);
    gfx().colour(1, 1, 1, 1);
    std::vector<uint8_t> pixels = readPixels();
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const uint8_t added = pixel(pixels, x, y)[0];
            ASSERT_TRUE(added == 64 || added == 0) << added << " at " << x << "," << y;  // once, or a sliver
        }

    gfx().clear(0, 0, 1, 1);
    screenQuad().drawRippled(gfx(), {}, 1.4866f, 1.01f);
    pixels = readPixels();
    int slivers = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            ASSERT_EQ(pixel(pixels, x, y)[0], 255) << "uncovered at " << x << "," << y;
            slivers += pixel(pixels, x, y)[3] == 0;
        }
    EXPECT_GE(slivers, kSize);         // a column and a row
    EXPECT_LT(slivers, 2 * kSize + 2);  // of a pixel each
    EXPECT_EQ(pixel(pixels, kSize / 2, kSize / 2)[3], 255);
}

TEST(Screen, MissingOrDamagedPictureIsRefusedNamingTheFile)
{
    Result<Texture> missing = loadTexture(gfx(), "data/gfx/no-such-picture.png", false);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.message().rfind("cannot load a picture: ", 0), 0u) << missing.message();
    EXPECT_NE(missing.message().find("no-such-picture.png is missing"), std::string::npos) << missing.message();

    const std::string notAPicture = ::testing::TempDir() + "/overlay.png";
    FILE* file = std::fopen(notAPicture.c_str(), "w");
    std::fputs("plain text, not a picture", file);
    std::fclose(file);
    Result<Texture> damaged = loadTexture(gfx(), notAPicture, false);
    ASSERT_FALSE(damaged);
    EXPECT_NE(damaged.message().find("overlay.png"), std::string::npos) << damaged.message();
}

TEST(Screen, RenderTargetTheDriverCannotDrawIntoIsRefused)
{
    Result<RenderTarget> empty = gfx().createTarget(0, 0);
    ASSERT_FALSE(empty);
    EXPECT_NE(empty.message().find("cannot draw into a 0x0 off-screen framebuffer"), std::string::npos)
        << empty.message();
}

TEST(Screen, TheContextIsTheOneAskedFor)
{
    const DeviceInfo info = gfx().info();
    EXPECT_EQ(info.profile, contextApi() == GLApi::ES ? "OpenGL ES" : "core profile") << info.version;
}

}  // namespace
