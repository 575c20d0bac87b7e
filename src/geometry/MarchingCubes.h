#pragma once

#include <array>
#include <cstdint>

// The marching-cubes lookup tables. A cell's corners are numbered 0-3 around its lower face
// (in y) and 4-7 above them; case index bit c is set when corner c lies below the iso level.

// The twelve edges of a cell, each as its two corners in the order used for interpolation.
inline constexpr int kEdgeCorners[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                            {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

// For each case, bit e set when edge e joins a corner below the iso level to one that is
// not: the edges the surface crosses.
inline constexpr std::array<uint32_t, 256> kEdgeTable = [] {
    std::array<uint32_t, 256> table{};
    for (uint32_t c = 0; c < 256; ++c)
        for (int e = 0; e < 12; ++e)
            if (((c >> kEdgeCorners[e][0]) & 1u) != ((c >> kEdgeCorners[e][1]) & 1u)) table[c] |= 1u << e;
    return table;
}();

// For each case up to five triangles, as edge numbers three at a time, ended by -1.
extern const int8_t kTriangleTable[256][16];
