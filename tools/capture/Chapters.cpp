#include "Chapters.h"

#include <cstdio>

#include "timeline/Timeline.h"

namespace {

// The scenes as a viewer would name them, and the closing, where each begins.
struct Mark {
    TimeWindow window;
    const char* title;
};
constexpr Mark kMarks[] = {
    {TimeWindow::Opening, "Opening"},           {TimeWindow::Burning, "The firepit"},
    {TimeWindow::Stems, "Everything grows"},    {TimeWindow::Metaballs, "Oldschool blobs"},
    {TimeWindow::Ribbons, "Ribbons of cubes"},  {TimeWindow::Twister, "The lattice"},
    {TimeWindow::Closing, "The invitation"},
};

}  // namespace

std::vector<Chapter> videoChapters(int firstMs, int lengthMs)
{
    std::vector<Chapter> chapters;
    for (const Mark& mark : kMarks) {
        const int start = sceneWindow(mark.window).start - firstMs;
        if (start >= lengthMs) break;
        // A scene that began before the video's start is the one in progress at 0.
        if (start <= 0) chapters.clear();
        if (!chapters.empty()) chapters.back().endMs = start;
        chapters.push_back({start > 0 ? start : 0, lengthMs, mark.title});
    }
    return chapters;
}

std::string ffmetadata(const std::vector<Chapter>& chapters)
{
    std::string text = ";FFMETADATA1\n";
    for (const Chapter& c : chapters)
        text += "[CHAPTER]\nTIMEBASE=1/1000\nSTART=" + std::to_string(c.startMs) + "\nEND=" + std::to_string(c.endMs) +
                "\ntitle=" + c.title + "\n";
    return text;
}

std::string chapterList(const std::vector<Chapter>& chapters)
{
    std::string text;
    char line[80];
    for (const Chapter& c : chapters) {
        const int seconds = c.startMs / 1000;
        std::snprintf(line, sizeof line, "%d:%02d %s\n", seconds / 60, seconds % 60, c.title);
        text += line;
    }
    return text;
}
