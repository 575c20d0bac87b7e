#pragma once

#include <cstddef>
#include <vector>

#include "gfx/Vec3.h"

class ShaderProgram;

// Lit particle cubes in one instanced draw through the per-particle form of the spot-light
// program. Each cube carries what drawing the cube mesh with the modelview moved to its corner
// takes from GL's state: the moved modelview's and modelview-projection's translation columns
// and the light's eye position, worked out in the order GL's own matrix code works them out
// (each sum from the left, in single precision), so that both ways put the same pixels on screen.
class LitCubeBatch {
public:
    // Whether this GL draws instanced arrays (3.3 or later).
    static bool available();
    // An empty batch under the current modelview and projection, with room for `capacity`
    // cubes (made once), lit by a light at `light` from every corner (object space).
    void begin(size_t capacity, const Vec3& light);
    // A cube of half size `size` about `corner` (object space), of colour × alpha and alpha.
    void add(const Vec3& corner, float size, float alpha, const Vec3& colour);
    // Draws the cubes with `program` made current; its instance attributes are switched off
    // again afterwards, the cube mesh's vertex arrays left on as one cube's drawing leaves them.
    void draw(const ShaderProgram& program) const;

private:
    struct Cube {
        float size;
        float modelViewColumn[4];
        float projectionColumn[4];
        float lightPosition[3];
        float tint[4];
    };
    float modelView_[16] = {};
    float projection_[16] = {};
    float light_[4] = {};
    std::vector<Cube> cubes_;
};
