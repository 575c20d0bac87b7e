#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A picture computed pixel by pixel at load time: 8-bit RGBA, row-major from row 0, every
// pixel opaque (the scenes add these pictures, so their brightness lives in R, G and B).
struct ProceduralPixels {
    int32_t width;
    int32_t height;
    std::vector<uint8_t> pixels;  // four bytes per pixel: R, G, B, A
    const char* name;

    // Every pixel opaque black.
    ProceduralPixels(int32_t w, int32_t h, const char* label);

    void setGrey(int x, int y, int g) { setColour(x, y, g, g, g); }
    void setColour(int x, int y, int r, int g, int b);
    const uint8_t* pixel(int x, int y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

// The four pictures, filled by their formulas.
void fillBigflare(ProceduralPixels& t);  // 512 x 512 large white glow, slow fall-off
void fillSurround(ProceduralPixels& t);  // 512 x 512 bluish interference grid of sine bands
void fillCircle(ProceduralPixels& t);    // 64 x 64 soft grey ring of radius 12.8 pixels
void fillFlare(ProceduralPixels& t);     // 32 x 32 white spot with a cubic fall-off
