#pragma once

#include "math/Matrix.h"

// Three single-precision floats: a point, a direction or an RGB colour.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vec3() = default;
    constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

// Inline: they are in the innermost loops of the particles and the metaball surface.
constexpr Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
constexpr Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
constexpr Vec3 operator*(const Vec3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }

float length(const Vec3& v);
// Scales v to unit length in place and returns it; a zero vector is left as it is
// and (0, 0, 0) is returned without dividing.
Vec3 normalize(Vec3& v);
// Right-handed cross product.
Vec3 cross(const Vec3& a, const Vec3& b);
// a * (1 - t) + b * t, t not clamped.
Vec3 lerpVec3(const Vec3& a, const Vec3& b, float t);

// A 3x3 matrix of floats in row-major order: m[0] m[1] m[2] is the first row.
struct Mat3 {
    float m[9] = {};

    Mat3() = default;
    Mat3(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8);

    // Sets this matrix from three angles in radians and returns a copy. Multiplying a
    // vector by it applies the inverse of the rotation Rz(c) * Ry(b) * Rx(a).
    Mat3 rotation(float a, float b, float c);
};

// Rows times the column vector.
Vec3 operator*(const Mat3& m, const Vec3& v);

// (r sin t cos p, r sin t sin p, r cos t).
Vec3 sphericalPoint(float r, float t, float p);

// The plane curves used to lay out shapes, numbered as the scenes' settings number them.
enum class CurveKind : int {
    Circle = 2,
    Heart = 5,       // a heart-like curve
    Tangent = 6,     // a tangent curve
    FourLeaves = 7,  // a four-leaved rose
};
// A point of one of the curves at parameter t, z = 0.
Vec3 curvePoint(float r, float t, CurveKind kind);

// The eye's x, y and z axes in object coordinates: the rows of a modelview's rotation part.
// Camera-facing sprites are built from right and up.
void cameraAxes(const Mat4& modelView, Vec3& right, Vec3& up, Vec3& back);
