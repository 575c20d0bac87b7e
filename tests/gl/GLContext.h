#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "gfx/FullScreenQuad.h"

// Every GL test runs in one hidden 64 x 64 OpenGL context (SDL's offscreen driver, Mesa).
inline constexpr int kSize = 64;

// The full-screen quad, built once in the context.
const FullScreenQuad& screenQuad();

// Plain drawing state: no program, blending or lighting, 2D texturing on, white, the window
// framebuffer cleared black.
void resetDrawingState();
// A texture of kSize x kSize filled with one colour, or with a colour per pixel.
GLuint flatTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
// Reads the window framebuffer's pixels, RGBA, bottom row first.
std::vector<uint8_t> readPixels();
// The pixel at (x, y) counted from the bottom-left.
inline const uint8_t* pixel(const std::vector<uint8_t>& pixels, int x, int y)
{
    return pixels.data() + (static_cast<size_t>(y) * kSize + x) * 4;
}
