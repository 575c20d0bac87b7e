// Lines as the rasteriser draws them: smooth lines are rectangles w + 1 pixels wide (2 for
// w <= 1), lengthened by half a pixel at each end, fading over their outer pixel; lines
// without smoothing cover w pixels along the minor axis; both clipped to the view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "GLContext.h"

namespace {

constexpr DrawState kAdded{.blend = Blend::Additive};

// A pixel grid: ortho over the viewport, one unit a pixel, white.
void pixelGrid()
{
    resetDrawing();
    ortho(gfx().projection.top(), 0, kSize, 0, kSize, -1, 1);
    gfx().colour(1, 1, 1, 1);
}

void line(const DrawState& state, float x0, float y0, float x1, float y1)
{
    gfx().begin(Primitive::Lines, state);
    gfx().vertex(x0, y0, 0);
    gfx().vertex(x1, y1, 0);
    gfx().end();
}

// The red of the pixels of column x, rows from..to.
std::vector<int> column(const std::vector<uint8_t>& pixels, int x, int from, int to)
{
    std::vector<int> reds;
    for (int y = from; y <= to; ++y) reds.push_back(pixel(pixels, x, y)[0]);
    return reds;
}

TEST(Lines, SmoothLinesFadeOverTheirOuterPixel)
{
    DrawState smooth = kAdded;
    smooth.smoothLines = true;
    // Width 2 through the centres of row 32: half width 1.5, so rows 31 and 33 at half.
    pixelGrid();
    smooth.lineWidth = 2;
    line(smooth, 8.5f, 32.5f, 56.5f, 32.5f);
    auto pixels = readPixels();
    const std::vector<int> across = column(pixels, 30, 29, 35);
    EXPECT_EQ(across[0], 0);
    EXPECT_EQ(across[1], 0);
    EXPECT_NEAR(across[2], 128, 1);
    EXPECT_EQ(across[3], 255);
    EXPECT_NEAR(across[4], 128, 1);
    EXPECT_EQ(across[5], 0);
    // At its ends, on pixel centres, half strength; a pixel on, nothing; a pixel in, full.
    EXPECT_NEAR(pixel(pixels, 56, 32)[0], 128, 1);
    EXPECT_EQ(pixel(pixels, 57, 32)[0], 0);
    EXPECT_NEAR(pixel(pixels, 8, 32)[0], 128, 1);
    EXPECT_EQ(pixel(pixels, 9, 32)[0], 255);

    // Width 1 between two rows of centres: both at half.
    pixelGrid();
    smooth.lineWidth = 1;
    line(smooth, 8, 32, 56, 32);
    pixels = readPixels();
    EXPECT_NEAR(pixel(pixels, 30, 31)[0], 128, 1);
    EXPECT_NEAR(pixel(pixels, 30, 32)[0], 128, 1);
    EXPECT_EQ(pixel(pixels, 30, 30)[0], 0);
    EXPECT_EQ(pixel(pixels, 30, 33)[0], 0);
}

TEST(Lines, LinesWithoutSmoothingAreWideAlongTheMinorAxis)
{
    DrawState wide = kAdded;
    wide.lineWidth = 3;
    // Mostly along x: three rows tall at every column; mostly along y: three columns wide.
    pixelGrid();
    line(wide, 8, 20.5f, 56, 30.5f);
    auto pixels = readPixels();
    for (const int x : {12, 30, 50}) {
        int covered = 0;
        for (int y = 0; y < kSize; ++y) covered += pixel(pixels, x, y)[0] == 255;
        EXPECT_EQ(covered, 3) << "column " << x;
    }
    pixelGrid();
    line(wide, 20.5f, 8, 30.5f, 56);
    pixels = readPixels();
    for (const int y : {12, 30, 50}) {
        int covered = 0;
        for (int x = 0; x < kSize; ++x) covered += pixel(pixels, x, y)[0] == 255;
        EXPECT_EQ(covered, 3) << "row " << y;
    }
}

TEST(Lines, ALoopOfTwoPointsGoesThereAndBack)
{
    DrawState faint = kAdded;
    faint.smoothLines = true;
    faint.lineWidth = 2;
    pixelGrid();
    gfx().colour(1, 1, 1, 0.25f);
    line(faint, 8, 32.5f, 56, 32.5f);
    const int once = pixel(readPixels(), 30, 32)[0];
    pixelGrid();
    gfx().colour(1, 1, 1, 0.25f);
    gfx().begin(Primitive::LineLoop, faint);
    gfx().vertex(8, 32.5f, 0);
    gfx().vertex(56, 32.5f, 0);
    gfx().end();
    EXPECT_NEAR(pixel(readPixels(), 30, 32)[0], 2 * once, 1);
    EXPECT_NEAR(once, 64, 1);
}

TEST(Lines, ALineThroughTheEyeIsClippedToWhatIsInFront)
{
    // From ten units in front of the eye to ten behind it: what is drawn is the part between
    // the far point and the near plane, as that part alone draws it.
    auto draw = [](float nearEnd) {
        resetDrawing();
        perspective(gfx().projection.top(), 90, 1, 1, 100);
        gfx().colour(1, 1, 1, 1);
        DrawState smooth = kAdded;
        smooth.smoothLines = true;
        smooth.lineWidth = 2;
        gfx().begin(Primitive::Lines, smooth);
        gfx().vertex(0.2f, -0.3f, -10);
        gfx().vertex(0.2f, -0.3f, nearEnd);
        gfx().end();
        return readPixels();
    };
    const auto through = draw(10), inFront = draw(-1);
    int lit = 0, worst = 0;
    for (size_t i = 0; i < through.size(); i += 4) {
        lit += through[i] > 0;
        worst = std::max(worst, std::abs(through[i] - inFront[i]));
    }
    EXPECT_GT(lit, 10);
    EXPECT_LE(worst, 1);
}

}  // namespace
