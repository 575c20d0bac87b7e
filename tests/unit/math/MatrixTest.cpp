// The matrix stack against the formulas it stands for: perspective, look-at, rotation, and
// what the stack does at its ends.
#include <gtest/gtest.h>

#include <cmath>

#include "math/Matrix.h"

namespace {

// m · (x, y, z, 1), as a vector.
std::array<float, 4> apply(const Mat4& m, float x, float y, float z) { return transformPoint(m, x, y, z, 1); }

TEST(Matrix, PerspectiveMapsItsFrustumOntoTheClipCube)
{
    Mat4 m = Mat4::identity();
    perspective(m, 90, 2, 1, 10);
    // cot(45°) = 1: y divides by the depth, x also by the aspect.
    EXPECT_FLOAT_EQ(m.at(0, 0), 0.5f);
    EXPECT_FLOAT_EQ(m.at(1, 1), 1.0f);
    EXPECT_FLOAT_EQ(m.at(3, 2), -1.0f);
    EXPECT_EQ(m.at(3, 3), 0.0f);
    // The near plane goes to z = −w, the far plane to z = w.
    const auto near = apply(m, 0, 0, -1), far = apply(m, 0, 0, -10);
    EXPECT_NEAR(near[2] / near[3], -1, 1e-6);
    EXPECT_NEAR(far[2] / far[3], 1, 1e-6);
    // The top edge of the view at depth 5 is y = 5, the right edge x = 10.
    const auto corner = apply(m, 10, 5, -5);
    EXPECT_NEAR(corner[0] / corner[3], 1, 1e-6);
    EXPECT_NEAR(corner[1] / corner[3], 1, 1e-6);
    // A degenerate one changes nothing.
    Mat4 same = Mat4::identity();
    perspective(same, 0, 1, 1, 10);
    perspective(same, 60, 1, 3, 3);
    EXPECT_TRUE(same == Mat4::identity());
}

TEST(Matrix, LookAtPutsTheEyeAtTheOriginLookingDownMinusZ)
{
    Mat4 m = Mat4::identity();
    lookAt(m, 3, 4, 5, 3, 4, -20, 0, 1, 0);
    // Looking straight down −z from (3, 4, 5): a plain translation.
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(m.at(r, c), r == c ? 1 : 0, 1e-7) << r << "," << c;
    const auto target = apply(m, 3, 4, -20);
    EXPECT_NEAR(target[0], 0, 1e-5);
    EXPECT_NEAR(target[1], 0, 1e-5);
    EXPECT_NEAR(target[2], -25, 1e-5);

    // Any eye and centre: the centre lands on the −z axis at their distance, up stays up.
    Mat4 v = Mat4::identity();
    lookAt(v, -2, 7, 1, 4, 1, -3, 0, 1, 0);
    const auto centre = apply(v, 4, 1, -3);
    const double distance = std::sqrt(36.0 + 36.0 + 16.0);
    EXPECT_NEAR(centre[0], 0, 1e-4);
    EXPECT_NEAR(centre[1], 0, 1e-4);
    EXPECT_NEAR(centre[2], -distance, 1e-4);
    const auto eye = apply(v, -2, 7, 1);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(eye[static_cast<size_t>(k)], 0, 1e-5);
    const auto above = apply(v, -2, 8, 1);
    EXPECT_GT(above[1], 0.5f);
}

TEST(Matrix, RotateTurnsCounterClockwiseAboutItsAxis)
{
    // 90° about +z takes +x to +y; about −z, to −y; about +x, +y to +z; about +y, +z to +x.
    const struct {
        float ax, ay, az;
        float from[3], to[3];
    } cases[] = {{0, 0, 1, {1, 0, 0}, {0, 1, 0}},  {0, 0, -1, {1, 0, 0}, {0, -1, 0}},
                 {1, 0, 0, {0, 1, 0}, {0, 0, 1}},  {0, 1, 0, {0, 0, 1}, {1, 0, 0}},
                 {0, 0, 5, {1, 0, 0}, {0, 1, 0}},  {1, 1, 1, {1, 0, 0}, {0, 1, 0}}};
    for (const auto& c : cases) {
        Mat4 m = Mat4::identity();
        // About (1, 1, 1) a third of a turn cycles the axes.
        rotate(m, c.ax == c.ay && c.ay == c.az ? 120.0f : 90.0f, c.ax, c.ay, c.az);
        const auto p = apply(m, c.from[0], c.from[1], c.from[2]);
        for (size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(p[k], c.to[k], 1e-6) << "axis " << c.ax << "," << c.ay << "," << c.az << " component " << k;
    }
    // An axis too short to have a direction leaves the matrix alone.
    Mat4 m = Mat4::identity();
    translate(m, 1, 2, 3);
    const Mat4 before = m;
    rotate(m, 45, 0, 0, 0);
    rotate(m, 45, 1e-5f, 0, 1e-5f);
    EXPECT_TRUE(m == before);
}

TEST(Matrix, TransformsComposeAsSeenFromTheVertex)
{
    // translate then scale: the vertex is scaled first, then moved.
    Mat4 m = Mat4::identity();
    translate(m, 10, 0, 0);
    scale(m, 2, 3, 4);
    const auto p = apply(m, 1, 1, 1);
    EXPECT_EQ(p[0], 12);
    EXPECT_EQ(p[1], 3);
    EXPECT_EQ(p[2], 4);
    // ortho maps its box onto the clip cube.
    Mat4 o = Mat4::identity();
    ortho(o, 0, 4, 0, 2, -1, 1);
    const auto corner = apply(o, 4, 2, -1);
    EXPECT_FLOAT_EQ(corner[0], 1);
    EXPECT_FLOAT_EQ(corner[1], 1);
    EXPECT_FLOAT_EQ(corner[2], 1);
}

TEST(Matrix, TheNormalMatrixUndoesTheScaleAndKeepsTheTurn)
{
    Mat4 m = Mat4::identity();
    rotate(m, 90, 0, 0, 1);
    scale(m, 0.5f, 0.5f, 0.5f);
    translate(m, 7, 8, 9);  // moves points, not normals
    const auto n = normalMatrix(m);
    // (1, 0, 0) turns to (0, 1, 0) and grows by 2: an unnormalised normal keeps the scale.
    const float x = n[0] * 1, y = n[1] * 1, z = n[2] * 1;
    EXPECT_NEAR(x, 0, 1e-6);
    EXPECT_NEAR(y, 2, 1e-6);
    EXPECT_NEAR(z, 0, 1e-6);
    // A singular matrix gives the identity.
    Mat4 flat = Mat4::identity();
    scale(flat, 1, 0, 1);
    const auto i = normalMatrix(flat);
    EXPECT_EQ(i[0], 1);
    EXPECT_EQ(i[4], 1);
    EXPECT_EQ(i[8], 1);
}

TEST(MatrixStack, PushesAndPopsWithinItsDepth)
{
    MatrixStack stack;
    stack.translate(1, 0, 0);
    stack.push();
    stack.translate(0, 1, 0);
    EXPECT_EQ(stack.top().at(1, 3), 1);
    stack.pop();
    EXPECT_EQ(stack.top().at(1, 3), 0);
    EXPECT_EQ(stack.top().at(0, 3), 1);
    // Popping the last matrix and pushing beyond the depth change nothing.
    stack.pop();
    EXPECT_EQ(stack.top().at(0, 3), 1);
    for (int i = 0; i < 40; ++i) {
        stack.push();
        stack.translate(1, 0, 0);
    }
    EXPECT_EQ(stack.top().at(0, 3), 1 + 40);  // the pushes past the top keep changing the top
    for (int i = 0; i < 40; ++i) stack.pop();
    EXPECT_EQ(stack.top().at(0, 3), 1);
    stack.reset();
    EXPECT_TRUE(stack.top() == Mat4::identity());
}

}  // namespace
