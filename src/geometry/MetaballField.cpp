#include "geometry/MetaballField.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "geometry/MarchingCubes.h"
#include "math/Shaping.h"

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
    field->below.resize(static_cast<size_t>(side) * side * side);

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
    // The lattice is regular: a sample's x depends only on i, y on j and z on k. So each
    // ball's squared offsets along the three axes are taken once, and a row of samples along
    // z is summed in one pass the compiler turns into vector instructions. Per sample the
    // arithmetic is that of the plain sum, (dx² + dy²) + dz² and then ±r² / d² over the
    // balls in order, so the values are the same to the bit.
    constexpr int32_t kSide = kCellsPerAxis + 1;
    constexpr int32_t kLanes = 56;  // a row padded to whole vector lanes
    const int32_t count = std::min(field.ballCount, kBallCount);
    float weights[kBallCount];
    alignas(16) float dx2[kBallCount][kSide], dy2[kBallCount][kSide], dz2[kBallCount][kLanes];
    for (int32_t b = 0; b < count; ++b) {
        const Metaball& ball = field.balls[static_cast<size_t>(b)];
        weights[b] = ball.radius > 0 ? ball.radius * ball.radius : -(ball.radius * ball.radius);
        for (int32_t n = 0; n < kSide; ++n) {
            const float dx = field.points[static_cast<size_t>(n * kSide * kSide)].position.x - ball.centre.x;
            const float dy = field.points[static_cast<size_t>(n * kSide)].position.y - ball.centre.y;
            const float dz = field.points[static_cast<size_t>(n)].position.z - ball.centre.z;
            dx2[b][n] = dx * dx;
            dy2[b][n] = dy * dy;
            dz2[b][n] = dz * dz;
        }
        dz2[b][kSide] = 1;  // the padding lane, never stored
    }
    alignas(16) float row[kLanes];
    for (int32_t i = 0; i < kSide; ++i)
        for (int32_t j = 0; j < kSide; ++j) {
            std::fill(std::begin(row), std::end(row), 0.0f);
            for (int32_t b = 0; b < count; ++b) {
                const float xy = dx2[b][i] + dy2[b][j];
                const float w = weights[b];
                for (int32_t k = 0; k < kLanes; ++k) row[k] += w / std::max(xy + dz2[b][k], kNearestSquared);
            }
            LatticePoint* out = &field.points[static_cast<size_t>((i * kSide + j) * kSide)];
            for (int32_t k = 0; k < kSide; ++k) out[k].value = row[k];
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

void polygoniseField(MetaballField& field, float isoLevel, SurfaceSink& sink)
{
    constexpr int32_t cells = kCellsPerAxis, side = cells + 1;
    uint8_t* below = field.below.data();
    const size_t samples = field.points.size();
    for (size_t n = 0; n < samples; ++n) below[n] = field.points[n].value < isoLevel;
    // Per row of cells along z: how many of the four samples at each k of the row's corner
    // edges lie below; a cell with 0 or 8 of its corners below has no surface.
    uint8_t column[side];
    for (int32_t i = 0; i < cells; ++i)
        for (int32_t j = 0; j < cells; ++j) {
            const uint8_t* r00 = below + (i * side + j) * side;
            const uint8_t* r10 = r00 + side * side;
            const uint8_t* r01 = r00 + side;
            const uint8_t* r11 = r10 + side;
            for (int32_t k = 0; k < side; ++k) column[k] = static_cast<uint8_t>(r00[k] + r10[k] + r01[k] + r11[k]);
            const LatticeCell* row = &field.cells[static_cast<size_t>((i * cells + j) * cells)];
            for (int32_t k = 0; k < cells; ++k) {
                const int count = column[k] + column[k + 1];
                if (count != 0 && count != 8) polygoniseCell(field, row[k], isoLevel, sink);
            }
        }
}
