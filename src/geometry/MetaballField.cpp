#include "geometry/MetaballField.h"

#include <algorithm>
#include <cmath>

#include "geometry/MarchingCubes.h"
#include "gfx/Shaping.h"

namespace {

constexpr int32_t kCellsPerAxis = 54;
constexpr int32_t kBallCount = 10;

// Closer than 1e-4 units to a centre the field is far above any iso level; flooring the
// squared distance there keeps the value and the normal's weights finite at the centre.
constexpr float kNearestSquared = 1e-8f;

float squaredDistance(const Vec3& a, const Vec3& b)
{
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::max(dx * dx + dy * dy + dz * dz, kNearestSquared);
}

Vec3 crossing(const LatticePoint& a, const LatticePoint& b, float isoLevel)
{
    if (a.value == isoLevel) return a.position;
    if (b.value == isoLevel) return b.position;
    if (a.value == b.value) return a.position;
    const float mu = (isoLevel - a.value) / (b.value - a.value);
    return {lerpClamped(a.position.x, b.position.x, mu), lerpClamped(a.position.y, b.position.y, mu),
            lerpClamped(a.position.z, b.position.z, mu)};
}

Vec3 surfaceNormal(const MetaballField& field, const Vec3& q)
{
    Vec3 n;
    for (const Metaball& ball : field.balls) {
        const float d2 = squaredDistance(q, ball.centre);
        n = n + (q - ball.centre) * (2 * ball.radius / (d2 * d2));
    }
    return normalize(n);
}

}  // namespace

std::unique_ptr<MetaballField> buildMetaballField()
{
    auto field = std::make_unique<MetaballField>();
    const int32_t cells = kCellsPerAxis, side = cells + 1;
    field->cellsPerAxis = cells;
    field->ballCount = kBallCount;
    field->balls.resize(kBallCount);

    // The first sample lies one spacing above -10 on each axis.
    const float h = 20.0f / cells;
    field->points.resize(static_cast<size_t>(side) * side * side);
    for (int32_t i = 0; i < side; ++i)
        for (int32_t j = 0; j < side; ++j)
            for (int32_t k = 0; k < side; ++k)
                field->points[static_cast<size_t>((i * side + j) * side + k)].position = {
                    -10 + (i + 1) * h, -10 + (j + 1) * h, -10 + (k + 1) * h};

    auto point = [&](int32_t i, int32_t j, int32_t k) {
        return &field->points[static_cast<size_t>((i * side + j) * side + k)];
    };
    field->cells.resize(static_cast<size_t>(cells) * cells * cells);
    for (int32_t i = 0; i < cells; ++i)
        for (int32_t j = 0; j < cells; ++j)
            for (int32_t k = 0; k < cells; ++k)
                field->cells[static_cast<size_t>((i * cells + j) * cells + k)] = {{
                    point(i, j, k), point(i + 1, j, k), point(i + 1, j, k + 1), point(i, j, k + 1),
                    point(i, j + 1, k), point(i + 1, j + 1, k), point(i + 1, j + 1, k + 1), point(i, j + 1, k + 1)}};
    return field;
}

void evaluateMetaballField(MetaballField& field)
{
    // Signed squared radii: a ball of radius at or below 0 subtracts.
    float weights[kBallCount];
    const int32_t count = std::min(field.ballCount, kBallCount);
    for (int32_t b = 0; b < count; ++b) {
        const float r = field.balls[static_cast<size_t>(b)].radius;
        weights[b] = r > 0 ? r * r : -(r * r);
    }
    for (LatticePoint& p : field.points) {
        float value = 0;
        for (int32_t b = 0; b < count; ++b)
            value += weights[b] / squaredDistance(p.position, field.balls[static_cast<size_t>(b)].centre);
        p.value = value;
    }
}

void polygoniseCell(const MetaballField& field, const LatticeCell& cell, float isoLevel, SurfaceSink& sink)
{
    int caseIndex = 0;
    for (int c = 0; c < 8; ++c)
        if (cell.corners[c]->value < isoLevel) caseIndex |= 1 << c;
    const uint32_t edges = kEdgeTable[static_cast<size_t>(caseIndex)];
    if (edges == 0) return;

    Vec3 points[12], normals[12];
    for (int e = 0; e < 12; ++e) {
        if (!(edges & (1u << e))) continue;
        points[e] = crossing(*cell.corners[kEdgeCorners[e][0]], *cell.corners[kEdgeCorners[e][1]], isoLevel);
        normals[e] = surfaceNormal(field, points[e]);
    }
    for (const int8_t* row = kTriangleTable[caseIndex]; *row != -1; ++row) sink.vertex(normals[*row], points[*row]);
}

void polygoniseField(const MetaballField& field, float isoLevel, SurfaceSink& sink)
{
    for (const LatticeCell& cell : field.cells) polygoniseCell(field, cell, isoLevel, sink);
}
