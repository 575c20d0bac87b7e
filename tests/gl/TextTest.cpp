// The system font atlas from a real face, and the bitmap font's lines.
#include <gtest/gtest.h>

#include "GLContext.h"
#include "gfx/TextureFile.h"
#include "text/BitmapFont.h"
#include "text/SystemFontAtlas.h"

namespace {

TEST(SystemFontAtlas, RasterisesTheMatchedFaceIntoRowsOf58Pixels)
{
    ::testing::internal::CaptureStderr();
    SystemFontAtlas atlas(gfx(), "Verdana", 44, false, false, "");
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(atlas.texture.id()) << said;
    EXPECT_FALSE(atlas.faceUsed.empty());
    if (atlas.faceUsed != "Verdana") {  // the fallback is named
        EXPECT_NE(said.find(atlas.faceUsed), std::string::npos) << said;
    }
    EXPECT_EQ(atlas.cellHeight, 58);
    // A 44-pixel cell: capitals some 25 to 35 pixels wide, narrow letters narrower.
    EXPECT_GT(atlas.widths['M'], 25);
    EXPECT_LT(atlas.widths['M'], 45);
    EXPECT_LT(atlas.widths['i'], atlas.widths['M']);
    const float* a = atlas.glyphs['A'];
    EXPECT_NEAR((a[2] - a[0]) * 512, atlas.widths['A'], 1e-3);
    EXPECT_NEAR((a[1] - a[5]) * 512, 58, 1e-3);

    // The glyph's rectangle holds ink: 'A' drawn from its texture coordinates over the viewport.
    resetDrawing();
    ortho(gfx().projection.top(), 0, 1, 0, 1, -1, 1);
    gfx().begin(Primitive::Quads, DrawState{.texture = atlas.texture.id()});
    for (const auto& [x, y, k] : {std::tuple{0, 0, 6}, {1, 0, 4}, {1, 1, 2}, {0, 1, 0}}) {
        gfx().texCoord(a[k], a[k + 1]);
        gfx().vertex(static_cast<float>(x), static_cast<float>(y), 0);
    }
    gfx().end();
    const auto pixels = readPixels();
    int ink = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) ink += pixels[i] > 128;
    EXPECT_GT(ink, kSize * kSize / 10);
    EXPECT_LT(ink, kSize * kSize * 9 / 10);
}

TEST(BitmapFont, WritesTheCellsAndAdvancesByFive)
{
    Result<Texture> picture = loadTexture(gfx(), ORVALE_GFX_DIR "/fontbrs1b.png", false);
    ASSERT_TRUE(picture) << picture.message();
    const BitmapFont font(picture.take(), 9, 5.0);
    resetDrawing();
    beginOrtho(gfx(), kSize, kSize);
    gfx().modelView.translate(2, 20, 0);
    gfx().modelView.scale(2, 2, 1);
    // A code below 32 draws nothing and does not move the pen.
    font.write(gfx(), DrawState{.blend = Blend::Alpha}, "H\x01 H");
    endOrtho(gfx());
    const auto pixels = readPixels();
    // "H" at x 2 to 20, the space from 12, the second "H" from 22: ink in both, none between.
    auto inkIn = [&](int x0, int x1) {
        int count = 0;
        for (int y = 20; y < 38; ++y)
            for (int x = x0; x < x1; ++x) count += pixel(pixels, x, y)[0] > 128;
        return count;
    };
    EXPECT_GT(inkIn(2, 12), 10);
    EXPECT_GT(inkIn(22, 32), 10);
    EXPECT_EQ(inkIn(13, 21), 0);
}

}  // namespace
