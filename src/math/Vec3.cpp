#include "math/Vec3.h"

#include <cmath>

#include "math/Trigonometry.h"

// Intermediate results are computed in double precision and rounded to float when stored.
namespace {
float dot3(double a0, double a1, double a2, double b0, double b1, double b2)
{
    return static_cast<float>(a0 * b0 + a1 * b1 + a2 * b2);
}
}  // namespace

float length(const Vec3& v)
{
    return static_cast<float>(std::sqrt(static_cast<double>(dot3(v.x, v.y, v.z, v.x, v.y, v.z))));
}

Vec3 normalize(Vec3& v)
{
    const float len = length(v);
    if (len == 0.0f) return {};
    v.x /= len;
    v.y /= len;
    v.z /= len;
    return v;
}

Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {static_cast<float>(static_cast<double>(a.y) * b.z - static_cast<double>(a.z) * b.y),
            static_cast<float>(static_cast<double>(a.z) * b.x - static_cast<double>(a.x) * b.z),
            static_cast<float>(static_cast<double>(a.x) * b.y - static_cast<double>(a.y) * b.x)};
}

Vec3 lerpVec3(const Vec3& a, const Vec3& b, float t)
{
    const double s = 1.0 - t;
    return {static_cast<float>(a.x * s + static_cast<double>(b.x) * t),
            static_cast<float>(a.y * s + static_cast<double>(b.y) * t),
            static_cast<float>(a.z * s + static_cast<double>(b.z) * t)};
}

Mat3::Mat3(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8}
{
}

Mat3 Mat3::rotation(float a, float b, float c)
{
    const double sa = trig::sin(a), ca = trig::cos(a);
    const double sb = trig::sin(b), cb = trig::cos(b);
    const double sc = trig::sin(c), cc = trig::cos(c);
    const double rows[9] = {
        cb * cc,                cb * sc,                -sb,
        sa * sb * cc - ca * sc, sa * sb * sc + ca * cc, sa * cb,
        ca * sb * cc + sa * sc, ca * sb * sc - sa * cc, ca * cb,
    };
    for (int i = 0; i < 9; ++i) m[i] = static_cast<float>(rows[i]);
    return *this;
}

Vec3 operator*(const Mat3& m, const Vec3& v)
{
    return {dot3(m.m[0], m.m[1], m.m[2], v.x, v.y, v.z),
            dot3(m.m[3], m.m[4], m.m[5], v.x, v.y, v.z),
            dot3(m.m[6], m.m[7], m.m[8], v.x, v.y, v.z)};
}

Vec3 sphericalPoint(float r, float t, float p)
{
    const double st = trig::sin(t);
    return {static_cast<float>(r * st * trig::cos(p)), static_cast<float>(r * st * trig::sin(p)),
            static_cast<float>(r * trig::cos(t))};
}

Vec3 curvePoint(float r, float t, CurveKind kind)
{
    const double s = trig::sin(static_cast<double>(t));
    const double c = trig::cos(static_cast<double>(t));
    double x = 0.0, y = 0.0;
    switch (kind) {
    case CurveKind::Circle:
        x = r * s;
        y = r * c;
        break;
    case CurveKind::Heart:
        x = r * std::pow(s, 3.0);
        y = r * (c - std::pow(c, 4.0));
        break;
    case CurveKind::Tangent:
        x = r * trig::tan(static_cast<double>(t));
        y = r * c;
        break;
    case CurveKind::FourLeaves:
        x = 2.0 * r * std::pow(s, 2.0) * c;
        y = 2.0 * r * std::pow(c, 2.0) * s;
        break;
    }
    return {static_cast<float>(x), static_cast<float>(y), 0.0f};
}

void cameraAxes(const Mat4& modelView, Vec3& right, Vec3& up, Vec3& back)
{
    const auto& m = modelView.m;
    right = {m[0], m[4], m[8]};
    up = {m[1], m[5], m[9]};
    back = {m[2], m[6], m[10]};
}
