#include <gtest/gtest.h>

#include "ExpectVec.h"
#include "math/CameraPath.h"

namespace {

TEST(CameraPath, TwoPointsSlowToAStopAtTheEnd)
{
    CameraPath path("test");
    path.addPoint({0, 0, 0});
    path.addPoint({10, 0, 0});
    EXPECT_EQ(path.pointCount, 2);
    expectVec(path.evaluate(0.5f), 6.25f, 0, 0);  // not the midpoint: the end tangent is zero
    expectVec(path.evaluate(0.0f), 0, 0, 0);
    expectVec(path.evaluate(1.0f), 10, 0, 0);
}

TEST(CameraPath, PassesThroughKeyPointsAndIsNotClamped)
{
    CameraPath path("test");
    const Vec3 p0(1, 2, 3), p1(-4, 5, 0.5f), p2(7, -1, 2);
    path.addPoint(p0);
    path.addPoint(p1);
    path.addPoint(p2);
    expectVec(path.evaluate(0.5f), p1.x, p1.y, p1.z);
    expectVec(path.evaluate(1.5f), p2.x, p2.y, p2.z);  // beyond the end: the last point
    const Vec3 before = path.evaluate(-0.25f), inside = path.evaluate(0.25f);
    expectVec(before, inside.x, inside.y, inside.z);  // below 0: the first segment again

    CameraPath single("one");
    single.addPoint(p2);
    expectVec(single.evaluate(0.7f), p2.x, p2.y, p2.z);
    CameraPath empty("none");
    expectVec(empty.evaluate(0.5f), 0, 0, 0);  // nothing to follow: the origin
}

TEST(CameraPath, SegmentBlendsItsFourVectors)
{
    const CurveSegment segment{{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}};
    expectVec(segment.evaluate(0.0f), 0, 0, 0);
    expectVec(segment.evaluate(1.0f), 1, 0, 0);
    expectVec(segment.evaluate(0.5f), 0.5f, 0, 0);  // (0.125 − 0.125) tangents + 0.5 of the end
    expectVec(CurveSegment{}.evaluate(0.3f), 0, 0, 0);
}

}  // namespace
