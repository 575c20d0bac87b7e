#pragma once

#include <array>

#include "gfx/Vec3.h"

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

extern std::array<BallMotion, 10> ballMotions;

// Ball centre (before the scene's rise) and radius at progress t.
Vec3 ballPosition(const BallMotion& ball, float t);
float ballRadius(const BallMotion& ball, float t);
// The eye and the point it looks at, at progress t.
void metaballCamera(float t, Vec3& eye, Vec3& target);

struct MetaballField;
// Polygonises the field at level 0.5 and draws the triangles in one call, each vertex with
// its normal and its x and y as texture coordinate.
void drawFieldSurface(MetaballField& field);

void initMetaballScene();
void drawMetaballScene(float t, bool shapePass);
void releaseMetaballScene();
