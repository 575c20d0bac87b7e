#include "math/CameraPath.h"

#include <algorithm>
#include <cmath>

Vec3 CurveSegment::evaluate(float u) const
{
    const double u2 = static_cast<double>(u) * u, u3 = u2 * u;
    const double h00 = 2 * u3 - 3 * u2 + 1, h10 = u3 - 2 * u2 + u, h01 = 3 * u2 - 2 * u3, h11 = u3 - u2;
    auto blend = [&](float p0, float t0, float t1, float p1) {
        return static_cast<float>(h00 * p0 + h10 * t0 + h11 * t1 + h01 * p1);
    };
    return {blend(start.x, startTangent.x, endTangent.x, end.x), blend(start.y, startTangent.y, endTangent.y, end.y),
            blend(start.z, startTangent.z, endTangent.z, end.z)};
}

void CameraPath::addPoint(const Vec3& p)
{
    points.push_back(p);
    ++pointCount;
}

Vec3 CameraPath::evaluate(float t) const
{
    if (points.empty()) return {};
    const double x = (pointCount - 1) * static_cast<double>(t);
    const int s = static_cast<int>(std::floor(x));
    // Walking the list stops at its last point: indices past the end mean the last point,
    // indices below 0 the first.
    auto point = [this](int i) { return points[static_cast<size_t>(std::clamp(i, 0, pointCount - 1))]; };
    const Vec3 a = point(std::max(s, 0)), b = point(std::max(s, 0) + 1), c = point(std::max(s, 0) + 2);
    const CurveSegment segment{a, b - a, c - b, b};
    return segment.evaluate(static_cast<float>(x - s));
}
