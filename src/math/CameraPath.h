#pragma once

#include <vector>

#include "math/Vec3.h"

// One cubic Hermite piece of a path: from start to end, leaving along startTangent and
// arriving along endTangent.
struct CurveSegment {
    Vec3 start, startTangent, endTangent, end;

    // The Hermite blend of the four vectors at u, per component.
    Vec3 evaluate(float u) const;
};

// A named list of key points that a camera's eye or target follows as a parameter runs
// from 0 to 1, passing through every key point with a continuous velocity and slowing to a
// stop at the last one.
struct CameraPath {
    int pointCount = 0;
    const char* name;  // label only
    std::vector<Vec3> points;

    explicit CameraPath(const char* label) : name(label) {}

    void addPoint(const Vec3& p);
    // The point at parameter t (not clamped: below 0 the first segment repeats, above 1 it
    // is the last point). An empty path gives the origin.
    Vec3 evaluate(float t) const;
};
