#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gfx/gl/GLDevice.h"

// How a video is encoded: H.264 with AAC in MP4, or a lossless master (FFV1 with FLAC in
// Matroska), for which the H.264 and AAC settings do not apply.
struct VideoFormat {
    bool lossless = false;
    const char* speed = "veryfast";  // x264's speed preset
    const char* profile = "high";    // H.264 profile
    const char* level = nullptr;     // H.264 level; null leaves it to the encoder
    int crf = 18;                    // constant quality, lower is better
    int maxrateKbit = 0;             // a cap on the bitrate with its buffer, kbit/s; 0: none
    int bufsizeKbit = 0;
    int audioKbit = 192;  // AAC
};

// A named set of size, frame rate and encoding for one use of the video.
struct VideoPreset {
    const char* name;
    int width, height, fps;
    VideoFormat format;
    const char* use;  // what it is for, for --help
};

inline constexpr VideoPreset kVideoPresets[] = {
    {"party", 1920, 1080, 60, {false, "medium", "main", "4.2", 18, 40000, 80000, 256}, "the big screen at a party"},
    {"youtube", 3840, 2160, 60, {false, "medium", "high", nullptr, 16, 0, 0, 320},
     "uploads to video sites, which re-encode it"},
    {"preview", 1280, 720, 30, {false, "veryfast", "high", nullptr, 23, 0, 0, 160}, "a quick look, a small file"},
};

// What the command line asks of orvale-capture.
struct CaptureOptions {
    enum class Action { Capture, Help, Version };
    Action action = Action::Capture;
    int width = 1280;
    int height = 720;
    int fps = 60;
    std::string outDir = ".";     // where --at writes its frames
    std::set<int> at;             // demo times to write as single frames, ms
    std::string storyboardPath;   // empty: no storyboard
    double everySeconds = 0;
    std::string videoPath;        // empty: no video
    VideoFormat format;           // the video's encoding
    std::string chaptersPath;     // empty: no plain chapter list
    std::string framesDir;        // empty: no frame sequence
    std::string flashesPath;      // empty: no flash analysis; else its report
    int fromMs = 0;               // the first frame of a video, sequence or flash analysis, ms
    int toMs = -1;                // they end before this time, ms; -1: the intro's end
    bool fewerFlashes = false;    // the beat drawn calmer
    GLApi gl = GLApi::Core;       // --gl core|es
};

// The options after the program's name; a bad one gives the one line that names the problem.
struct ParsedCaptureOptions {
    CaptureOptions options;
    std::string problem;  // empty when every option was understood
};
ParsedCaptureOptions parseCaptureOptions(const std::vector<std::string>& arguments);

// The ways to run the tool, every option and what each preset sets, for --help and usage
// errors.
std::string captureUsage();
