#include "gfx/FullScreenQuad.h"

#include <array>
#include <utility>

FullScreenQuad FullScreenQuad::build(Gfx& g)
{
    Vertex corners[4] = {};
    size_t i = 0;
    for (const auto& [x, y] : {std::pair{1.0f, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}}) {
        corners[i].position[0] = corners[i].texCoord[0] = x;
        corners[i].position[1] = corners[i].texCoord[1] = y;
        ++i;
    }
    FullScreenQuad quad;
    quad.quad_ = g.createMesh(Topology::TriangleStrip, corners, {}, {.colours = false, .normals = false, .texCoords = true});
    return quad;
}

void beginOrtho(Gfx& g, float w, float h)
{
    g.projection.push();
    g.projection.loadIdentity();
    ortho(g.projection.top(), 0, w, 0, h, -1, 1);
    g.modelView.push();
    g.modelView.loadIdentity();
}

void endOrtho(Gfx& g)
{
    g.projection.pop();
    g.modelView.pop();
}

void FullScreenQuad::draw(Gfx& g, const DrawState& state) const
{
    beginOrtho(g, 1, 1);
    DrawState flat = state;
    flat.depthTest = false;
    g.draw(quad_, flat);
    endOrtho(g);
}

void FullScreenQuad::drawRippled(Gfx& g, const DrawState& state, float t, float scale) const
{
    beginOrtho(g, 2, 2);
    g.modelView.translate(1, 1, 0);
    g.modelView.scale(scale, scale, 1);
    DrawState flat = state;
    flat.depthTest = false;
    flat.depthWrite = false;
    // A column's vertices sway alike across and a row's alike up and down, so the grid's cells
    // are upright rectangles between its column and row lines. The lines, with the viewport's
    // edges (at 1 / scale in the grid's coordinates) around them: a cell between an edge and
    // the grid is a sliver, or lies outside the viewport.
    struct Lines {
        std::array<float, 13> x, u;  // the edge, the 11 columns, the edge
        std::array<float, 14> y, v;  // the edge, the 12 row lines, the edge
        size_t strip = 0, at = 0;
        void beginStrip() { at = 0; }
        void vertex(const RippleVertex& r)
        {
            const bool upper = at % 2 == 1;
            x[at / 2 + 1] = r.x;
            u[at / 2 + 1] = r.u;
            y[strip + (upper ? 2 : 1)] = r.y;
            v[strip + (upper ? 2 : 1)] = r.v;
            ++at;
        }
        void endStrip() { ++strip; }
    } lines;
    rippleGrid(t, lines);
    const float edge = 1 / scale;
    lines.x.front() = -edge;
    lines.x.back() = edge;
    lines.y.front() = -edge;
    lines.y.back() = edge;
    lines.u.front() = lines.u[1];
    lines.u.back() = lines.u[11];
    lines.v.front() = lines.v[1];
    lines.v.back() = lines.v[12];

    const std::array<float, 4> grid = g.colour();
    g.begin(Primitive::Quads, flat);
    for (size_t i = 0; i + 1 < lines.x.size(); ++i)
        for (size_t j = 0; j + 1 < lines.y.size(); ++j) {
            const bool sliver = i == 0 || i + 2 == lines.x.size() || j == 0 || j + 2 == lines.y.size();
            g.colour(grid[0], grid[1], grid[2], sliver ? 0.0f : grid[3]);
            for (const auto& [a, b] : {std::pair{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}}) {
                g.texCoord(lines.u[a], lines.v[b]);
                g.vertex(lines.x[a], lines.y[b], 0);
            }
        }
    g.end();
    g.colour(grid[0], grid[1], grid[2], grid[3]);
    endOrtho(g);
}
