// The rock's sphere and the cube mesh.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/Meshes.h"

namespace {

TEST(Meshes, SphereIndicesAndUntouchedVertices)
{
    IndexedMesh mesh;
    buildSphere(mesh, 1.0f, 24, 24);
    EXPECT_EQ(mesh.indexCount, 3312);
    EXPECT_EQ(mesh.indices.size(), 3456u);
    EXPECT_EQ(mesh.vertexCount, 600);
    for (int i = 554; i < 600; ++i)
        for (int k = 0; k < 3; ++k) ASSERT_EQ(mesh.positions[i * 3 + k], 0.0f);
    for (int i = 0; i < mesh.indexCount; ++i) ASSERT_LT(mesh.indices[i], 554);

    // Roughened and re-smoothed, the used normals are unit vectors pointing outward.
    displaceAlongNormals(mesh, 0.45f, 2598);
    rebuildNormals(mesh);
    for (int i = 0; i < 554; ++i) {
        const Vec3 n(mesh.normals[i * 3], mesh.normals[i * 3 + 1], mesh.normals[i * 3 + 2]);
        const Vec3 p(mesh.positions[i * 3], mesh.positions[i * 3 + 1], mesh.positions[i * 3 + 2]);
        ASSERT_NEAR(length(n), 1.0f, 1e-4f);
        ASSERT_GT(n.x * p.x + n.y * p.y + n.z * p.z, 0.0f) << i;
    }
    EXPECT_EQ(mesh.normals[599 * 3], 0.0f);  // unused: stays zero
}

TEST(Meshes, CubeNormalsStayCornerDirectionsWhateverTheScale)
{
    const VertexArrayMesh cube = VertexArrayMesh::buildCube(2, 1, 1);
    ASSERT_EQ(cube.vertexCount, 24);
    ASSERT_EQ(cube.indexCount, 36);
    for (int v = 0; v < 24; ++v) {
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(std::fabs(cube.normals[v * 3 + k]), 1 / std::sqrt(3.0f), 1e-6f);
        EXPECT_EQ(std::fabs(cube.positions[v * 3]), 2.0f);
    }
}

}  // namespace
