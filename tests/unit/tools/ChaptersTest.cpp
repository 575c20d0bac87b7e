// Chapter marks of videos: where the scenes begin in a video's own time, and the list for a
// video's description.
#include "Chapters.h"

#include <gtest/gtest.h>

namespace {

TEST(Chapters, TheWholeIntroHasOneChapterPerSceneAndTheClosing)
{
    const std::vector<VideoChapter> chapters = videoChapters(0, 206000);
    ASSERT_EQ(chapters.size(), 7u);
    const int starts[] = {0, 14110, 30000, 60000, 88230, 115360, 145000};
    for (size_t i = 0; i < chapters.size(); ++i) {
        EXPECT_EQ(chapters[i].startMs, starts[i]) << i;
        EXPECT_EQ(chapters[i].endMs, i + 1 < chapters.size() ? starts[i + 1] : 206000) << i;
    }
    EXPECT_EQ(chapterList(chapters),
              "0:00 Opening\n0:14 The firepit\n0:30 Everything grows\n1:00 Oldschool blobs\n1:28 Ribbons of cubes\n"
              "1:55 The lattice\n2:25 The invitation\n");
    const std::string metadata = ffmetadata(chapters);
    EXPECT_EQ(metadata.rfind(";FFMETADATA1\n", 0), 0u);
    EXPECT_NE(metadata.find("[CHAPTER]\nTIMEBASE=1/1000\nSTART=88230\nEND=115360\ntitle=Ribbons of cubes\n"),
              std::string::npos);
}

TEST(Chapters, ASpanKeepsTheSceneInProgressAtZeroAndTheChangesInsideShifted)
{
    // 50 s to 100 s: the stems in progress, the metaballs at 10 s, the ribbons at 38.23 s.
    const std::vector<VideoChapter> span = videoChapters(50000, 50000);
    ASSERT_EQ(span.size(), 3u);
    EXPECT_STREQ(span[0].title, "Everything grows");
    EXPECT_EQ(span[0].startMs, 0);
    EXPECT_EQ(span[1].startMs, 10000);
    EXPECT_EQ(span[2].startMs, 38230);
    EXPECT_EQ(span[2].endMs, 50000);

    // Starting on a scene change: that scene alone at 0; ending on one: not included.
    const std::vector<VideoChapter> exact = videoChapters(60000, 28230);
    ASSERT_EQ(exact.size(), 1u);
    EXPECT_STREQ(exact[0].title, "Oldschool blobs");
    EXPECT_EQ(exact[0].endMs, 28230);
}

}  // namespace
