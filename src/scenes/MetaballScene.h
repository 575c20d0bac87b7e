#pragma once

#include <array>
#include <memory>
#include <vector>

#include "geometry/MetaballField.h"
#include "gfx/Gfx.h"
#include "math/CameraPath.h"
#include "math/Vec3.h"
#include "scenes/FrameContext.h"
#include "scenes/SceneShared.h"

// Scene D, 60 to 88.23 s, drawn twice a frame: the environment pass into the scene target,
// then the shape pass (the metaball surface) into the filter target.

// How one ball drifts: its centre swings about base on each axis with its own frequency,
// in radians per unit of scene progress.
struct BallMotion {
    Vec3 base;
    Vec3 frequency;
    Vec3 amplitude;
    float size = 0.0f;  // the radius once grown in
};

// Ball centre (before the scene's rise) and radius at progress t.
Vec3 ballPosition(const BallMotion& ball, float t);
float ballRadius(const BallMotion& ball, float t);

// Gathers the surface's vertices for one draw. The lists keep their room from frame to
// frame; they start with room for more than the ten balls ever make (about 20,000 vertices
// fully grown), so gathering allocates nothing.
class SurfaceArrays final : public SurfaceSink {
public:
    SurfaceArrays();
    std::vector<Vec3> normals, points;
    void vertex(const Vec3& normal, const Vec3& point) override;
};

// Polygonises the field at level 0.5 into the arrays and draws the triangles in one call,
// each vertex with its normal and its x and y as texture coordinate.
void drawFieldSurface(Gfx& g, const DrawState& state, MetaballField& field, SurfaceArrays& arrays);

class MetaballScene {
public:
    // The camera path, the field and the balls' motions (ten draws each of the C library
    // generator, in the order the scene was laid out with).
    explicit MetaballScene(Random& random);

    void draw(Gfx& g, float t, bool shapePass, const FrameContext& frame, const SceneShared& shared);
    // The eye and the point it looks at, at progress t.
    void camera(float t, Vec3& eye, Vec3& target) const;
    const std::array<BallMotion, 10>& ballMotions() const { return ballMotions_; }

private:
    void drawEnvironment(Gfx& g, const FrameContext& frame, const SceneShared& shared);
    void drawSurface(Gfx& g, float t, const SceneShared& shared);
    void drawSprites(Gfx& g, float t, bool shapePass, const Vec3& right, const Vec3& up, const FrameContext& frame,
                     const SceneShared& shared) const;

    CameraPath cameraPath_{"metaballs camera"};
    std::unique_ptr<MetaballField> field_;
    std::array<BallMotion, 10> ballMotions_;
    SurfaceArrays arrays_;
};
