#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A decoded picture: 8-bit RGBA, rows from the bottom of the picture up, as OpenGL takes them.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;

    // The pixel at column x of row y counted from the bottom.
    const uint8_t* at(int x, int y) const { return rgba.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

// Decodes a PNG or JPEG file. On failure returns false and says why in error.
bool decodePicture(const std::string& path, Picture& out, std::string& error);
