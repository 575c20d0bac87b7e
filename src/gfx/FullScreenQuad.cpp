#include "gfx/FullScreenQuad.h"

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
    struct Strips {
        Gfx& g;
        const DrawState& state;
        void beginStrip() { g.begin(Primitive::TriangleStrip, state); }
        void vertex(const RippleVertex& v)
        {
            g.texCoord(v.u, v.v);
            g.vertex(v.x, v.y, 0);
        }
        void endStrip() { g.end(); }
    } strips{g, flat};
    rippleGrid(t, strips);
    endOrtho(g);
}
