#pragma once

#include <array>

#include "gfx/Gfx.h"
#include "math/Vec3.h"

// Solids and flat shapes that the scenes and effect objects place in the world, built vertex
// by vertex. The solids draw in the caller's matrix, colour, material and state; the line
// shapes set their blending, depth and colour themselves over the caller's state.

// A solid's corners (unit sphere, the cube's at distance √3) and its faces as corner indices.
struct Polyhedron {
    const Vec3* vertices;
    const int* faces;  // faceCount rows of cornersPerFace indices
    int faceCount;
    int cornersPerFace;
};
extern const Polyhedron kOctahedron;
extern const Polyhedron kCube;
extern const Polyhedron kIcosahedron;
extern const Polyhedron kDodecahedron;

// The flat normal of face i: normalize(cross(C − A, B − A)) of its first three corners,
// pointing out of the solid.
Vec3 faceNormal(const Polyhedron& solid, int face);

// Each scales the modelview by `scale` (which stays) and draws the solid with a flat normal
// per face.
void drawOctahedron(Gfx& g, const DrawState& state, float scale);
void drawCube(Gfx& g, const DrawState& state, float scale);
void drawIcosahedron(Gfx& g, const DrawState& state, float scale);
void drawDodecahedron(Gfx& g, const DrawState& state, float scale);

// One segment as a coloured line width + 1 pixels wide with a white core `width` wide, both
// added to the frame without writing depth, the outer one depth-tested, the core too unless
// coreOverDepth. Lighting, texture, fog and smoothing are the caller's.
void drawGlowLine(Gfx& g, const DrawState& state, const Vec3& a, const Vec3& b, const Vec3& colour, float width,
                  float outerAlpha, float coreAlpha, bool coreOverDepth);
// The 12 edges of the cube of half size h around the origin as glow lines one pixel wide;
// nothing for h <= 0.
void drawWireBox(Gfx& g, const DrawState& state, float halfSize, bool coreOverDepth);
// A textured rectangle in the XY plane, texture (0, 0) at its bottom-left and (1, 1) at its top-right.
void drawTexturedRect(Gfx& g, const DrawState& state, float left, float bottom, float right, float top);
// A textured quad at centre spanned by right and up, 2·size across.
void drawBillboard(Gfx& g, const DrawState& state, const Vec3& centre, const Vec3& right, const Vec3& up, float size);

// The 48 points of a disc's rim in the XY plane; the last repeats the first.
std::array<Vec3, 48> discRim(const Vec3& centre, float radius);
void drawDisc(Gfx& g, const DrawState& state, const Vec3& centre, float radius);
void drawCircle(Gfx& g, const DrawState& state, const Vec3& centre, float radius);

// A rectangle turned by the angles (radians, as Mat3::rotation takes them), filled with the
// state's blending, then outlined additively (where the state blends at all).
void drawPanel(Gfx& g, const DrawState& state, const Vec3& centre, const Vec3& angles, float halfWidth,
               float halfHeight, const Vec3& colour, float fillAlpha, float outlineAlpha);
// An untextured additive spiral line in the XZ plane, its radius growing by radiusStep per point.
void drawSpiral(Gfx& g, const DrawState& state, int count, float angleFrom, float angleTo, float radius,
                const Vec3& colour, float alpha, float radiusStep);
