// Where the atlas places the characters of a system font, and their rectangles.
#include <gtest/gtest.h>

#include "text/SystemFontAtlas.h"

namespace {

TEST(FontAtlas, RowsOf58PixelsAndACounterThatWrapsAsAByte)
{
    std::array<int32_t, 256> widths;
    widths.fill(20);
    const auto places = layoutAtlas(widths, 58, 2);
    // 8 rows (tops 0, 58, ..., 406); each holds the characters whose right edge stays
    // inside 512 pixels: 20, 42, ..., 504 gives 23 a row.
    ASSERT_EQ(places.size(), 8u * 23u);
    EXPECT_EQ(places[0].top, 0);
    EXPECT_EQ(places.back().top, 406);
    EXPECT_EQ(places[23].code, 23);  // the second row continues the count
    EXPECT_EQ(places[23].left, 0);
    EXPECT_EQ(places[22].left, 22 * 22);

    // With wider characters the counter runs past 255 and starts again at 0.
    widths.fill(2);
    const auto many = layoutAtlas(widths, 58, 2);
    EXPECT_EQ(many[256].code, 0);
}

TEST(FontAtlas, RectanglesFollowThePlaces)
{
    std::array<int32_t, 256> widths;
    widths.fill(10);
    widths['A'] = 30;
    // Texture coordinates, v = 1 at the picture's top; the last place of a code counts.
    const std::vector<GlyphPlace> places = {{'A', 0, 0}, {'A', 100, 58}};
    float glyphs[256][8] = {};
    const float u0 = 100.0f / 512, u1 = 130.0f / 512, vTop = 1 - 58.0f / 512, vBottom = 1 - 116.0f / 512;
    const float expected[8] = {u0, vTop, u1, vTop, u1, vBottom, u0, vBottom};
    atlasRectangles(places, widths, 58, glyphs);
    for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(glyphs['A'][i], expected[i]);
}

}  // namespace
