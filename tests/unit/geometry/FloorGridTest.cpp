// The floor's brightness and layout.
#include <gtest/gtest.h>

#include "geometry/FloorGrid.h"

namespace {

TEST(Floor, CentreIsBrightAndCornersAreDark)
{
    FloorGrid grid;
    buildFloorGrid(grid, 64, 64, 0.5f, 120.0f, 0.0f, 1.0f);
    const GridVertex& centre = grid.vertices[32 * 64 + 32];
    EXPECT_EQ(centre.position.x, 0.0f);
    EXPECT_EQ(centre.position.z, 0.0f);
    EXPECT_EQ(centre.colour.x, 1.0f);
    EXPECT_EQ(centre.s, 0.5f);
    EXPECT_EQ(grid.vertices[0].colour.x, 0.0f);  // outside the circle: dark, not NaN
    EXPECT_FLOAT_EQ(grid.vertices[63].position.x, 58.125f);
    for (const GridVertex& v : grid.vertices) ASSERT_EQ(v.normal.y, 1.0f);
}

}  // namespace
