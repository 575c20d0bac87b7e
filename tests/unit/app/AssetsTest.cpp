// The loading bar's reach.
#include <gtest/gtest.h>

#include "app/Assets.h"

namespace {

TEST(LoadingBar, GrowsFromItsLeftEndToFullInTwentyOneSteps)
{
    LoadingBar bar;
    bar.setTotal(21);
    bar.current = 1;
    EXPECT_FLOAT_EQ(bar.progress(), 10.0f / 21.0f - 0.1f);
    bar.current = 21;
    EXPECT_FLOAT_EQ(bar.progress(), 9.9f);  // the bar ends at -4.95 + 9.9 = 4.95
}

}  // namespace
