#pragma once

#include <cmath>

#include "gfx/Gfx.h"
#include "math/Trigonometry.h"

// Projection and modelview pushed and replaced by an orthographic box 0..w by 0..h with the
// origin at the viewport's bottom-left.
void beginOrtho(Gfx& g, float w, float h);
// Pops both matrices.
void endOrtho(Gfx& g);

// The screen object: draws a texture over the whole viewport, plainly or rippling, switching
// to and from a 2D orthographic projection. It owns the stored unit square.
class FullScreenQuad {
public:
    // Stores the unit square, texture coordinates equal to positions.
    static FullScreenQuad build(Gfx& g);

    // The state's texture over the whole viewport in the current colour, with the state's
    // blending and program, never depth-tested; texture coordinate (0, 0) at the bottom-left.
    void draw(Gfx& g, const DrawState& state) const;
    // The same picture as a grid whose vertices sway with t while the texture is sampled at
    // the undisplaced positions; scale > 1 overfills the viewport, though the sway can leave a
    // sliver at an edge. The slivers are drawn too, in the current colour with alpha 0 (the grid
    // in the current colour), so that every pixel is drawn once and a program can tell them
    // apart. Nor does it write depth.
    void drawRippled(Gfx& g, const DrawState& state, float t, float scale) const;

private:
    Mesh quad_;
};

// One vertex of the rippled grid: texture coordinate and displaced position, in the grid's
// coordinates (-1 to 1 across the viewport before scaling).
struct RippleVertex {
    float u, v;
    float x, y;
};

// Walks the rippled grid for time t: eleven triangle strips of 22 vertices each (lower then
// upper vertex per column), handed to sink.beginStrip(), sink.vertex(v) and sink.endStrip().
template <typename Sink>
void rippleGrid(float t, Sink& sink)
{
    // Row and column starts are accumulated in floats by repeated addition: the last row
    // starts at 0.99999994 and lies wholly beyond the top edge.
    for (float y = -1.0f; y < 1.0f; y += 0.2f) {
        const float y2 = y + 0.2f;
        sink.beginStrip();
        for (float x = -1.0f; x <= 1.01f; x += 0.2f) {
            const double dx = 0.04 * trig::sin(21.7 * x + 7.2 * t);
            for (const float yv : {y, y2}) {
                const double dy = 0.03 * trig::sin(14.3 * yv + 0.7 * 9.12 * t);
                sink.vertex(RippleVertex{x * 0.5f + 0.5f, yv * 0.5f + 0.5f, static_cast<float>(x + dx),
                                         static_cast<float>(yv + dy)});
            }
        }
        sink.endStrip();
    }
}
