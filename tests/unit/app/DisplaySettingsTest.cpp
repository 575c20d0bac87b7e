#include <gtest/gtest.h>

#include "app/DisplaySettings.h"

TEST(SetupDialog, StartsAt1024x768FullScreenWithTheBeatAsDesigned)
{
    DisplaySettings settings;
    SetupDialogState state(settings);
    EXPECT_EQ(state.checkedResolution, kControl1024x768);
    EXPECT_TRUE(state.fullScreenChecked);
    EXPECT_FALSE(state.fewerFlashesChecked);
    EXPECT_EQ(state.result, -1);

    ASSERT_TRUE(handleSetupCommand(state, kControlGo));
    EXPECT_EQ(state.result, 1);
    EXPECT_EQ(settings.width, 1024);
    EXPECT_EQ(settings.height, 768);
    EXPECT_EQ(settings.fullScreen, 1);
    EXPECT_FALSE(settings.fewerFlashes);
}

TEST(SetupDialog, EveryResolutionMovesTheSingleCheckMark)
{
    DisplaySettings settings;
    SetupDialogState state(settings);
    const struct {
        int control, width, height;
    } expected[] = {{1001, 1920, 1080}, {1002, 1280, 720}, {1003, 800, 600},
                    {1004, 1280, 1024}, {1005, 1024, 768}, {1006, 1024, 600}};
    for (const auto& e : expected) {
        ASSERT_TRUE(handleSetupCommand(state, e.control));
        EXPECT_EQ(state.checkedResolution, e.control);
        EXPECT_EQ(settings.width, e.width);
        EXPECT_EQ(settings.height, e.height);
        // Clicking the same one again keeps it checked and the size unchanged.
        ASSERT_TRUE(handleSetupCommand(state, e.control));
        EXPECT_EQ(state.checkedResolution, e.control);
        EXPECT_EQ(settings.width, e.width);
    }
    EXPECT_EQ(state.result, -1);
}

TEST(SetupDialog, FullscreenAndFewerFlashesToggleOnEachClickApart)
{
    DisplaySettings settings;
    SetupDialogState state(settings);
    ASSERT_TRUE(handleSetupCommand(state, kControlFullScreen));
    EXPECT_EQ(settings.fullScreen, 0);
    EXPECT_FALSE(state.fullScreenChecked);
    ASSERT_TRUE(handleSetupCommand(state, kControlFewerFlashes));
    EXPECT_TRUE(settings.fewerFlashes);
    EXPECT_TRUE(state.fewerFlashesChecked);
    EXPECT_FALSE(state.fullScreenChecked);
    ASSERT_TRUE(handleSetupCommand(state, kControlFullScreen));
    EXPECT_EQ(settings.fullScreen, 1);
    EXPECT_TRUE(state.fullScreenChecked);
    ASSERT_TRUE(handleSetupCommand(state, kControlFewerFlashes));
    EXPECT_FALSE(settings.fewerFlashes);
    EXPECT_FALSE(state.fewerFlashesChecked);

    // --fewer-flashes opens the dialog with the box ticked.
    DisplaySettings chosen;
    chosen.fewerFlashes = true;
    EXPECT_TRUE(SetupDialogState(chosen).fewerFlashesChecked);
}

TEST(SetupDialog, LeaveEndsWithZeroAndUnknownControlsAreNotHandled)
{
    DisplaySettings settings;
    SetupDialogState state(settings);
    EXPECT_FALSE(handleSetupCommand(state, 0));
    EXPECT_FALSE(handleSetupCommand(state, 1008));
    EXPECT_EQ(state.result, -1);
    ASSERT_TRUE(handleSetupCommand(state, kControlLeave));
    EXPECT_EQ(state.result, 0);
}
