// The system font atlas from a real face, and the bitmap font's display lists.
#include <gtest/gtest.h>

#include "GLContext.h"
#include "gfx/FullScreenQuad.h"
#include "gfx/TextureFile.h"
#include "text/BitmapFont.h"
#include "text/SystemFontAtlas.h"

namespace {

TEST(SystemFontAtlas, RasterisesTheMatchedFaceIntoRowsOf58Pixels)
{
    ::testing::internal::CaptureStderr();
    SystemFontAtlas atlas("Verdana", 44, false, false);
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(atlas.texture.get(), 0u) << said;
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

    // The glyph's rectangle holds ink: sample the texture under 'A'.
    glBindTexture(GL_TEXTURE_2D, atlas.texture.get());
    std::vector<uint8_t> texels(512 * 512 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    int ink = 0;
    for (int y = static_cast<int>(a[5] * 512); y < static_cast<int>(a[1] * 512); ++y)
        for (int x = static_cast<int>(a[0] * 512); x < static_cast<int>(a[2] * 512); ++x)
            ink += texels[(static_cast<size_t>(y) * 512 + x) * 4 + 3] > 128;
    EXPECT_GT(ink, 50);
}

TEST(BitmapFont, ListsDrawTheCellsAndAdvanceByFive)
{
    Result<Texture> picture = loadTexture(ORVALE_GFX_DIR "/fontbrs1b.png", false);
    ASSERT_TRUE(picture) << picture.message();
    const BitmapFont font(picture.take(), 9, 5.0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    beginOrtho(kSize, kSize);
    glTranslatef(2, 20, 0);
    glScalef(2, 2, 1);
    glListBase(font.listBase() - 32);
    const char text[] = "H H";
    glCallLists(3, GL_UNSIGNED_BYTE, text);
    endOrtho();
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
    glDisable(GL_BLEND);
}

}  // namespace
