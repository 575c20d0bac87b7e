#pragma once

#include <array>

#include "gfx/Vec3.h"

// Immediate-mode solids and flat shapes that the scenes and effect objects place in the
// world. The solids draw in the caller's matrix, colour and material; only the line shapes
// set blending, depth and colour themselves.

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

void drawOctahedron(float scale);
void drawCube(float scale);
void drawIcosahedron(float scale);
void drawDodecahedron(float scale);

// One segment as a coloured wide line with a thin white core, both added to the frame.
// Leaves depth test and depth writes on, additive blending on, the line width at `width`.
void drawGlowLine(const Vec3& a, const Vec3& b, const Vec3& colour, float width, float outerAlpha, float coreAlpha,
                  bool coreOverDepth);
// The 12 edges of the cube of half size h around the origin; nothing for h <= 0.
void drawWireBox(float halfSize, bool coreOverDepth);
// A textured rectangle in the XY plane, texture (0, 0) at its bottom-left and (1, 1) at its top-right.
void drawTexturedRect(float left, float bottom, float right, float top);
// A textured quad at centre spanned by right and up, 2·size across.
void drawBillboard(const Vec3& centre, const Vec3& right, const Vec3& up, float size);

// The 48 points of a disc's rim in the XY plane; the last repeats the first.
std::array<Vec3, 48> discRim(const Vec3& centre, float radius);
void drawDisc(const Vec3& centre, float radius);
void drawCircle(const Vec3& centre, float radius);

// A rectangle turned by the angles (radians, as Mat3::rotation takes them), filled with the
// caller's blending, then outlined additively.
void drawPanel(const Vec3& centre, const Vec3& angles, float halfWidth, float halfHeight, const Vec3& colour,
               float fillAlpha, float outlineAlpha);
// An additive spiral line in the XZ plane, its radius growing by radiusStep per point.
void drawSpiral(int count, float angleFrom, float angleTo, float radius, const Vec3& colour, float alpha,
                float radiusStep);
