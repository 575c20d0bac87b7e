#include "effects/LitCubeBatch.h"

#include "geometry/Meshes.h"

LitCubeBatch::LitCubeBatch(Gfx& g)
{
    const VertexArrayMesh unit = VertexArrayMesh::buildCube(1, 1, 1);
    cube_ = g.createMesh(Topology::Triangles, unit.vertices(), unit.indices,
                         {.colours = false, .normals = true, .texCoords = true});
}

void LitCubeBatch::begin(const Mat4& modelView, const Mat4& projection, size_t capacity, const Vec3& light)
{
    modelView_ = modelView;
    projection_ = projection;
    light_[0] = light.x;
    light_[1] = light.y;
    light_[2] = light.z;
    light_[3] = 1;
    cubes_.reserve(capacity);
    cubes_.clear();
}

void LitCubeBatch::add(const Vec3& corner, float size, float alpha, const Vec3& colour)
{
    Cube c;
    c.size = size;
    // Column-major matrices: element (row r, column k) at [4k + r].
    const auto& m = modelView_.m;
    float* t = c.modelViewColumn;
    for (size_t r = 0; r < 4; ++r) t[r] = m[r] * corner.x + m[4 + r] * corner.y + m[8 + r] * corner.z + m[12 + r];
    const auto& p = projection_.m;
    for (size_t r = 0; r < 4; ++r)
        c.projectionColumn[r] = p[r] * t[0] + p[4 + r] * t[1] + p[8 + r] * t[2] + p[12 + r] * t[3];
    const float* L = light_;
    for (size_t r = 0; r < 3; ++r) c.lightPosition[r] = m[r] * L[0] + m[4 + r] * L[1] + m[8 + r] * L[2] + t[r] * L[3];
    const float tint[4] = {colour.x * alpha, colour.y * alpha, colour.z * alpha, alpha};
    for (size_t k = 0; k < 4; ++k) c.tint[k] = tint[k];
    cubes_.push_back(c);
}

void LitCubeBatch::draw(Gfx& g, const DrawState& state) const
{
    static constexpr InstanceAttribute kAttributes[] = {{"size", 1, offsetof(Cube, size)},
                                                        {"modelViewColumn", 4, offsetof(Cube, modelViewColumn)},
                                                        {"projectionColumn", 4, offsetof(Cube, projectionColumn)},
                                                        {"lightPosition", 3, offsetof(Cube, lightPosition)},
                                                        {"particleTint", 4, offsetof(Cube, tint)}};
    g.drawInstances(cube_, state, {cubes_.data(), sizeof(Cube), cubes_.size(), kAttributes});
}
