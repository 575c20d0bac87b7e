#pragma once

#include <string>
#include <vector>

// A chapter of a video: where a scene begins, in the video's own time.
struct VideoChapter {
    int startMs;  // from the video's first frame
    int endMs;    // the next chapter's start, or the video's end
    const char* title;
};

// The chapters of a video whose first frame shows demo time `firstMs` and which lasts
// `lengthMs`: the scene in progress at its start at 0, then every scene that begins inside.
std::vector<VideoChapter> videoChapters(int firstMs, int lengthMs);

// The chapters as ffmpeg's metadata file, in milliseconds.
std::string ffmetadata(const std::vector<VideoChapter>& chapters);

// The chapters as lines "m:ss Title" for a video's description.
std::string chapterList(const std::vector<VideoChapter>& chapters);
