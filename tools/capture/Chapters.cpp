#include "Chapters.h"

#include <cstdio>

#include "timeline/Timeline.h"

std::vector<VideoChapter> videoChapters(int firstMs, int lengthMs)
{
    std::vector<VideoChapter> chapters;
    for (const Chapter& chapter : kChapters) {
        const int start = chapter.start() - firstMs;
        if (start >= lengthMs) break;
        // A scene that began before the video's start is the one in progress at 0.
        if (start <= 0) chapters.clear();
        if (!chapters.empty()) chapters.back().endMs = start;
        chapters.push_back({start > 0 ? start : 0, lengthMs, chapter.title});
    }
    return chapters;
}

std::string ffmetadata(const std::vector<VideoChapter>& chapters)
{
    std::string text = ";FFMETADATA1\n";
    for (const VideoChapter& c : chapters)
        text += "[CHAPTER]\nTIMEBASE=1/1000\nSTART=" + std::to_string(c.startMs) + "\nEND=" + std::to_string(c.endMs) +
                "\ntitle=" + c.title + "\n";
    return text;
}

std::string chapterList(const std::vector<VideoChapter>& chapters)
{
    std::string text;
    char line[80];
    for (const VideoChapter& c : chapters) {
        const int seconds = c.startMs / 1000;
        std::snprintf(line, sizeof line, "%d:%02d %s\n", seconds / 60, seconds % 60, c.title);
        text += line;
    }
    return text;
}
