#include "geometry/Meshes.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/Shapes.h"
#include "math/Random.h"
#include "math/Trigonometry.h"

namespace {

constexpr float kCubePositions[24][3] = {
    {-1, 1, 1},   {1, 1, 1},   {-1, -1, 1}, {1, -1, 1},  {1, -1, 1},  {-1, -1, 1}, {1, -1, -1}, {-1, -1, -1},
    {-1, -1, -1}, {1, -1, -1}, {-1, 1, -1}, {1, 1, -1},  {1, 1, -1},  {-1, 1, -1}, {1, 1, 1},   {-1, 1, 1},
    {-1, 1, 1},   {-1, -1, 1}, {-1, 1, -1}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1},  {1, 1, -1},  {1, 1, 1}};
constexpr uint32_t kCubeIndices[36] = {0,  2,  1,  1,  2,  3,  5,  7,  4,  4,  7,  6,  8,  10, 9,  9,  10, 11,
                                       12, 13, 14, 13, 15, 14, 16, 18, 17, 17, 18, 19, 20, 22, 21, 21, 22, 23};

// The cubes' normals point along their corners: each corner's position times 1/√3, the float
// nearest √3 being the square root std::sqrt gives.
constexpr float kCorner = 1.0f / 1.7320508075688772f;

// The unit cube's normals and texture coordinates, which every cube shares.
constexpr std::array<float, 24 * 3> kCubeNormals = [] {
    std::array<float, 24 * 3> normals{};
    for (int v = 0; v < 24; ++v)
        for (int k = 0; k < 3; ++k) normals[v * 3 + k] = kCubePositions[v][k] * kCorner;
    return normals;
}();
constexpr std::array<float, 24 * 2> kCubeTexCoords = [] {
    std::array<float, 24 * 2> texCoords{};
    for (int v = 0; v < 24; ++v) {
        texCoords[v * 2] = static_cast<float>(v % 2);
        texCoords[v * 2 + 1] = static_cast<float>(v % 4 / 2);
    }
    return texCoords;
}();

Vec3 at(const std::vector<float>& a, int i) { return {a[i * 3], a[i * 3 + 1], a[i * 3 + 2]}; }

}  // namespace

VertexArrayMesh VertexArrayMesh::buildCube(float sx, float sy, float sz)
{
    VertexArrayMesh mesh;
    mesh.vertexCount = 24;
    mesh.indexCount = 36;
    for (int v = 0; v < 24; ++v) {
        const float* p = kCubePositions[v];
        mesh.positions.insert(mesh.positions.end(), {p[0] * sx, p[1] * sy, p[2] * sz});
    }
    mesh.normals.assign(kCubeNormals.begin(), kCubeNormals.end());
    mesh.texCoords.assign(kCubeTexCoords.begin(), kCubeTexCoords.end());
    mesh.indices.assign(kCubeIndices, kCubeIndices + 36);
    return mesh;
}

std::vector<Vertex> VertexArrayMesh::vertices() const
{
    std::vector<Vertex> out(static_cast<size_t>(vertexCount));
    for (size_t v = 0; v < out.size(); ++v) {
        std::copy_n(positions.data() + v * 3, 3, out[v].position);
        std::copy_n(normals.data() + v * 3, 3, out[v].normal);
        std::copy_n(texCoords.data() + v * 2, 2, out[v].texCoord);
    }
    return out;
}

void drawCubeMesh(Gfx& g, const DrawState& state, float s)
{
    // The unit cube's normals, texture coordinates and indices; only the positions depend on
    // the size (the same products as building the cube anew).
    float positions[24 * 3];
    for (int v = 0; v < 24; ++v)
        for (int k = 0; k < 3; ++k) positions[v * 3 + k] = kCubePositions[v][k] * s;
    VertexArrays arrays;
    arrays.positions = positions;
    arrays.normals = kCubeNormals.data();
    arrays.texCoords = kCubeTexCoords.data();
    arrays.indices = kCubeIndices;
    g.drawArrays(Primitive::Triangles, state, arrays);
}

void drawLitBox(Gfx& g, const DrawState& state, float s, const Vec3& P, const Vec3& angles, bool coreOverDepth,
                bool lit, const Vec3& colour)
{
    g.modelView.push();
    g.modelView.translate(P.x, P.y, P.z);
    g.modelView.rotate(angles.x, 1, 0, 0);
    g.modelView.rotate(angles.y, 0, 1, 0);
    DrawState box = state;
    box.blend = Blend::Off;
    box.depthTest = true;
    if (lit) box.lighting = Lighting::Material;
    g.colour(colour, 0);
    drawCubeMesh(g, box, s);
    DrawState edges = box;
    edges.smoothLines = true;
    g.colour(1, 1, 1, 1);
    drawWireBox(g, edges, s, coreOverDepth);
    g.modelView.pop();
}

void buildSphere(IndexedMesh& mesh, float r, int slices, int stacks)
{
    mesh.vertexCount = (stacks + 1) * slices;
    mesh.positions.assign(static_cast<size_t>(mesh.vertexCount) * 3, 0.0f);
    mesh.normals.assign(static_cast<size_t>(mesh.vertexCount) * 3, 0.0f);
    mesh.indices.assign(static_cast<size_t>(slices) * stacks * 6, 0);
    auto set = [&mesh](int index, const Vec3& normal, float radius) {
        const float n[3] = {normal.x, normal.y, normal.z};
        for (int k = 0; k < 3; ++k) {
            mesh.normals[index * 3 + k] = n[k];
            mesh.positions[index * 3 + k] = radius * n[k];
        }
    };
    set(0, {0, 0, 1}, r);
    for (int i = 1; i < stacks; ++i) {
        const float phi = i * (3.1415927f / stacks);
        for (int j = 0; j < slices; ++j) {
            const float theta = j * (6.2831855f / slices);
            set(1 + (i - 1) * slices + j,
                {trig::cos(theta) * trig::sin(phi), trig::sin(theta) * trig::sin(phi), trig::cos(phi)}, r);
        }
    }
    set(1 + (stacks - 1) * slices, {0, 0, -1}, r);

    const int n = slices;
    size_t k = 0;
    auto triangle = [&](int a, int b, int c) {
        mesh.indices[k++] = static_cast<uint16_t>(a);
        mesh.indices[k++] = static_cast<uint16_t>(b);
        mesh.indices[k++] = static_cast<uint16_t>(c);
    };
    for (int j = 0; j < n; ++j) triangle(0, j + 1, (j + 1) % n + 1);
    for (int i = 0; i <= stacks - 3; ++i)
        for (int j = 0; j < n; ++j) {
            const int a = i * n + 1 + j, b = (i + 1) * n + 1 + j;
            const int c = i * n + 1 + (j + 1) % n, d = (i + 1) * n + 1 + (j + 1) % n;
            triangle(a, b, c);
            triangle(c, b, d);
        }
    const int S = (stacks - 1) * n + 1, B = (stacks - 2) * n + 1;
    for (int j = 0; j < n; ++j) triangle(S, B + (j + 1) % n, B + j);
    mesh.indexCount = static_cast<int32_t>(k);
}

void displaceAlongNormals(IndexedMesh& mesh, float amount, int seed)
{
    for (int i = 0; i < mesh.vertexCount; ++i) {
        const float push = amount * noise1(i + seed);
        for (int k = 0; k < 3; ++k) mesh.positions[i * 3 + k] += push * mesh.normals[i * 3 + k];
    }
}

void rebuildNormals(IndexedMesh& mesh)
{
    std::fill(mesh.normals.begin(), mesh.normals.end(), 0.0f);
    for (int t = 0; t + 2 < mesh.indexCount; t += 3) {
        const int i0 = mesh.indices[t], i1 = mesh.indices[t + 1], i2 = mesh.indices[t + 2];
        const Vec3 p0 = at(mesh.positions, i0), p1 = at(mesh.positions, i1), p2 = at(mesh.positions, i2);
        const Vec3 f = cross(p1 - p2, p1 - p0);
        const Vec3 face = f * (1.0f / length(f));
        for (int i : {i0, i1, i2}) {
            mesh.normals[i * 3] += face.x;
            mesh.normals[i * 3 + 1] += face.y;
            mesh.normals[i * 3 + 2] += face.z;
        }
    }
    for (int i = 0; i < mesh.vertexCount; ++i) {
        Vec3 n = at(mesh.normals, i);
        n = normalize(n);
        mesh.normals[i * 3] = n.x;
        mesh.normals[i * 3 + 1] = n.y;
        mesh.normals[i * 3 + 2] = n.z;
    }
}

Mesh IndexedMesh::store(Gfx& g) const
{
    std::vector<Vertex> vertices(static_cast<size_t>(vertexCount));
    for (size_t v = 0; v < vertices.size(); ++v) {
        std::copy_n(positions.data() + v * 3, 3, vertices[v].position);
        std::copy_n(normals.data() + v * 3, 3, vertices[v].normal);
    }
    const std::vector<uint32_t> wide(indices.begin(), indices.begin() + indexCount);
    return g.createMesh(Topology::Triangles, vertices, wide, {.colours = false, .normals = true, .texCoords = false});
}

IndexedMesh buildDisplacedSphere()
{
    IndexedMesh sphere;
    buildSphere(sphere, 1.2314159f, 24, 24);
    displaceAlongNormals(sphere, 0.45f, 2598);
    rebuildNormals(sphere);
    return sphere;
}
