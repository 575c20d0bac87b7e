// Where a frame of the render size lands in a window's drawable: aspect kept, centred, bars on
// the sides that are left over.
#include <gtest/gtest.h>

#include "app/Presentation.h"

namespace {

TEST(FitFrame, KeepsTheAspectAndCentresTheFrame)
{
    const struct {
        int32_t frameWidth, frameHeight, drawableWidth, drawableHeight;
        PixelBox expected;
    } cases[] = {
        // The window of the render size: the frame as it is.
        {1024, 768, 1024, 768, {0, 0, 1024, 768}},
        // A 4:3 frame on a 5:4 screen: bars top and bottom.
        {1024, 768, 1280, 1024, {0, 32, 1280, 960}},
        // A 4:3 frame on a 16:9 screen: bars left and right.
        {1024, 768, 1920, 1080, {240, 0, 1440, 1080}},
        // A window made larger, and one made smaller than the frame.
        {320, 180, 640, 480, {0, 60, 640, 360}},
        {320, 180, 200, 300, {0, 93, 200, 113}},
        // A HiDPI drawable at twice the window's size.
        {1280, 720, 2560, 1440, {0, 0, 2560, 1440}},
        // One pixel too wide: the height limits, the odd pixel is left of centre.
        {800, 600, 1001, 750, {0, 0, 1000, 750}},
        // The largest sizes taken do not overflow.
        {7680, 4320, 7680, 4319, {1, 0, 7678, 4319}},
        // A minimised window has nothing to draw into.
        {1024, 768, 0, 0, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const PixelBox r = fitFrame(c.frameWidth, c.frameHeight, c.drawableWidth, c.drawableHeight);
        EXPECT_EQ(r, c.expected) << c.frameWidth << "x" << c.frameHeight << " in " << c.drawableWidth << "x"
                                 << c.drawableHeight << ": " << r.x << "," << r.y << " " << r.width << "x"
                                 << r.height;
    }
}

}  // namespace
