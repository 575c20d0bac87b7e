#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A picture in memory as the capture writes it: 8-bit red, green and blue, no alpha, rows from
// the top of the picture down, no padding between rows.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3 bytes

    RgbPicture() = default;
    // A picture of one colour.
    RgbPicture(int width, int height, uint8_t red, uint8_t green, uint8_t blue)
        : width(width), height(height), rgb(static_cast<size_t>(width) * height * 3)
    {
        for (size_t i = 0; i < rgb.size(); i += 3) {
            rgb[i] = red;
            rgb[i + 1] = green;
            rgb[i + 2] = blue;
        }
    }

    // The pixel at column x of row y counted from the top.
    uint8_t* at(int x, int y) { return rgb.data() + (static_cast<size_t>(y) * width + x) * 3; }
    const uint8_t* at(int x, int y) const { return rgb.data() + (static_cast<size_t>(y) * width + x) * 3; }
};
