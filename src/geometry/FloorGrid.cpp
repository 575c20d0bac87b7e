#include "geometry/FloorGrid.h"

#include <cmath>

void buildFloorGrid(FloorGrid& grid, int columns, int rows, float fadeExponent, float size, float height,
                    float textureScale)
{
    grid.columns = columns;
    grid.rows = rows;
    grid.count = columns * rows;
    grid.vertices.assign(static_cast<size_t>(grid.count), GridVertex{});
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            const float u = static_cast<float>(i) / columns, v = static_cast<float>(j) / rows;
            const float du = u - 0.5f, dv = v - 0.5f;
            const float r = std::sqrt(du * du + dv * dv);
            // Outside the inscribed circle the fade has no real value: those corners are dark.
            const float base = 2.0f * (0.5f - r);
            const float b = base > 0 ? static_cast<float>(std::pow(base, fadeExponent)) : 0.0f;
            grid.vertices[static_cast<size_t>(j) * columns + i] = {
                {b, b, b}, {du * size, height, dv * size}, {0, 1, 0}, u * textureScale, v * textureScale};
        }
}

void drawFloorGrid(Gfx& g, const DrawState& state, const FloorGrid& grid, float alpha)
{
    if (!g.drawing()) {
        // Without drawing, only what the last vertex sets carries on to the frames after.
        if (grid.rows < 2 || grid.columns < 1) return;
        const GridVertex& v = grid.vertices[static_cast<size_t>(grid.count) - 1];
        g.colour(v.colour, alpha);
        g.normal(v.normal.x, v.normal.y, v.normal.z);
        g.texCoord(v.s, v.t);
        return;
    }
    for (int j = 0; j + 1 < grid.rows; ++j) {
        g.begin(Primitive::TriangleStrip, state);
        for (int i = 0; i < grid.columns; ++i)
            for (int row : {j, j + 1}) {
                const GridVertex& v = grid.vertices[static_cast<size_t>(row) * grid.columns + i];
                g.colour(v.colour, alpha);
                g.normal(v.normal.x, v.normal.y, v.normal.z);
                g.texCoord(v.s, v.t);
                g.vertex(v.position);
            }
        g.end();
    }
}
