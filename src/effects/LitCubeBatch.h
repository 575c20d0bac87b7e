#pragma once

#include <cstddef>
#include <vector>

#include "gfx/Gfx.h"
#include "math/Vec3.h"

// Lit particle cubes in one instanced draw through the per-particle form of the spot-light
// program. Each cube carries what drawing the cube mesh with the modelview moved to its corner
// takes from the drawing state: the moved modelview's and modelview-projection's translation
// columns and the light's eye position, worked out in the order the matrix code works them
// out (each sum from the left, in single precision), so that both ways put the same pixels on
// screen.
class LitCubeBatch {
public:
    // The unit cube stored with the device.
    explicit LitCubeBatch(Gfx& g);

    // An empty batch under the given modelview and projection, with room for `capacity`
    // cubes (made once), lit by a light at `light` from every corner (object space).
    void begin(const Mat4& modelView, const Mat4& projection, size_t capacity, const Vec3& light);
    // A cube of half size `size` about `corner` (object space), of colour × alpha and alpha.
    void add(const Vec3& corner, float size, float alpha, const Vec3& colour);
    // Draws the cubes with the state's program.
    void draw(Gfx& g, const DrawState& state) const;

private:
    struct Cube {
        float size;
        float modelViewColumn[4];
        float projectionColumn[4];
        float lightPosition[3];
        float tint[4];
    };
    Mesh cube_;
    Mat4 modelView_ = Mat4::identity();
    Mat4 projection_ = Mat4::identity();
    float light_[4] = {};
    std::vector<Cube> cubes_;
};
