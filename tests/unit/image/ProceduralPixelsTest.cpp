// The four pictures computed at load time: known pixels, every one opaque.
#include <gtest/gtest.h>

#include <cmath>

#include "image/ProceduralPixels.h"

namespace {

int grey(const ProceduralPixels& t, int x, int y) { return t.pixel(x, y)[0]; }

void expectOpaque(const ProceduralPixels& t)
{
    for (size_t i = 3; i < t.pixels.size(); i += 4) ASSERT_EQ(t.pixels[i], 255) << t.name;
}

TEST(ProceduralPixels, KnownPixelsAndAllOpaque)
{
    ProceduralPixels flare(32, 32, "flare"), bigflare(512, 512, "bigflare"), circle(64, 64, "circle"),
        surround(512, 512, "surround");
    fillFlare(flare);
    fillBigflare(bigflare);
    fillCircle(circle);
    fillSurround(surround);
    for (const ProceduralPixels* t : {&flare, &bigflare, &circle, &surround}) expectOpaque(*t);

    EXPECT_EQ(grey(flare, 16, 16), 255);
    EXPECT_EQ(grey(flare, 0, 0), 0);
    EXPECT_EQ(grey(flare, 16, 0), 0);
    EXPECT_EQ(grey(flare, 20, 16), static_cast<int>(255 * std::pow(0.75f, 3.0f)));
    EXPECT_EQ(grey(bigflare, 256, 256), 255);
    EXPECT_EQ(grey(bigflare, 0, 256), 0);
    EXPECT_EQ(grey(bigflare, 0, 0), 0);
    EXPECT_EQ(grey(bigflare, 511, 511), 0);
    EXPECT_EQ(grey(circle, 32, 32), 46);
    EXPECT_EQ(grey(circle, 32 + 13, 32), 250);  // next to the ring of radius 12.8
    EXPECT_EQ(grey(circle, 0, 0), 0);
    const uint8_t* centre = surround.pixel(256, 256);
    EXPECT_EQ(centre[0], 0);
    EXPECT_EQ(centre[1], 0);
    EXPECT_EQ(centre[2], 20);
    const uint8_t* band = surround.pixel(256 + 26, 256 + 26);  // both sines at their peak
    EXPECT_EQ(band[0], 163);
    EXPECT_EQ(band[2], band[0] + 20);
}

}  // namespace
