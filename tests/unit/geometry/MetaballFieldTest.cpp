// The marching-cubes tables and the metaball field: its lattice, its sums and the surface
// it gives, without GL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "geometry/MarchingCubes.h"
#include "geometry/MetaballField.h"
#include "scenes/MetaballScene.h"

namespace {

constexpr float kSpacing = 20.0f / 54;

struct Vertex {
    Vec3 normal, point;
};

class RecordingSink final : public SurfaceSink {
public:
    std::vector<Vertex> vertices;
    void vertex(const Vec3& normal, const Vec3& point) override { vertices.push_back({normal, point}); }
};

std::vector<Vertex> surface(MetaballField& field)
{
    RecordingSink sink;
    polygoniseField(field, 0.5f, sink);
    return sink.vertices;
}

float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

bool finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Every triangle edge, keyed by its two end points, must be crossed once in each direction
// by the triangles on either side of it: the surface is closed and consistently wound.
// Points are compared to 1e-4 units: neighbouring cells interpolate a shared lattice edge
// from opposite ends, which may differ in the last bits.
void expectClosedAndConsistentlyWound(const std::vector<Vertex>& vertices)
{
    using Point = std::tuple<long, long, long>;
    auto key = [](const Vec3& v) { return Point{std::lround(v.x * 1e4f), std::lround(v.y * 1e4f), std::lround(v.z * 1e4f)}; };
    std::map<std::pair<Point, Point>, int> directed;
    for (size_t t = 0; t + 2 < vertices.size(); t += 3)
        for (int i = 0; i < 3; ++i) {
            const Point a = key(vertices[t + i].point), b = key(vertices[t + (i + 1) % 3].point);
            if (a != b) ++directed[{a, b}];  // triangles squeezed to a line where a crossing lies on a corner
        }
    int unmatched = 0;
    for (const auto& [edge, count] : directed) {
        const auto reverse = directed.find({edge.second, edge.first});
        if (count != 1 || reverse == directed.end() || reverse->second != 1) ++unmatched;
    }
    EXPECT_EQ(unmatched, 0) << "of " << directed.size() << " directed edges";
}

TEST(MarchingCubes, TablesAgreeWithEachOther)
{
    EXPECT_EQ(kEdgeTable[1], 0x109u);
    EXPECT_EQ(kEdgeTable[3], 0x30au);
    EXPECT_EQ(kEdgeTable[0], 0u);
    EXPECT_EQ(kEdgeTable[255], 0u);
    const int8_t firstRow[] = {0, 8, 3, -1};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(kTriangleTable[1][i], firstRow[i]);

    // Each row names exactly the edges its case's mask says the surface crosses, in whole
    // triangles, and is ended by -1.
    for (int c = 0; c < 256; ++c) {
        uint32_t used = 0;
        int length = 0;
        while (length < 16 && kTriangleTable[c][length] != -1) used |= 1u << kTriangleTable[c][length++];
        EXPECT_LT(length, 16) << "case " << c;
        EXPECT_EQ(length % 3, 0) << "case " << c;
        EXPECT_EQ(used, kEdgeTable[static_cast<size_t>(c)]) << "case " << c;
    }
}

TEST(MetaballField, LatticeStartsOneSpacingAboveMinusTenAndCellsKnowTheirCorners)
{
    const auto field = buildMetaballField();
    ASSERT_EQ(field->points.size(), 55u * 55 * 55);
    ASSERT_EQ(field->cells.size(), 54u * 54 * 54);
    ASSERT_EQ(field->balls.size(), 10u);
    const Vec3 first = field->points.front().position, last = field->points.back().position;
    EXPECT_FLOAT_EQ(first.x, -10 + kSpacing);
    EXPECT_FLOAT_EQ(first.z, -10 + kSpacing);
    EXPECT_NEAR(last.y, 10.3704f, 1e-4f);
    // Point (1, 2, 3) is stored at 1·55² + 2·55 + 3.
    EXPECT_FLOAT_EQ(field->points[1 * 55 * 55 + 2 * 55 + 3].position.y, -10 + 3 * kSpacing);

    // Corners 0-3 go round the lower face from (i, j, k), 4-7 lie above them.
    const Vec3 offsets[8] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};
    const LatticeCell& cell = field->cells[(5 * 54 + 7) * 54 + 11];
    const Vec3 origin = cell.corners[0]->position;
    EXPECT_FLOAT_EQ(origin.x, -10 + 6 * kSpacing);
    EXPECT_FLOAT_EQ(origin.y, -10 + 8 * kSpacing);
    EXPECT_FLOAT_EQ(origin.z, -10 + 12 * kSpacing);
    for (int c = 0; c < 8; ++c) {
        const Vec3 d = cell.corners[c]->position - origin;
        EXPECT_NEAR(d.x, offsets[c].x * kSpacing, 1e-5f) << "corner " << c;
        EXPECT_NEAR(d.y, offsets[c].y * kSpacing, 1e-5f) << "corner " << c;
        EXPECT_NEAR(d.z, offsets[c].z * kSpacing, 1e-5f) << "corner " << c;
    }
}

// The field as its definition reads: for each sample, the balls in order, ±r² over the squared
// distance (floored at 1e-8), summed in float.
std::vector<float> plainValues(const MetaballField& field)
{
    std::vector<float> values;
    for (const LatticePoint& p : field.points) {
        float value = 0;
        for (const Metaball& b : field.balls) {
            const float dx = p.position.x - b.centre.x, dy = p.position.y - b.centre.y, dz = p.position.z - b.centre.z;
            const float d2 = std::max(dx * dx + dy * dy + dz * dz, 1e-8f);
            if (b.radius > 0)
                value += b.radius * b.radius / d2;
            else
                value -= b.radius * b.radius / d2;
        }
        values.push_back(value);
    }
    return values;
}

TEST(MetaballField, EvaluationGivesThePlainSumToTheBit)
{
    const auto field = buildMetaballField();
    const float layouts[2][10][4] = {
        {{0.3f, -0.7f, 1.1f, 1.2f}, {-3, 2, 0.5f, 0.8f}, {4, 4, -4, -0.9f}, {0, 0, 0, 0}, {9.9f, -9.5f, 3, 1.1f},
         {1, 1, 1, 0.45f}, {-2, -6, 2, 0.7f}, {2.5f, 0.1f, -1.7f, -0.3f}, {-8, 8, 8, 1.0f}, {0.01f, 0.02f, 0.03f, 0.6f}},
        {{-10 + kSpacing, -10 + kSpacing, -10 + kSpacing, 1}, {0, 0, 0, 1}, {0, 0, 0, -1}, {5, 5, 5, 0.5f},
         {-5, 5, -5, 0.5f}, {5, -5, 5, 0.5f}, {1e-3f, 0, 0, 2}, {3, 3, 3, 0}, {-1, -1, -1, -2}, {7, -7, 0, 1.5f}},
    };
    for (const auto& layout : layouts) {
        for (int b = 0; b < 10; ++b) field->balls[b] = {{layout[b][0], layout[b][1], layout[b][2]}, layout[b][3]};
        evaluateMetaballField(*field);
        const std::vector<float> expected = plainValues(*field);
        int differing = 0;
        for (size_t i = 0; i < expected.size(); ++i) differing += field->points[i].value != expected[i];
        EXPECT_EQ(differing, 0);
    }
}

TEST(MetaballField, SkippingEmptyCellsLeavesTheSurfaceAsEveryCellGivesIt)
{
    const auto field = buildMetaballField();
    Random random;
    const MetaballScene scene(random);  // the balls as Scene D moves them
    const auto& motions = scene.ballMotions();
    for (float t : {0.05f, 0.35f, 0.9f}) {
        for (size_t k = 0; k < 10; ++k) field->balls[k] = {ballPosition(motions[k], t), ballRadius(motions[k], t)};
        field->balls[3].radius = -field->balls[3].radius;
        evaluateMetaballField(*field);
        RecordingSink everyCell;
        for (const LatticeCell& cell : field->cells) polygoniseCell(*field, cell, 0.5f, everyCell);
        const std::vector<Vertex> skipping = surface(*field);
        ASSERT_EQ(skipping.size(), everyCell.vertices.size()) << t;
        ASSERT_FALSE(skipping.empty());
        for (size_t i = 0; i < skipping.size(); ++i) {
            ASSERT_EQ(std::memcmp(&skipping[i], &everyCell.vertices[i], sizeof(Vertex)), 0) << t << " vertex " << i;
        }
    }
}

TEST(MetaballField, BallsOfRadiusZeroLeaveNoSurface)
{
    const auto field = buildMetaballField();
    evaluateMetaballField(*field);
    EXPECT_EQ(field->points[12345].value, 0.0f);
    EXPECT_TRUE(surface(*field).empty());
}

TEST(MetaballField, OneBallIsAClosedSphereOfRadiusRootTwoTimesItsOwn)
{
    const auto field = buildMetaballField();
    const Vec3 centre(0.3f, -0.7f, 1.1f);
    const float r = 2.0f;
    field->balls[4] = {centre, r};
    evaluateMetaballField(*field);
    const std::vector<Vertex> vertices = surface(*field);
    ASSERT_GT(vertices.size(), 300u);
    ASSERT_EQ(vertices.size() % 3, 0u);
    int outward = 0;
    for (const Vertex& v : vertices) {
        Vec3 radial = v.point - centre;
        const float distance = length(radial);
        EXPECT_NEAR(distance, r * std::sqrt(2.0f), kSpacing);
        EXPECT_NEAR(length(v.normal), 1.0f, 1e-5f);
        outward += dot(v.normal, normalize(radial)) > 0.999f;
    }
    EXPECT_EQ(outward, static_cast<int>(vertices.size()));
    expectClosedAndConsistentlyWound(vertices);

    // Every triangle faces the same way relative to the outward normals.
    int facingOut = 0, facingIn = 0;
    for (size_t t = 0; t < vertices.size(); t += 3) {
        const Vec3 n = cross(vertices[t + 1].point - vertices[t].point, vertices[t + 2].point - vertices[t].point);
        const float side = dot(n, vertices[t].normal);
        if (side > 0) ++facingOut;
        if (side < 0) ++facingIn;
    }
    EXPECT_TRUE(facingOut == 0 || facingIn == 0) << facingOut << " out, " << facingIn << " in";
}

TEST(MetaballField, ACornerExactlyAtTheIsoLevelHoldsTheVertex)
{
    const auto field = buildMetaballField();
    LatticeCell& cell = field->cells[(20 * 54 + 20) * 54 + 20];
    LatticePoint* corner = const_cast<LatticePoint*>(cell.corners[6]);
    corner->value = 0.5f;  // not below the level: the only corner on the surface's side
    RecordingSink sink;
    polygoniseCell(*field, cell, 0.5f, sink);
    ASSERT_EQ(sink.vertices.size(), 3u);
    for (const Vertex& v : sink.vertices) {
        EXPECT_EQ(v.point.x, corner->position.x);
        EXPECT_EQ(v.point.y, corner->position.y);
        EXPECT_EQ(v.point.z, corner->position.z);
    }

    // Between the level and the corner values the crossing is linear along the edge.
    corner->value = 1.0f;
    const_cast<LatticePoint*>(cell.corners[5])->value = 0.25f;
    sink.vertices.clear();
    polygoniseCell(*field, cell, 0.5f, sink);
    bool found = false;
    for (const Vertex& v : sink.vertices)
        if (std::abs(v.point.x - (cell.corners[5]->position.x)) < 1e-6f && std::abs(v.point.y - corner->position.y) < 1e-6f &&
            std::abs(v.point.z - (cell.corners[5]->position.z + kSpacing / 3)) < 1e-5f)
            found = true;
    EXPECT_TRUE(found) << "a third of the way from corner 5 to corner 6";
}

TEST(MetaballField, ANegativeBallCarvesAHollowWhoseNormalsFaceIntoIt)
{
    const auto field = buildMetaballField();
    const Vec3 hollow(2.6f, 0.05f, 0.05f);
    field->balls[0] = {{0, 0, 0}, 2.0f};
    field->balls[1] = {hollow, -1.0f};
    evaluateMetaballField(*field);
    const std::vector<Vertex> vertices = surface(*field);
    ASSERT_FALSE(vertices.empty());
    // Without the hollow the surface would lie 2√2 ≈ 2.83 from the origin everywhere.
    int dented = 0, facingHollow = 0, nearHollow = 0;
    for (const Vertex& v : vertices) {
        if (length(v.point) < 2 * std::sqrt(2.0f) - 2 * kSpacing) ++dented;
        Vec3 toHollow = hollow - v.point;
        if (length(toHollow) < 1.3f) {
            ++nearHollow;
            facingHollow += dot(v.normal, normalize(toHollow)) > 0;
        }
    }
    EXPECT_GT(dented, 20);
    EXPECT_GT(nearHollow, 0);
    EXPECT_EQ(facingHollow, nearHollow);
    expectClosedAndConsistentlyWound(vertices);
}

TEST(MetaballField, ABallCentredOnALatticePointStaysFinite)
{
    const auto field = buildMetaballField();
    const LatticePoint& onCentre = field->points[(27 * 55 + 27) * 55 + 27];
    field->balls[0] = {onCentre.position, 1.5f};
    field->balls[1] = {onCentre.position, -0.5f};
    evaluateMetaballField(*field);
    for (const LatticePoint& p : field->points) ASSERT_TRUE(std::isfinite(p.value));
    const std::vector<Vertex> vertices = surface(*field);
    ASSERT_FALSE(vertices.empty());
    for (const Vertex& v : vertices) {
        ASSERT_TRUE(finite(v.normal));
        ASSERT_TRUE(finite(v.point));
    }
    expectClosedAndConsistentlyWound(vertices);
}

}  // namespace
