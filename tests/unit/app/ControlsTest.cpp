// Where the viewer's controls move the moment shown: 5 s steps kept within the intro, chapter
// starts with the step back to the previous chapter near a start, and single frames of the
// 60 fps grid while paused; what the overlay writes.
#include "app/Controls.h"

#include <gtest/gtest.h>

#include "app/ControlOverlay.h"
#include "timeline/Timeline.h"

namespace {

TEST(Controls, StepsOfFiveSecondsStayWithinTheIntro)
{
    EXPECT_EQ(seekTarget(Control::On, 75000, false), 80000);
    EXPECT_EQ(seekTarget(Control::Back, 75000, true), 70000);
    EXPECT_EQ(seekTarget(Control::Back, 3000, false), 0);
    // The end itself is never reached by seeking: the last frame before it is.
    EXPECT_EQ(lastSeekableMoment(), 205983);
    EXPECT_EQ(seekTarget(Control::On, 203000, false), 205983);
    EXPECT_EQ(seekTarget(Control::On, 205983, false), 205983);
    EXPECT_EQ(seekTarget(Control::Start, 150000, false), 0);
    EXPECT_EQ(seekTarget(Control::PlayPause, 150000, false), std::nullopt);
}

TEST(Controls, ChapterKeysGoToStartsAndBackAPageNearOne)
{
    // The metaballs run from 60 s to 88.23 s.
    EXPECT_EQ(seekTarget(Control::ChapterStart, 75000, false), 60000);
    EXPECT_EQ(seekTarget(Control::ChapterStart, 61999, false), 30000);
    EXPECT_EQ(seekTarget(Control::ChapterStart, 62000, false), 60000);
    EXPECT_EQ(seekTarget(Control::ChapterStart, 60000, false), 30000);
    EXPECT_EQ(seekTarget(Control::ChapterStart, 1000, false), 0);
    EXPECT_EQ(seekTarget(Control::NextChapter, 75000, false), 88230);
    EXPECT_EQ(seekTarget(Control::NextChapter, 88229, false), 88230);
    EXPECT_EQ(seekTarget(Control::NextChapter, 0, false), 14110);
    // Nothing after the invitation, the text pages and the end included.
    EXPECT_EQ(seekTarget(Control::NextChapter, 145000, false), std::nullopt);
    EXPECT_EQ(seekTarget(Control::NextChapter, 206500, false), std::nullopt);
    EXPECT_STREQ(kChapters[chapterIndexAt(88230)].title, "Ribbons of cubes");
    EXPECT_STREQ(kChapters[chapterIndexAt(88229)].title, "Oldschool blobs");
}

TEST(Controls, FramesStepOnTheGridOnlyWhilePaused)
{
    // Frames 0, 16, 33, 50, ... ms: from a frame or from between two, the neighbour on either side.
    EXPECT_EQ(seekTarget(Control::FrameOn, 16, true), 33);
    EXPECT_EQ(seekTarget(Control::FrameOn, 20, true), 33);
    EXPECT_EQ(seekTarget(Control::FrameBack, 33, true), 16);
    EXPECT_EQ(seekTarget(Control::FrameBack, 20, true), 16);
    EXPECT_EQ(seekTarget(Control::FrameBack, 0, true), 0);
    EXPECT_EQ(seekTarget(Control::FrameOn, 205983, true), 205983);
    EXPECT_EQ(seekTarget(Control::FrameOn, 75000, false), std::nullopt);
    EXPECT_EQ(seekTarget(Control::FrameBack, 75000, false), std::nullopt);
}

}  // namespace

// What the overlay writes, in the characters the bitmap font has (codes 32 to 95: no lower case).
TEST(Controls, TheOverlaySaysTheTimeAndTheChapterInTheFontsCharacters)
{
    EXPECT_EQ(overlayTime(0), "0:00 / 3:26");
    EXPECT_EQ(overlayTime(75999), "1:15 / 3:26");
    EXPECT_EQ(overlayTime(lastSeekableMoment()), "3:25 / 3:26");
    EXPECT_EQ(overlayChapter(59999), "EVERYTHING GROWS");
    EXPECT_EQ(overlayChapter(60000), "OLDSCHOOL BLOBS");
    for (int32_t t = 0; t <= lastSeekableMoment(); t += 1000)
        for (const char c : overlayTime(t) + overlayChapter(t)) EXPECT_TRUE(c >= 32 && c <= 95) << t << " ms: " << c;
}
