#pragma once

#include <cstdint>
#include <vector>

#include "gfx/Texture.h"

class Gfx;

// A texture computed pixel by pixel at load time: 8-bit RGBA, row-major from row 0, every
// pixel opaque (the scenes add these textures, so their brightness lives in R, G and B).
struct ProceduralTexture {
    int32_t width;
    int32_t height;
    Texture texture;
    std::vector<uint8_t> pixels;  // four bytes per pixel: R, G, B, A
    const char* name;

    // Every pixel opaque black.
    ProceduralTexture(int32_t w, int32_t h, const char* label);

    void setGrey(int x, int y, int g) { setColour(x, y, g, g, g); }
    void setColour(int x, int y, int r, int g, int b);
    const uint8_t* pixel(int x, int y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }

    // Creates the texture, with its mipmap chain, from the pixels.
    void upload(Gfx& g);
};

// The four textures, filled by their formulas. Plain computations, without GL.
void fillBigflare(ProceduralTexture& t);  // 512 x 512 large white glow, slow fall-off
void fillSurround(ProceduralTexture& t);  // 512 x 512 bluish interference grid of sine bands
void fillCircle(ProceduralTexture& t);    // 64 x 64 soft grey ring of radius 12.8 pixels
void fillFlare(ProceduralTexture& t);     // 32 x 32 white spot with a cubic fall-off

// The four textures the scenes share, filled and uploaded during loading.
struct ProceduralTextures {
    ProceduralTexture bigflare{512, 512, "bigflare"};
    ProceduralTexture surround{512, 512, "surround"};
    ProceduralTexture circle{64, 64, "circle"};
    ProceduralTexture flare{32, 32, "flare"};

    static ProceduralTextures build(Gfx& g);
};
