#pragma once

#include <cstdint>
#include <vector>

#include "gfx/FullScreenQuad.h"
#include "gfx/gl/GLDevice.h"
#include "gfx/Gfx.h"

// Every GL test runs in one hidden 64 x 64 OpenGL context (SDL's offscreen driver, Mesa):
// OpenGL 3.3 core, or OpenGL ES 3.0 when the tests are started with --gl es.
inline constexpr int kSize = 64;

// The drawing layer over that context, and the full-screen quad built in it.
Gfx& gfx();
const FullScreenQuad& screenQuad();
GLApi contextApi();

// The window framebuffer bound and cleared black, both matrices identity.
void resetDrawing();
// A texture of kSize x kSize filled with one colour.
Texture flatTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
// Reads the bound framebuffer's kSize x kSize pixels, RGBA, bottom row first.
std::vector<uint8_t> readPixels();
// The pixel at (x, y) counted from the bottom-left.
inline const uint8_t* pixel(const std::vector<uint8_t>& pixels, int x, int y)
{
    return pixels.data() + (static_cast<size_t>(y) * kSize + x) * 4;
}
