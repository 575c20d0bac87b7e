// The solids' faces and the flat shapes' outlines.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/Shapes.h"

namespace {

TEST(Solids, EveryFaceNormalIsAUnitVectorPointingOutward)
{
    for (const Polyhedron* solid : {&kOctahedron, &kCube, &kIcosahedron, &kDodecahedron}) {
        for (int f = 0; f < solid->faceCount; ++f) {
            Vec3 centre;
            for (int k = 0; k < solid->cornersPerFace; ++k)
                centre = centre + solid->vertices[solid->faces[f * solid->cornersPerFace + k]];
            const Vec3 n = faceNormal(*solid, f);
            EXPECT_NEAR(length(n), 1.0f, 1e-5f);
            Vec3 direction = centre;
            normalize(direction);
            EXPECT_GT(n.x * direction.x + n.y * direction.y + n.z * direction.z, 0.9f)
                << "face " << f << " of a solid with " << solid->faceCount << " faces";
        }
    }
    // The octahedron's normals are (±1, ±1, ±1)/√3.
    const Vec3 n = faceNormal(kOctahedron, 0);
    EXPECT_NEAR(std::fabs(n.x), 1 / std::sqrt(3.0f), 1e-6f);
}

TEST(FlatShapes, DiscRimHas48PointsAndCloses)
{
    const auto rim = discRim(Vec3(1, 2, 3), 2.0f);
    EXPECT_NEAR(rim.front().x, rim.back().x, 1e-5f);
    EXPECT_NEAR(rim.front().y, rim.back().y, 1e-5f);
    EXPECT_FLOAT_EQ(rim.front().y, 4.0f);  // angle 0 is straight up: (sin 0, cos 0)
    for (const Vec3& v : rim) EXPECT_NEAR(length(v - Vec3(1, 2, 3)), 2.0f, 1e-5f);
}

}  // namespace
