// Vectors, the rotation matrix and the layout curves.
#include <gtest/gtest.h>

#include <cmath>

#include "ExpectVec.h"
#include "math/Shaping.h"
#include "math/Vec3.h"

namespace {

TEST(Vectors, NormalizeOfZeroDoesNotDivide)
{
    Vec3 zero;
    expectVec(normalize(zero), 0, 0, 0, 0);
    expectVec(zero, 0, 0, 0, 0);
    EXPECT_FALSE(std::isnan(zero.x));

    Vec3 v(3, 0, 4);
    const Vec3 n = normalize(v);
    expectVec(n, 0.6, 0, 0.8);
    expectVec(v, 0.6, 0, 0.8);  // in place
    EXPECT_FLOAT_EQ(length(Vec3(2, 3, 6)), 7.0f);
}

TEST(Vectors, CrossProductIsRightHanded)
{
    expectVec(cross({1, 0, 0}, {0, 1, 0}), 0, 0, 1, 0);
    expectVec(cross({0, 0, 1}, {1, 0, 0}), 0, 1, 0, 0);
    expectVec(cross({0, 1, 0}, {0, 0, 1}), 1, 0, 0, 0);
    expectVec(cross({1, 2, 3}, {4, 5, 6}), -3, 6, -3);
}

// Rx(a), Ry(b), Rz(c) as standard right-handed rotations, composed independently.
struct M3 {
    double e[3][3];
};
M3 mul(const M3& p, const M3& q)
{
    M3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) r.e[i][j] += p.e[i][k] * q.e[k][j];
    return r;
}

TEST(Matrices, RotationAppliesTheInverseOfZYXComposition)
{
    const float angles[][3] = {{0.3f, -1.1f, 2.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 0.7f, 0.0f}, {-2.5f, 0.4f, -0.9f}};
    for (const auto& ang : angles) {
        const double a = ang[0], b = ang[1], c = ang[2];
        const M3 rx{{{1, 0, 0}, {0, std::cos(a), -std::sin(a)}, {0, std::sin(a), std::cos(a)}}};
        const M3 ry{{{std::cos(b), 0, std::sin(b)}, {0, 1, 0}, {-std::sin(b), 0, std::cos(b)}}};
        const M3 rz{{{std::cos(c), -std::sin(c), 0}, {std::sin(c), std::cos(c), 0}, {0, 0, 1}}};
        const M3 r = mul(rz, mul(ry, rx));

        Mat3 m;
        const Mat3 copy = m.rotation(ang[0], ang[1], ang[2]);
        const Vec3 v(0.5f, -2.0f, 1.25f);
        const Vec3 got = m * v;
        const Vec3 gotCopy = copy * v;
        // The inverse of a rotation is its transpose.
        const double want[3] = {r.e[0][0] * v.x + r.e[1][0] * v.y + r.e[2][0] * v.z,
                                r.e[0][1] * v.x + r.e[1][1] * v.y + r.e[2][1] * v.z,
                                r.e[0][2] * v.x + r.e[1][2] * v.y + r.e[2][2] * v.z};
        expectVec(got, want[0], want[1], want[2], 1e-5);
        expectVec(gotCopy, want[0], want[1], want[2], 1e-5);
    }
}

TEST(Curves, KnownPoints)
{
    expectVec(curvePoint(1.0f, 0.0f, CurveKind::Heart), 0, 0, 0, 0);
    const Vec3 top = curvePoint(1.0f, kPi / 2.0f, CurveKind::Circle);
    EXPECT_FLOAT_EQ(top.x, 1.0f);
    EXPECT_NEAR(top.y, 0.0, 1e-6);
    EXPECT_NE(top.y, 0.0f);  // the short pi leaves a trace of the cosine
    expectVec(curvePoint(2.0f, kPi / 4.0f, CurveKind::Tangent), 2.0, 2.0 * std::cos(kPi / 4.0), 0, 1e-5);
    const double s = std::sin(0.5), c = std::cos(0.5);
    expectVec(curvePoint(3.0f, 0.5f, CurveKind::FourLeaves), 6 * s * s * c, 6 * c * c * s, 0, 1e-5);
    expectVec(sphericalPoint(2.0f, kPi / 2.0f, 0.0f), 2, 0, 0, 1e-5);
}

}  // namespace
