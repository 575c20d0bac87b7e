#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Gfx;

// The frame of width x height just drawn into the bound framebuffer, as RGBA bytes, bottom row
// first as GL reads them.
void readFrame(Gfx& g, int32_t width, int32_t height, std::vector<uint8_t>& rgba);
// Rows of `bytesPerRow` bytes in the other order: GL's bottom-first into a picture's top-first.
std::vector<uint8_t> flipRows(const uint8_t* rows, int32_t height, size_t bytesPerRow);
