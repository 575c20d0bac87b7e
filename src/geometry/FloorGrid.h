#pragma once

#include <vector>

#include "gfx/Gfx.h"
#include "math/Vec3.h"

// One vertex of the floor: brightness as a grey colour, position, normal (always up) and
// texture coordinate.
struct GridVertex {
    Vec3 colour;
    Vec3 position;
    Vec3 normal;
    float s, t;
};

// The floor shared by several scenes: a square grid in the XZ plane whose brightness fades
// from 1 at the centre to 0 at the rim of its inscribed circle (and stays 0 outside it).
struct FloorGrid {
    std::vector<GridVertex> vertices;  // row-major, rows × columns
    int columns = 0;
    int rows = 0;
    int count = 0;
};

void buildFloorGrid(FloorGrid& grid, int columns, int rows, float fadeExponent, float size, float height,
                    float textureScale);
// Rows of triangle strips, each vertex in its brightness at the given alpha, with the
// caller's state (texture, blending, depth, fog).
void drawFloorGrid(Gfx& g, const DrawState& state, const FloorGrid& grid, float alpha);
