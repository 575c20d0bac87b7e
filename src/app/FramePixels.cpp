#include "app/FramePixels.h"

#include <algorithm>

#include "gfx/Gfx.h"

void readFrame(Gfx& g, int32_t width, int32_t height, std::vector<uint8_t>& rgba)
{
    rgba.resize(static_cast<size_t>(width) * height * 4);
    g.readPixels({0, 0, width, height}, rgba.data());
}

std::vector<uint8_t> flipRows(const uint8_t* rows, int32_t height, size_t bytesPerRow)
{
    std::vector<uint8_t> flipped(static_cast<size_t>(height) * bytesPerRow);
    for (int32_t y = 0; y < height; ++y)
        std::copy_n(rows + static_cast<size_t>(height - 1 - y) * bytesPerRow, bytesPerRow,
                    flipped.data() + static_cast<size_t>(y) * bytesPerRow);
    return flipped;
}
